#include "Core.h"

#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "common/UserInteraction.h"
#include "construction/ConstructionModule.h"
#include "hub/HubClient.h"
#include "ini/IniFile.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"
#include "mobile/MobileLink.h"
#include "settings/SettingsStore.h"
#include "state/RecordsJson.h"
#include "state/ShipInfo.h"
#include "state/SystemInfo.h"

#include <QJsonArray>

StartupSettings StartupSettings::read(const QString& settingsIniPath)
{
    StartupSettings s;
    try {
        const IniDocument doc = IniFile(settingsIniPath).document();
        s.journalDir = doc.value(QStringLiteral("paths"), QStringLiteral("journal_dir")).value_or(QString());
        s.hubUrl = doc.value(QStringLiteral("KVN"), QStringLiteral("url")).value_or(QString());
        s.downloadUrl = doc.value(QStringLiteral("links"), QStringLiteral("download")).value_or(QString());
        s.chatUrl = doc.value(QStringLiteral("links"), QStringLiteral("chat")).value_or(QString());
    } catch (const std::exception&) {
        // An unreadable settings file leaves every start-up setting at its default.
    }
    return s;
}

TessivarCore::TessivarCore(AppPaths paths, StartupSettings startup, UserInteraction& ui, QObject* parent)
    : QObject(parent), m_paths(std::move(paths)), m_startup(std::move(startup)), m_ui(ui)
{
    m_paths.dataDir = withTrailingSlash(m_paths.dataDir);
    m_paths.journalDir = withTrailingSlash(m_paths.journalDir);

    m_log = std::make_unique<LogModel>();
    m_journal = std::make_unique<JournalReader>(*m_log, [this](const QString& t) { report(t); });
    m_journal->JournalFolder = m_paths.journalDir;
    m_mainWindow = std::make_unique<MainWindowModel>(*this);
    m_settings = std::make_unique<SettingsStore>(*this);
    m_mobile = std::make_unique<MobileLink>(*this);
    m_bgs = std::make_unique<SystemInfo>(*this);
    m_statek = std::make_unique<ShipInfo>(*this);
    m_cargo = std::make_unique<CargoModule>(*this);
    m_construct = std::make_unique<ConstructionModule>(*this);
    m_mission = std::make_unique<MissionModule>(*this);
    m_db = std::make_unique<ShoppingDb>(*this);
    m_market = std::make_unique<MarketModule>(*this);
    m_kvn = std::make_unique<HubClient>(*this);
    m_pass = std::make_unique<JournalPass>(*this);
    // The commander's loading list must be there before the first transfer is read.
    m_cargo->start();
}

TessivarCore::~TessivarCore() = default;

void TessivarCore::report(const QString& text)
{
    if (m_inPass)
        m_passReports.append(text);
    else
        m_ui.showMessage(text);
}

QJsonObject TessivarCore::dumpJson() const
{
    QJsonObject o;
    const JournalPass& p = *m_pass;
    o.insert(QStringLiteral("passes"), p.passes);
    const QString file = m_journal->LastJournalFile;
    o.insert(QStringLiteral("journal_file"), file.mid(file.lastIndexOf(QLatin1Char('/')) + 1));
    o.insert(QStringLiteral("JournalFolder"), m_journal->JournalFolder);
    o.insert(QStringLiteral("read_pos"), m_journal->LastReadPos);
    o.insert(QStringLiteral("last_time"), p.last_time);
    o.insert(QStringLiteral("Settings_Loaded"), p.Settings_Loaded);
    o.insert(QStringLiteral("log_lines"), m_log->count());
    o.insert(QStringLiteral("JournalLog"), m_journal->JournalLogCount);
    QJsonArray disp;
    for (const auto& d : p.dispatched)
        disp.append(QJsonObject{{"pass", d.pass}, {"handler", d.handler}, {"event", d.event}});
    o.insert(QStringLiteral("dispatched"), disp);

    o.insert(QStringLiteral("dane_CMDR"), toJson(state.dane_CMDR));
    o.insert(QStringLiteral("dane_systemu"), toJson(state.dane_systemu));
    o.insert(QStringLiteral("dane_dokowania"), toJson(state.dane_dokowania));
    o.insert(QStringLiteral("dane_carriera"), toJson(state.dane_carriera));
    o.insert(QStringLiteral("DaneStatku"), toJson(state.DaneStatku));

    const MainWindowModel& mw = *m_mainWindow;
    o.insert(QStringLiteral("Info_Docked"), toJson(mw.Info_Docked));
    o.insert(QStringLiteral("f_ED"), QJsonObject{{"Label_cmdr_val", mw.Label_cmdr_val},
                                                 {"Label_cr_val", mw.Label_cr_val},
                                                 {"Label_carrier_name_val", mw.Label_carrier_name_val},
                                                 {"Label_carrier_system_val", mw.Label_carrier_system_val},
                                                 {"Label_carrier_body_val", mw.Label_carrier_body_val},
                                                 {"Label_dock_system_val", mw.Label_dock_system_val},
                                                 {"Label_dock_station_val", mw.Label_dock_station_val},
                                                 {"Label_dock_type_val", mw.Label_dock_type_val},
                                                 {"Label_time", mw.Label_time},
                                                 {"edit_mobile_ip", mw.edit_mobile_ip},
                                                 {"ch_wysylaj_enabled", mw.ch_wysylaj_enabled},
                                                 {"ch_bgs", mw.isPanelChecked(MainWindowModel::SystemInfoPanel)},
                                                 {"ch_cargo", mw.isPanelChecked(MainWindowModel::CargoPanel)},
                                                 {"ch_construct", mw.isPanelChecked(MainWindowModel::ConstructionPanel)},
                                                 {"ch_db", mw.isPanelChecked(MainWindowModel::DataBasePanel)},
                                                 {"ch_kvn", mw.isPanelChecked(MainWindowModel::KelvanePanel)},
                                                 {"ch_market", mw.isPanelChecked(MainWindowModel::MarketPanel)},
                                                 {"ch_lock_panels", mw.ch_lock_panels},
                                                 {"btn_new_version", mw.btn_new_version_caption}});

    // Each subsystem adds what it keeps under its own names.
    auto merge = [&o](const QJsonObject& part) {
        for (auto it = part.begin(); it != part.end(); ++it)
            o.insert(it.key(), it.value());
    };
    merge(m_settings->dumpJson());
    merge(m_mobile->dumpJson());
    merge(m_bgs->dumpJson());
    merge(m_statek->dumpJson());
    merge(m_cargo->dumpJson());
    merge(m_construct->dumpJson());
    merge(m_mission->dumpJson());
    merge(m_db->dumpJson());
    merge(m_market->dumpJson());
    merge(m_kvn->dumpJson());
    return o;
}
