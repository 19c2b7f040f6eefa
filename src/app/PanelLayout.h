#pragma once

#include "MainWindowModel.h"

#include <QObject>

class WindowSet;
class QWidget;

// Shows and hides the tool windows for the main window's panel boxes and
// opens About and Settings from its tool bar. While "Lock panels" is ticked
// it keeps the windows tiled over the screen's available area: the main
// window along the top at full width, Cargo and Construction Site side by
// side at the right edge below it at their designed widths, System Info in
// the rest. Unticked, the windows float where they are. Only geometry
// changes here: windows are never re-created, so nothing they show is lost.
class PanelLayout : public QObject
{
    Q_OBJECT
public:
    explicit PanelLayout(WindowSet& windows);

    QWidget* panelWindow(MainWindowModel::Panel p) const;
    // Tiles the windows when panels are locked.
    void arrange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPanelVisible(MainWindowModel::Panel p, bool visible);

    WindowSet& m_windows;
    bool m_arranged = false;
};
