#include "PanelLayout.h"

#include "Core.h"
#include "WindowSet.h"
#include "settings/SettingsStore.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_DB.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_KVN_add.h"
#include "windows/Tf_about.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_market.h"
#include "windows/Tf_mission.h"
#include "windows/Tf_settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace {

constexpr int kCargoWidth = 331;
constexpr int kConstructWidth = 322;
// A frame larger than this on any side is a window manager that has not
// told its size yet.
constexpr int kLargestFrame = 64;

// The window manager's frame around a window (nothing until it is shown).
QMargins frameOf(const QWidget* w)
{
    const QRect outer = w->frameGeometry();
    const QRect inner = w->geometry();
    const QMargins m(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                     outer.bottom() - inner.bottom());
    for (const int side : {m.left(), m.top(), m.right(), m.bottom()})
        if (side < 0 || side > kLargestFrame)
            return {};
    return m;
}

// Places a window so that its frame fills `outer`; `guess` stands for a
// frame the window manager has not told yet.
void placeFramed(QWidget* w, const QRect& outer, const QMargins& guess = {})
{
    const QMargins f = frameOf(w);
    if (f.isNull()) {
        // move() asks for the frame's corner there; a tiling is redone once
        // the window manager tells the frame.
        w->move(outer.topLeft());
        w->resize(outer.size().shrunkBy(guess));
    } else {
        w->setGeometry(outer.marginsRemoved(f));
    }
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens())
        areas.append(s->availableGeometry());
    return areas;
}

}  // namespace

PanelLayout::PanelLayout(WindowSet& windows) : QObject(&windows), m_windows(windows)
{
    TessivarCore& core = windows.core();
    MainWindowModel& mw = core.mainWindow();
    connect(&mw, &MainWindowModel::panelVisibilityRequested, this, &PanelLayout::setPanelVisible);
    connect(&mw, &MainWindowModel::lockPanelsChanged, this, [this](bool locked) {
        if (locked)
            arrange();
    });
    connect(windows.f_ED, &Tf_ED::aboutRequested, this, [this] {
        m_windows.f_about->show();
        m_windows.f_about->raise();
    });
    connect(windows.f_ED, &Tf_ED::settingsRequested, this, [this] {
        // A modal box must never open beneath another window: the About
        // window stays on top, so it steps aside while Settings is open.
        if (m_windows.f_about->isVisible())
            m_windows.f_about->close();
        m_windows.f_settings->exec();
    });
    // The first tiling waits for the main window's first showing; every
    // window is placed at its first showing and followed after it.
    for (QWidget* w : allWindows())
        w->installEventFilter(this);
}

QList<QWidget*> PanelLayout::allWindows() const
{
    const WindowSet& s = m_windows;
    return {s.f_ED,      s.f_BGS,    s.f_cargo, s.f_Construct, s.f_DB,     s.f_KVN,
            s.f_KVN_add, s.f_market, s.f_about, s.f_settings,  s.f_mission};
}

QWidget* PanelLayout::panelWindow(MainWindowModel::Panel p) const
{
    switch (p) {
    case MainWindowModel::SystemInfoPanel:
        return m_windows.f_BGS;
    case MainWindowModel::CargoPanel:
        return m_windows.f_cargo;
    case MainWindowModel::ConstructionPanel:
        return m_windows.f_Construct;
    case MainWindowModel::DataBasePanel:
        return m_windows.f_DB;
    case MainWindowModel::KelvanePanel:
        return m_windows.f_KVN;
    case MainWindowModel::MarketPanel:
        return m_windows.f_market;
    }
    return nullptr;
}

void PanelLayout::setPanelVisible(MainWindowModel::Panel p, bool visible)
{
    QWidget* w = panelWindow(p);
    if (!w)
        return;
    if (visible)
        w->show();
    else
        w->close();  // without delete-on-close this hides the window
    if (p == MainWindowModel::SystemInfoPanel || p == MainWindowModel::CargoPanel ||
        p == MainWindowModel::ConstructionPanel) {
        arrange();
        arrangeAgainSoon();
    }
}

void PanelLayout::arrangeAgainSoon()
{
    // Some window managers tell a new frame's size without moving the
    // window, so no event says it is known: look again a little later.
    for (const int ms : {300, 1200})
        QTimer::singleShot(ms, this, &PanelLayout::arrange);
}

