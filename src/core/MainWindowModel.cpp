#include "MainWindowModel.h"

#include "Core.h"
#include "common/UserInteraction.h"
#include "journal/DockInfo.h"
#include "journal/JournalBatch.h"
#include "settings/SettingsStore.h"

MainWindowModel::MainWindowModel(TessivarCore& core) : m_core(core) {}

void MainWindowModel::get_Docked_Info(const JournalBatch& lines)
{
    ::get_Docked_Info(lines, Info_Docked);
}

void MainWindowModel::get_Docked_Info(JournalReader& journal)
{
    ::get_Docked_Info(journal, Info_Docked);
}

namespace {

// The settings.ini key of the boxes whose state is stored.
const char* storedPanelKey(MainWindowModel::Panel p)
{
    switch (p) {
    case MainWindowModel::SystemInfoPanel:
        return "ch_bgs";
    case MainWindowModel::CargoPanel:
        return "ch_cargo";
    case MainWindowModel::ConstructionPanel:
        return "ch_construct";
    default:
        return nullptr;
    }
}

} // namespace

void MainWindowModel::panelClick(Panel p, bool checked)
{
    m_panels[size_t(p)] = checked;
    emit changed();
    if (p == KelvanePanel && !m_core.settings().kvn_consent) {
        m_core.report(QStringLiteral(
            "To activate KVN, you must consent to communication with the external server. Go to Settings."));
        return;
    }
    emit panelVisibilityRequested(p, checked);
    if (const char* key = storedPanelKey(p))
        m_core.settings().set_Boolean(QStringLiteral("windows"), QLatin1String(key), checked);
}

void MainWindowModel::setPanelChecked(Panel p, bool checked)
{
    if (m_panels[size_t(p)] != checked)
        panelClick(p, checked);
}

void MainWindowModel::lockPanelsClick(bool checked)
{
    ch_lock_panels = checked;
    emit changed();
    emit lockPanelsChanged(checked);
}

void MainWindowModel::openNewVersionPage()
{
    m_core.ui().openUrl(m_core.startup().downloadUrl);
}

void MainWindowModel::copyToClipboard(CopyField field)
{
    const GameState& st = m_core.state;
    switch (field) {
    case CopyCarrierName:
        m_core.ui().setClipboardText(st.dane_carriera.CarrierName);
        break;
    case CopyCarrierSystem:
        m_core.ui().setClipboardText(st.dane_carriera.StarSystem);
        break;
    case CopyDockSystem:
        m_core.ui().setClipboardText(st.dane_systemu.StarSystem);
        break;
    case CopyDockStation:
        m_core.ui().setClipboardText(st.dane_dokowania.StationName);
        break;
    }
}
