#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class MissionModule;

// The missions window. The program never shows it (the main window's switch
// for it is hidden); it lists the mission commodity totals it would show.
class Tf_mission : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_mission(const MissionModule& missions, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* btn_close = nullptr;
    QLabel* Label1 = nullptr;

public slots:
    void refresh();

private:
    const MissionModule& m_missions;
};
