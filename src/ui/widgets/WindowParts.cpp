#include "widgets/WindowParts.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

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
    auto* close = new QPushButton(QStringLiteral("✔️ CLOSE"), window);
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
