#pragma once

#include "MainWindowModel.h"

#include <QHash>
#include <QList>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSet>

class WindowSet;
class QWidget;

// Shows and hides the tool windows for the main window's panel boxes and
// opens About and Settings from its tool bar. While "Lock panels" is ticked
// it keeps the windows tiled over the screen's available area: the main
// window along the top at full width, Cargo and Construction Site side by
// side at the right edge below it at their designed widths, System Info in
// the rest. Unticked, the windows float where they are. Only geometry
// changes here: windows are never re-created, so nothing they show is lost.
//
// It also keeps every window where the person left it: a window's first
// showing puts it where it was last time (settings.ini [geometry]), or else
// whole inside the main window's screen, in both cases clamped to the
// screens there are now; the places are stored when the program ends. The panel boxes
// follow their windows however those are opened or closed.
class PanelLayout : public QObject
{
    Q_OBJECT
public:
    explicit PanelLayout(WindowSet& windows);

    QWidget* panelWindow(MainWindowModel::Panel p) const;
    // Tiles the windows when panels are locked.
    void arrange();
    // Stores the place of every open window; from then on closing windows
    // no longer changes the panel boxes (the program is ending).
    void storeAndStopFollowing();
    void stopFollowing() { m_following = false; }

    // The largest part of `frame` that fits one of `areas` whole: moved
    // inside the area it overlaps most (or the first one), shrunk where it
    // is larger.
    static QRect clampedToAreas(const QRect& frame, const QList<QRect>& areas);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPanelVisible(MainWindowModel::Panel p, bool visible);
    void placeOnFirstShow(QWidget* w);
    void arrangeAgainSoon();
    void storeGeometry(QWidget* w);
    QList<QWidget*> allWindows() const;
    bool isTiled(const QWidget* w) const;

    WindowSet& m_windows;
    bool m_arranged = false;
    bool m_following = true;
    QSet<QWidget*> m_placed;
    QHash<const QWidget*, QMargins> m_frames;
    bool m_rearrangeDue = false;
};
