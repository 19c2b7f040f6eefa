#include "MainWindowModel.h"

#include "common/ReportSink.h"
#include "common/UserInteraction.h"

MainWindowModel::MainWindowModel(const GameState& state, UserInteraction& ui, ReportSink& reports,
                                 QString downloadUrl, std::function<bool()> hubConsent)
    : m_state(state), m_ui(ui), m_reports(reports), m_downloadUrl(std::move(downloadUrl)),
      m_hubConsent(std::move(hubConsent))
{}

template <typename T> void MainWindowModel::assign(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    emit changed();
}

template <typename T> void MainWindowModel::assign(std::optional<T>& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    emit changed();
}

void MainWindowModel::setCreditsLabel(qint64 credits)
{
    assign(this->credits, credits);
}

void MainWindowModel::setCommanderLabel(const QString& name)
{
    assign(commanderName, name);
}

void MainWindowModel::setCarrierLabels(const QString& name, const QString& system, qint64 body)
{
    assign(carrierName, name);
    assign(carrierSystem, system);
    assign(carrierBody, body);
}

void MainWindowModel::setCarrierNameLabel(const QString& name)
{
    assign(carrierName, name);
}

void MainWindowModel::setDockLabels(const QString& system, const QString& station, const QString& type)
{
    assign(dockSystem, system);
    assign(dockStation, station);
    assign(dockType, type);
}

void MainWindowModel::setTimeLabel(const QString& time)
{
    assign(journalTime, time);
}

void MainWindowModel::setNewVersionCaption(const QString& caption)
{
    assign(btn_new_version_caption, caption);
}

void MainWindowModel::setNewVersionWhite(bool white)
{
    assign(btn_new_version_white, white);
}

namespace {

// The boxes whose state is kept, and where.
struct StoredPanel
{
    MainWindowModel::Panel panel;
    const SettingKey& key;
};
const StoredPanel kStoredPanels[] = {{MainWindowModel::SystemInfoPanel, SettingKeys::ShowSystemInfo},
                                     {MainWindowModel::CargoPanel, SettingKeys::ShowCargo},
                                     {MainWindowModel::ConstructionPanel, SettingKeys::ShowConstruction},
                                     {MainWindowModel::DataBasePanel, SettingKeys::ShowDataBase},
                                     {MainWindowModel::KelvanePanel, SettingKeys::ShowKelvane},
                                     {MainWindowModel::MarketPanel, SettingKeys::ShowMarket}};

const SettingKey* storedPanelKey(MainWindowModel::Panel p)
{
    for (const StoredPanel& s : kStoredPanels)
        if (s.panel == p)
            return &s.key;
    return nullptr;
}

bool sameKey(const SettingKey& a, const SettingKey& b)
{
    return qstrcmp(a.section, b.section) == 0 && qstrcmp(a.name, b.name) == 0;
}

}  // namespace

void MainWindowModel::panelClick(Panel p, bool checked)
{
    if (p == KelvanePanel && checked && !m_hubConsent()) {
        // The box shows whether the window is open, and it stays closed.
        emit changed();
        m_reports.report(tr(
            "To activate KVN, you must consent to communication with the external server. Go to Settings."));
        return;
    }
    m_panels[size_t(p)] = checked;
    emit changed();
    emit panelVisibilityRequested(p, checked);
    if (const SettingKey* key = storedPanelKey(p))
        emit panelStateToStore(*key, checked);
}

void MainWindowModel::setPanelChecked(Panel p, bool checked)
{
    if (m_panels[size_t(p)] != checked)
        panelClick(p, checked);
}

void MainWindowModel::panelWindowShown(Panel p, bool shown)
{
    if (m_panels[size_t(p)] == shown)
        return;
    m_panels[size_t(p)] = shown;
    emit changed();
    if (const SettingKey* key = storedPanelKey(p))
        emit panelStateToStore(*key, shown);
}

void MainWindowModel::lockPanelsClick(bool checked)
{
    ch_lock_panels = checked;
    emit changed();
    emit lockPanelsChanged(checked);
    emit panelStateToStore(SettingKeys::LockPanels, checked);
}

void MainWindowModel::setLockPanels(bool locked)
{
    if (ch_lock_panels != locked)
        lockPanelsClick(locked);
}

void MainWindowModel::applyStoredPanelState(const SettingKey& key, bool checked)
{
    if (sameKey(key, SettingKeys::LockPanels)) {
        setLockPanels(checked);
        return;
    }
    for (const StoredPanel& s : kStoredPanels)
        if (sameKey(key, s.key))
            setPanelChecked(s.panel, checked);
}

void MainWindowModel::openNewVersionPage()
{
    m_ui.openUrl(m_downloadUrl);
}

void MainWindowModel::copyToClipboard(CopyField field)
{
    const GameState& st = m_state;
    switch (field) {
    case CopyCarrierName:
        m_ui.setClipboardText(st.dane_carriera.CarrierName);
        break;
    case CopyCarrierSystem:
        m_ui.setClipboardText(st.dane_carriera.StarSystem);
        break;
    case CopyDockSystem:
        m_ui.setClipboardText(st.dane_systemu.StarSystem);
        break;
    case CopyDockStation:
        m_ui.setClipboardText(st.dane_dokowania.StationName);
        break;
    }
}
