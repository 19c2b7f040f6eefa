#include "MainWindowModel.h"

#include "common/NumberFormat.h"
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

void MainWindowModel::setCreditsLabel(qint64 credits)
{
    assign(Label_cr_val, FormatNumberWithCommas(credits));
}

void MainWindowModel::setCommanderLabel(const QString& name)
{
    assign(Label_cmdr_val, name);
}

void MainWindowModel::setCarrierLabels(const QString& name, const QString& system, const QString& body)
{
    assign(Label_carrier_name_val, name);
    assign(Label_carrier_system_val, system);
    assign(Label_carrier_body_val, body);
}

void MainWindowModel::setCarrierNameLabel(const QString& name)
{
    assign(Label_carrier_name_val, name);
}

void MainWindowModel::setDockLabels(const QString& system, const QString& station, const QString& type)
{
    assign(Label_dock_system_val, system);
    assign(Label_dock_station_val, station);
    assign(Label_dock_type_val, type);
}

void MainWindowModel::setTimeLabel(const QString& time)
{
    assign(Label_time, time);
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
    case MainWindowModel::DataBasePanel:
        return "ch_db";
    case MainWindowModel::KelvanePanel:
        return "ch_kvn";
    case MainWindowModel::MarketPanel:
        return "ch_market";
    default:
        return nullptr;
    }
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
    if (const char* key = storedPanelKey(p))
        emit panelStateToStore(QLatin1String(key), checked);
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
    if (const char* key = storedPanelKey(p))
        emit panelStateToStore(QLatin1String(key), shown);
}

void MainWindowModel::lockPanelsClick(bool checked)
{
    ch_lock_panels = checked;
    emit changed();
    emit lockPanelsChanged(checked);
    emit panelStateToStore(QStringLiteral("lock_panels"), checked);
}

void MainWindowModel::setLockPanels(bool locked)
{
    if (ch_lock_panels != locked)
        lockPanelsClick(locked);
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
