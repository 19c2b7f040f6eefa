#include "PanelLayout.h"

#include "Core.h"
#include "WindowSet.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_DB.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_about.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_market.h"
#include "windows/Tf_settings.h"

#include <QEvent>
#include <QScreen>

namespace {

constexpr int kCargoWidth = 331;
constexpr int kConstructWidth = 322;

// The window manager's frame around a window (nothing until it is shown).
QMargins frameOf(const QWidget* w)
{
    const QRect outer = w->frameGeometry();
    const QRect inner = w->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// Places a window so that its frame fills `outer`.
void placeFramed(QWidget* w, const QRect& outer)
{
    w->setGeometry(outer.marginsRemoved(frameOf(w)));
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
    connect(windows.f_ED, &Tf_ED::settingsRequested, this, [this] { m_windows.f_settings->exec(); });
    // The first tiling waits for the main window's first showing.
    windows.f_ED->installEventFilter(this);
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
        p == MainWindowModel::ConstructionPanel)
        arrange();
}

bool PanelLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_windows.f_ED && event->type() == QEvent::Show && !m_arranged) {
        m_arranged = true;
        arrange();
    }
    return QObject::eventFilter(watched, event);
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
