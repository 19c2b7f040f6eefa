#include "windows/Tf_ED.h"

#include "Core.h"
#include "MainWindowModel.h"
#include "journal/LogModel.h"

#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

Tf_ED::Tf_ED(TessivarCore& core, QWidget* parent) : QWidget(parent), m_core(core)
{
    setWindowTitle(QStringLiteral("Tessivar"));
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QListView(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setUniformItemSizes(true);
    Memo1->setModel(&core.log());
    Memo1->setFixedHeight(122);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setWordWrap(false);
    Label_time = new QLabel(QStringLiteral("-/-"), this);
    Label_time->setTextFormat(Qt::PlainText);
    layout->addStretch(1);
    layout->addWidget(Memo1);
    layout->addWidget(Label_time);
    resize(1122, 351);
    connect(&core.mainWindow(), &MainWindowModel::changed, this, &Tf_ED::refresh);
    connect(&core.log(), &QAbstractItemModel::rowsInserted, Memo1, &QListView::scrollToBottom);
}

void Tf_ED::refresh()
{
    Label_time->setText(m_core.mainWindow().Label_time);
}
