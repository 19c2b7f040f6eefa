#pragma once

#include "settings/SettingKeys.h"
#include "state/Records.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class ReportSink;
class UserInteraction;

// What the main window shows, kept in core: its label texts (the dock labels
// from the game state's dock record), and the panel switches. Its fields
// are read by the window and written only through the setters below, each
// of which announces the change.
class MainWindowModel : public QObject
{
    Q_OBJECT
public:
    enum Panel
    {
        SystemInfoPanel,
        CargoPanel,
        ConstructionPanel,
        DataBasePanel,
        KelvanePanel,
        MarketPanel
    };
    Q_ENUM(Panel)

    // hubConsent tells whether the person has agreed to talk to the hub;
    // downloadUrl is the page the new-version button opens.
    MainWindowModel(const GameState& state, UserInteraction& ui, ReportSink& reports, QString downloadUrl,
                    std::function<bool()> hubConsent);

    // What the labels show, as the game told it; each is unknown (no value)
    // until the journal tells it. The window formats them.
    std::optional<QString> commanderName;
    std::optional<qint64> credits;
    std::optional<QString> carrierName;
    std::optional<QString> carrierSystem;
    std::optional<qint64> carrierBody;
    std::optional<QString> dockSystem;
    std::optional<QString> dockStation;
    std::optional<QString> dockType;
    std::optional<QString> journalTime;  // the newest line's timestamp

    void setCommanderLabel(const QString& name);
    void setCarrierLabels(const QString& name, const QString& system, qint64 body);
    void setCarrierNameLabel(const QString& name);
    void setDockLabels(const QString& system, const QString& station, const QString& type);
    void setTimeLabel(const QString& time);
    // "CR:" from the newest event that tells the balance.
    void setCreditsLabel(qint64 credits);

    // The "Show/Hide Panels:" check boxes, none ticked at start.
    bool isPanelChecked(Panel p) const { return m_panels[size_t(p)]; }
    // A click on a panel box: the box takes the new state, the window is shown
    // or hidden (panelVisibilityRequested) and three of the boxes store their
    // state in settings.ini. KELVANE without the hub consent only shows a
    // message and leaves the window as it was.
    void panelClick(Panel p, bool checked);
    // Setting a box from the stored settings runs the click handling only when
    // the state changes.
    void setPanelChecked(Panel p, bool checked);
    // A panel's window was shown or closed some other way than by its box
    // (its own Close button, the title bar, a search that opens it): the box
    // follows, and the stored state with it.
    void panelWindowShown(Panel p, bool shown);

    // "Lock panels": ticked, the main window and the tool windows are tiled;
    // unticked they float. Only the arrangement changes, never the data.
    bool ch_lock_panels = true;
    void lockPanelsClick(bool checked);
    // The stored switch ([windows] lock_panels), applied like a click.
    void setLockPanels(bool locked);
    // A stored panel box or the lock switch, by its settings key.
    void applyStoredPanelState(const SettingKey& key, bool checked);

    // The tool bar's new-version button: hidden while the caption is empty.
    QString btn_new_version_caption;
    bool btn_new_version_white = false;  // blink phase of its text colour
    void setNewVersionCaption(const QString& caption);
    void setNewVersionWhite(bool white);
    void openNewVersionPage();

    // The copy buttons of Carrier Info and Dock Info copy from the game state,
    // which can differ from the labels shown.
    enum CopyField
    {
        CopyCarrierName,
        CopyCarrierSystem,
        CopyDockSystem,
        CopyDockStation
    };
    void copyToClipboard(CopyField field);

    void notifyChanged() { emit changed(); }

signals:
    void changed();
    void panelVisibilityRequested(MainWindowModel::Panel panel, bool visible);
    void lockPanelsChanged(bool locked);
    // A pass that reads much of the journal at once reports how far it got;
    // done equals total when it has finished.
    void passProgress(qint64 done, qint64 total);
    // A panel box or the lock switch, whose state is kept in settings.ini
    // ([windows] key), changed.
    void panelStateToStore(const SettingKey& key, bool checked);

private:
    template <typename T> void assign(T& field, const T& value);
    template <typename T> void assign(std::optional<T>& field, const T& value);

    const GameState& m_state;
    UserInteraction& m_ui;
    ReportSink& m_reports;
    QString m_downloadUrl;
    std::function<bool()> m_hubConsent;
    std::array<bool, 6> m_panels{};
};
