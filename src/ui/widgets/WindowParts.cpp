#include "widgets/WindowParts.h"

#include "common/NumberFormat.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

QLabel* addWindowTitle(QHBoxLayout* row, const QString& caption, QWidget* window, int stretch)
{
    auto* icon = new QLabel(window);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    row->addWidget(icon);
    auto* title = new QLabel(caption, window);
    title->setTextFormat(Qt::PlainText);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    row->addWidget(title, stretch);
    return title;
}

QPushButton* addCloseRow(QBoxLayout* layout, QWidget* window)
{
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* close = new QPushButton(QCoreApplication::translate("WindowParts", "✔️ CLOSE"), window);
    close->setObjectName(QStringLiteral("btn_close"));
    bottom->addWidget(close);
    layout->addLayout(bottom);
    return close;
}

void centerOnScreen(QWidget* window)
{
    if (const QScreen* s = window->screen())
        window->move(s->availableGeometry().center() - window->rect().center());
}

QString buttonCaption(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QWidget* addScrollingBody(QWidget* window)
{
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("scroll_body"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // The window paints the background; the body shows it through.
    scroll->viewport()->setAutoFillBackground(false);
    auto* body = new QWidget(scroll);
    body->setObjectName(QStringLiteral("body"));
    body->setAutoFillBackground(false);
    scroll->setWidget(body);
    outer->addWidget(scroll);
    return body;
}

QString groupedNumber(qint64 value)
{
    return FormatNumberWithCommas(value, QLocale());
}
