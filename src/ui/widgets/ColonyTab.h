#pragma once

#include "widgets/WindowAction.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class ColonyCockpit;
class Notifier;
class QCheckBox;
class UserInteraction;

// The construction window's colony tab: every site (which count, forget
// one), what is still to buy for them after the carriers and the hold, the
// carriers' ledger and what the docked market sells of the list, with the
// export to the clipboard and to a CSV file.
class ColonyTab : public QWidget
{
    Q_OBJECT
public:
    // ui: the clipboard and the save dialog.
    ColonyTab(ColonyCockpit& cockpit, Notifier& notifier, UserInteraction& ui, ReportFn report,
              QWidget* parent = nullptr);

    QTableWidget* sites = nullptr;
    QTableWidget* still = nullptr;
    QLabel* ledger = nullptr;
    QLabel* buyHere = nullptr;
    QPushButton* forget = nullptr;
    QPushButton* copy = nullptr;
    QPushButton* saveCsv = nullptr;
    QCheckBox* notify = nullptr;

public slots:
    void refresh();

private:
    template <typename F> void guarded(F&& action) { runAction(m_report, std::forward<F>(action)); }

    ColonyCockpit& m_cockpit;
    ReportFn m_report;
    bool m_filling = false;
};
