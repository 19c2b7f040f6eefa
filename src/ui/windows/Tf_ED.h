#pragma once

#include <QWidget>

class QLabel;
class QListView;
class TessivarCore;

// The main window: commander, carrier and dock information, the journal log
// view and the panel switches. It shows the core's MainWindowModel.
class Tf_ED : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_ED(TessivarCore& core, QWidget* parent = nullptr);

    QListView* Memo1 = nullptr;
    QLabel* Label_time = nullptr;

public slots:
    void refresh();

private:
    TessivarCore& m_core;
};