bool PanelLayout::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    // A window manager tells a frame's size some time after the showing:
    // the tiling is redone once a tiled window's frame is known or changes.
    if (w && (type == QEvent::Move || type == QEvent::Resize) && isTiled(w)) {
        const QMargins frame = frameOf(w);
        if (m_frames.value(w) != frame) {
            m_frames.insert(w, frame);
            if (!m_rearrangeDue) {
                m_rearrangeDue = true;
                QTimer::singleShot(0, this, [this] {
                    m_rearrangeDue = false;
                    arrange();
                });
            }
        }
    }
    // Minimising and restoring come as spontaneous events: the window stays open.
    if (w && (type == QEvent::Show || type == QEvent::Hide) && !event->spontaneous()) {
        if (type == QEvent::Show && !m_placed.contains(w))
            placeOnFirstShow(w);
        for (int p = MainWindowModel::SystemInfoPanel; p <= MainWindowModel::MarketPanel; ++p)
            if (m_following && panelWindow(MainWindowModel::Panel(p)) == w)
                m_windows.core().mainWindow().panelWindowShown(MainWindowModel::Panel(p),
                                                               type == QEvent::Show);
        if (w == m_windows.f_ED && type == QEvent::Show && !m_arranged) {
            m_arranged = true;
            arrange();
            arrangeAgainSoon();
        }
    }
    return QObject::eventFilter(watched, event);
}

bool PanelLayout::isTiled(const QWidget* w) const
{
    return w == m_windows.f_ED || w == m_windows.f_BGS || w == m_windows.f_cargo ||
           w == m_windows.f_Construct;
}

QRect PanelLayout::clampedToAreas(const QRect& frame, const QList<QRect>& areas)
{
    if (areas.isEmpty())
        return frame;
    QRect best = areas.first();
    qint64 bestOverlap = -1;
    for (const QRect& a : areas) {
        const QRect common = a.intersected(frame);
        const qint64 overlap = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = a;
        }
    }
    QRect r(frame.topLeft(), frame.size().boundedTo(best.size()));
    r.moveLeft(std::clamp(r.left(), best.left(), best.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), best.top(), best.bottom() + 1 - r.height()));
    return r;
}

void PanelLayout::placeOnFirstShow(QWidget* w)
{
    m_placed.insert(w);
    // A frame not known yet is guessed from the main window's, or a title bar's height.
    QMargins frame = frameOf(w);
    if (frame.isNull())
        frame = frameOf(m_windows.f_ED);
    const QList<QRect> areas = availableAreas();
    if (const auto stored = m_windows.core().settings().windowGeometry(w->objectName())) {
        placeFramed(w, clampedToAreas(QRect(stored->topLeft(), stored->size().grownBy(frame)), areas), frame);
        return;
    }
    // First showing ever: whole inside the main window's screen (its own
    // screen for the main window), where it was laid out to be.
    const QScreen* screen = w == m_windows.f_ED ? w->screen() : m_windows.f_ED->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect outer(w->pos(), w->size().grownBy(frame));
    if (!area.contains(outer.center()))
        outer.moveCenter(area.center());
    placeFramed(w, clampedToAreas(outer, {area}), frame);
}

void PanelLayout::storeGeometry(QWidget* w)
{
    if (!m_placed.contains(w) || w->objectName().isEmpty())
        return;
    m_windows.core().settings().setWindowGeometry(w->objectName(), QRect(w->pos(), w->size()));
}

void PanelLayout::storeAndStopFollowing()
{
    // A hidden window keeps its last place: every window shown in this run is stored.
    for (QWidget* w : allWindows())
        storeGeometry(w);
    m_following = false;
}

void PanelLayout::arrange()
{
    if (!m_windows.core().mainWindow().ch_lock_panels)
        return;
    QWidget* main = m_windows.f_ED;
    const QScreen* screen = main->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins mainFrame = frameOf(main);
    const int mainHeight = main->height() + mainFrame.top() + mainFrame.bottom();
    placeFramed(main, QRect(area.left(), area.top(), area.width(), mainHeight));

    // Below the main window as it came out: it may not shrink to the width given.
    const int top = area.top() + mainHeight;
    const int height = area.bottom() + 1 - top;
    int right = area.right() + 1;
    const std::pair<QWidget*, int> column[] = {{m_windows.f_cargo, kCargoWidth},
                                               {m_windows.f_Construct, kConstructWidth}};
    for (const auto& [w, width] : column) {
        if (!w->isVisible())
            continue;
        const QMargins f = frameOf(w);
        const int outerWidth = width + f.left() + f.right();
        placeFramed(w, QRect(right - outerWidth, top, outerWidth, height));
        right -= outerWidth;
    }
    if (m_windows.f_BGS->isVisible())
        placeFramed(m_windows.f_BGS, QRect(area.left(), top, right - area.left(), height));
}
