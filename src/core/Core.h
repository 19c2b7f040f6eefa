#pragma once

#include "common/Paths.h"
#include "state/Records.h"

#include <QObject>
#include <memory>

class UserInteraction;
class ReportSink;
class NoticeModel;
class LogModel;
class JournalReader;
class JournalPass;
class JournalFollower;
class MainWindowModel;
class SystemInfo;
class ShipInfo;
class CargoModule;
class ConstructionModule;
class MissionModule;
class ShoppingDb;
class MarketModule;
class MarketStore;
class HubClient;
class MobileLink;
class MobileFeed;
class SettingsStore;
struct SettingsFile;
class WebPageFeed;
class WebShare;
class DemoPlayer;
class CarrierLedger;
class ColonyCockpit;
class Notifier;
class HubSales;

// Settings the program needs before any window exists (read once from
// settings.ini at start-up; command-line options override them).
struct StartupSettings
{
    QString journalDir;   // [paths] journal_dir
    QString hubUrl;       // [KVN] url
    QString downloadUrl;  // [links] download
    QString chatUrl;      // [links] chat
    QString language;     // [windows] language: system (or empty), en, pl
    // The file as read, for the core to use without reading it again (read
    // by the core when absent).
    std::shared_ptr<const SettingsFile> file;

    // From settings.ini in dataDir.
    static StartupSettings read(const QString& dataDir);
};

// The program's core: the game state and every subsystem, owned here rather
// than by windows. main() and tessivar-cli each build one; the windows show
// its models and call its operations. The subsystems know nothing of each
// other: each announces its changes with signals, and Core.cpp connects them
// (the program's wiring diagram).
class TessivarCore : public QObject
{
    Q_OBJECT
public:
    TessivarCore(AppPaths paths, StartupSettings startup, UserInteraction& ui, QObject* parent = nullptr);
    ~TessivarCore() override;

    const AppPaths& paths() const { return m_paths; }
    const StartupSettings& startup() const { return m_startup; }
    UserInteraction& ui() { return m_ui; }
    // Path of an INI file of the program (relative to the data folder).
    QString dataFile(const QString& relative) const { return m_paths.dataDir + relative; }

    // Shows a text to the person: a box for what the person started, the
    // message strip during a journal pass.
    void report(const QString& text);
    ReportSink& reports() { return *m_reports; }
    // The message strip's failures that happened on their own.
    NoticeModel& notices() { return *m_notices; }

    GameState state;

    LogModel& log() { return *m_log; }
    JournalReader& journal() { return *m_journal; }
    JournalPass& pass() { return *m_pass; }
    // When passes run: the main timer and the watch on the game's files (started by the app).
    JournalFollower& follower() { return *m_follower; }
    MainWindowModel& mainWindow() { return *m_mainWindow; }
    SystemInfo& systemInfo() { return *m_systemInfo; }
    ShipInfo& ship() { return *m_ship; }
    CargoModule& cargo() { return *m_cargo; }
    ConstructionModule& construct() { return *m_construct; }
    MissionModule& mission() { return *m_mission; }
    ShoppingDb& lastShopping() { return *m_lastShopping; }
    MarketModule& market() { return *m_market; }
    MarketStore& marketStore() { return *m_marketStore; }
    HubClient& hubClient() { return *m_hubClient; }
    MobileLink& mobile() { return *m_mobile; }
    SettingsStore& settings() { return *m_settings; }
    WebShare& web() { return *m_web; }
    CarrierLedger& ledger() { return *m_ledger; }
    ColonyCockpit& colony() { return *m_colony; }
    Notifier& notifier() { return *m_notifier; }
    // The sales others reported at the own carrier (asked for once started by the app).
    HubSales& hubSales() { return *m_hubSales; }
    // The demo being played into the journal folder, or null.
    DemoPlayer* demo() { return m_demo.get(); }

    // Everything the core keeps, under the program's own names (command-line replay).
    QJsonObject dumpJson() const;

private:
    void wire();

    AppPaths m_paths;
    StartupSettings m_startup;
    UserInteraction& m_ui;

    std::unique_ptr<NoticeModel> m_notices;
    std::unique_ptr<ReportSink> m_reports;
    std::unique_ptr<LogModel> m_log;
    std::unique_ptr<JournalReader> m_journal;
    std::unique_ptr<MainWindowModel> m_mainWindow;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<MobileLink> m_mobile;
    std::unique_ptr<SystemInfo> m_systemInfo;
    std::unique_ptr<ShipInfo> m_ship;
    std::unique_ptr<MissionModule> m_mission;
    std::unique_ptr<CargoModule> m_cargo;
    std::unique_ptr<ConstructionModule> m_construct;
    std::unique_ptr<ShoppingDb> m_lastShopping;
    std::unique_ptr<MarketModule> m_market;
    std::unique_ptr<MarketStore> m_marketStore;
    std::unique_ptr<HubClient> m_hubClient;
    std::unique_ptr<MobileFeed> m_feed;
    std::unique_ptr<CarrierLedger> m_ledger;
    std::unique_ptr<ColonyCockpit> m_colony;
    std::unique_ptr<Notifier> m_notifier;
    std::unique_ptr<HubSales> m_hubSales;
    std::unique_ptr<JournalPass> m_pass;
    std::unique_ptr<JournalFollower> m_follower;
    std::unique_ptr<WebPageFeed> m_webFeed;
    std::unique_ptr<WebShare> m_web;
    std::unique_ptr<DemoPlayer> m_demo;
};
