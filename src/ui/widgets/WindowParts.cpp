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
#include <optional>
#include <utility>

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

namespace {

std::optional<std::pair<qint64, qint64>> tripParts(const QString& trips)
{
    const QStringList parts = trips.split(QLatin1Char('-'));
    if (parts.size() != 2)
        return std::nullopt;
    bool fullOk = false;
    bool restOk = false;
    const qint64 full = parts[0].toLongLong(&fullOk);
    const qint64 rest = parts[1].toLongLong(&restOk);
    if (!fullOk || !restOk)
        return std::nullopt;
    return std::pair{full, rest};
}

}  // namespace

QString tripsShown(const QString& trips)
{
    const auto p = tripParts(trips);
    return p ? QCoreApplication::translate("Tf_cargo", "%1 × %2")
                   .arg(groupedNumber(p->first), groupedNumber(p->second))
             : trips;
}

QString tripsToolTip(const QString& trips)
{
    const auto p = tripParts(trips);
    return p ? QCoreApplication::translate("Tf_cargo", "%1 full trips and %2 t")
                   .arg(groupedNumber(p->first), groupedNumber(p->second))
             : QString();
}
