#include "Core.h"

#include "EventRoutes.h"
#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "colony/CarrierLedger.h"
#include "colony/ColonyCockpit.h"
#include "common/Error.h"
#include "common/NoticeModel.h"
#include "common/NumberFormat.h"
#include "common/ReportSink.h"
#include "common/UserInteraction.h"
#include "construction/ConstructionModule.h"
#include "demo/DemoPlayer.h"
#include "hub/HubClient.h"
#include "hub/HubSales.h"
#include "journal/JournalFollower.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"
#include "markets/MarketModule.h"
#include "markets/MarketStore.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"
#include "mobile/MobileFeed.h"
#include "mobile/MobileLink.h"
#include "notify/Notifier.h"
#include "settings/SettingsStore.h"
#include "state/DockRecord.h"
#include "state/RecordsJson.h"
#include "state/ShipInfo.h"
#include "state/SystemInfo.h"
#include "web/WebPageFeed.h"
#include "web/WebShare.h"

#include <QJsonArray>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcCore, "tessivar.core")

// The replay dump keeps the main window's texts as its labels once held them:
// "-/-" for what is not known yet.
QString labelText(const std::optional<QString>& value)
{
    return value.value_or(QStringLiteral("-/-"));
}

}  // namespace

StartupSettings StartupSettings::read(const QString& dataDir)
{
    StartupSettings s;
    auto file = std::make_shared<SettingsFile>(SettingsStore::readFile(withTrailingSlash(dataDir)));
    // A file that cannot be used leaves every start-up setting at its default.
    s.journalDir = file->value(SettingKeys::JournalDir);
    s.hubUrl = file->value(SettingKeys::HubUrl);
    s.downloadUrl = file->value(SettingKeys::DownloadLink);
    s.chatUrl = file->value(SettingKeys::ChatLink);
    s.language = file->value(SettingKeys::Language);
    s.file = std::move(file);
    return s;
}

TessivarCore::TessivarCore(AppPaths paths, StartupSettings startup, UserInteraction& ui, QObject* parent)
    : QObject(parent), m_paths(std::move(paths)), m_startup(std::move(startup)), m_ui(ui)
{
    m_paths.dataDir = withTrailingSlash(m_paths.dataDir);
    m_paths.journalDir = withTrailingSlash(m_paths.journalDir);

    const QString& dataDir = m_paths.dataDir;
    m_notices = std::make_unique<NoticeModel>();
    m_reports = std::make_unique<ReportSink>(m_ui, *m_notices);
    m_log = std::make_unique<LogModel>();
    m_journal = std::make_unique<JournalReader>(*m_log, [this](const QString& t) { report(t); });
    m_journal->JournalFolder = m_paths.journalDir;
    const auto journalFolder = [this] { return m_journal->JournalFolder; };
    SettingsFile settingsFile = m_startup.file ? *m_startup.file : SettingsStore::readFile(dataDir);
    m_startup.file.reset();  // the store keeps the one copy
    if (settingsFile.refused)
        m_reports->report(settingsFile.problem);
    else if (!settingsFile.problem.isEmpty())
        qCWarning(lcCore) << "settings.ini unreadable at start-up:" << settingsFile.problem;
    m_settings = std::make_unique<SettingsStore>(dataDir, state, std::move(settingsFile), *m_reports);
    m_mainWindow = std::make_unique<MainWindowModel>(state, m_ui, *m_reports, m_startup.downloadUrl,
                                                     [this] { return m_settings->kvn_consent; });
    m_mobile = std::make_unique<MobileLink>(*m_reports, m_ui);
    m_systemInfo = std::make_unique<SystemInfo>(state);
    m_ship = std::make_unique<ShipInfo>(state);
    m_mission = std::make_unique<MissionModule>(dataDir, *m_reports);
    m_cargo = std::make_unique<CargoModule>(state, dataDir, journalFolder, *m_reports, m_ui,
                                            m_mission->mission_commodites,
                                            [this] { return m_hubClient->acceptedOrders.orders(); });
    m_construct = std::make_unique<ConstructionModule>(state, dataDir, m_ui, *m_reports);
    m_marketStore = std::make_unique<MarketStore>(dataDir, *m_reports);
    m_lastShopping = std::make_unique<ShoppingDb>(state, dataDir, m_cargo->loadingList,
                                                  m_construct->lista_materialow, *m_marketStore);
    m_market = std::make_unique<MarketModule>(state);
    m_hubClient = std::make_unique<HubClient>(
        state, m_startup.hubUrl, *m_reports, m_ui, [this] { return m_settings->kvn_consent; },
        [this] { return m_settings->kvnCode(); });
    // The phone and the page take the loading list's typed rows.
    const auto loadingRows = [cargo = m_cargo.get()] { return cargo->mirroredRows(); };
    m_feed = std::make_unique<MobileFeed>(*m_mobile, MobileSources{state, m_construct->lista_materialow,
                                                                   m_construct->ProgressBar1, loadingRows,
                                                                   m_lastShopping->Wynik_wyszukiwania});
    m_ledger = std::make_unique<CarrierLedger>(state, dataDir, *m_reports);
    m_colony = std::make_unique<ColonyCockpit>(state, dataDir, *m_ledger, m_cargo->hold().table, *m_reports);
    // The same endpoint the hub client talks to (its address completed the same way).
    m_hubSales = std::make_unique<HubSales>(HubSales::Sources{
        m_hubClient->endpointUrl(), [this] { return m_settings->kvn_consent; },
        [this] { return m_settings->storedKvnCode(); },
        [this] {
            return m_ledger->ownCarrierId() ? m_ledger->ownCarrierId() : state.dane_carriera.CarrierID;
        }});
    // [colony] notify=0 turns the desktop notifications off.
    m_notifier =
        std::make_unique<Notifier>([this] { return m_settings->flag(SettingKeys::ColonyNotify); },
                                   [this](bool on) { m_settings->setFlag(SettingKeys::ColonyNotify, on); });
    m_pass = std::make_unique<JournalPass>(
        eventRoutes({state, *m_systemInfo, *m_ship, *m_cargo, *m_construct, *m_mission, *m_lastShopping,
                     *m_market, journalFolder, *m_ledger, *m_colony}),
        *m_journal, *m_log, *m_mainWindow, state, *m_reports);
    // An error escaping a pass ends it (what it gathered is on the strip already)
    // and is told like any fault nobody clicked for.
    m_follower = std::make_unique<JournalFollower>(
        *m_journal,
        [this](bool sameNewest) {
            try {
                return m_pass->runSlice(sameNewest);
            } catch (...) {
                m_reports->endPass();
                throw;
            }
        },
        [this](const QString& t) { m_reports->notice(t); });
    // "Share to browser": the page shows what the phone is sent; its search is the phone's.
    m_webFeed = std::make_unique<WebPageFeed>(
        WebPageFeed::Sources{state, loadingRows, m_construct->lista_materialow, m_construct->ProgressBar1,
                             m_lastShopping->Wynik_wyszukiwania, [this] { return m_colony->pageJson(); }});
    if (!m_paths.demoDir.isEmpty())
        m_demo = std::make_unique<DemoPlayer>(m_paths.demoDir, m_paths.journalDir);
    wire();
    // Nobody clicked for what start-up finds wrong: it goes to the strip, like a pass's faults.
    m_reports->beginPass();
    if (m_demo) {
        // The demo commander's lists, and the session's start, before anything reads them.
        try {
            m_demo->load();
            m_demo->seedDataFolder(dataDir);
            m_demo->writeHead();
        } catch (const std::exception& e) {
            m_reports->report(errorText(e));
        }
    }
    // The commander's loading list must be there before the first transfer is read.
    m_cargo->start();
    // Sharing starts here when it was on at the last exit.
    m_web = std::make_unique<WebShare>(
        *m_settings, *m_webFeed, [this](const QString& name) { m_lastShopping->findCommodity(name); },
        [this](const QString& text) { m_reports->report(text); });
    m_reports->endPass();
}

// Every connection between the subsystems: what happens after what.
void TessivarCore::wire()
{
    SettingsStore* settings = m_settings.get();
    MainWindowModel* mw = m_mainWindow.get();
    MobileLink* mobile = m_mobile.get();
    MobileFeed* feed = m_feed.get();
    SystemInfo* bgs = m_systemInfo.get();
    CargoModule* cargo = m_cargo.get();
    ConstructionModule* construct = m_construct.get();
    MissionModule* mission = m_mission.get();
    ShoppingDb* db = m_lastShopping.get();
    MarketModule* market = m_market.get();
    HubClient* kvn = m_hubClient.get();
    JournalPass* pass = m_pass.get();
    const auto storeSetting = [settings](const SettingKey& key) {
        return [settings, &key](const QString& value) { settings->setValue(key, value); };
    };

    // A journal pass: the stored settings once, the construction site of the
    // dock (and, once the history is read, the last site seen), the phone after
    // a row that changed what it shows, the hold after every batch, and the
    // phone's "Active" box once lines have been read.
    connect(pass, &JournalPass::settingsDue, settings, &SettingsStore::applyStoredSettings);
    connect(pass, &JournalPass::dockInfoRead, construct, &ConstructionModule::Set_Construction_info);
    connect(pass, &JournalPass::batchDispatched, construct, &ConstructionModule::showLastSeenSite);
    connect(pass, &JournalPass::phoneUpdateDue, feed, &MobileFeed::push);
    connect(pass, &JournalPass::holdSnapshotDue, cargo, m_reports->edge([cargo] { cargo->hold().read(); }));
    connect(pass, &JournalPass::batchDispatched, mobile, &MobileLink::enableActiveBox);

    // Settings loaded, and the panel boxes whose state is kept.
    connect(settings, &SettingsStore::mobileAddressLoaded, mobile, &MobileLink::setAddress);
    connect(settings, &SettingsStore::panelStateLoaded, mw, &MainWindowModel::applyStoredPanelState);
    connect(settings, &SettingsStore::carrierNameLoaded, mw, &MainWindowModel::setCarrierNameLabel);
    connect(mw, &MainWindowModel::panelStateToStore, settings, &SettingsStore::setFlag);

    // Names and places read from the journal.
    connect(bgs, &SystemInfo::commanderNamed, settings, storeSetting(SettingKeys::CommanderName));
    connect(bgs, &SystemInfo::carrierNamed, mw, [storeSetting, mw](const QString& name) {
        storeSetting(SettingKeys::CarrierName)(name);
        mw->setCarrierNameLabel(name);
    });
    connect(bgs, &SystemInfo::dockChanged, feed, &MobileFeed::dockChanged);

    // The loading list: fed by missions, the construction site and hub contracts.
    // The list's operations throw for the person to read: caught at the slot's edge.
    connect(mission, &MissionModule::commoditiesChanged, cargo,
            m_reports->edge([cargo] { cargo->refreshFromSources(); }));
    connect(construct, &ConstructionModule::loadingLinesOffered, cargo,
            m_reports->edge([cargo](bool addToCurrent, const QStringList& lines) {
                cargo->addLines(addToCurrent, lines);
            }));
    connect(construct, &ConstructionModule::loadingListSent, feed, &MobileFeed::loadingListChanged);
    connect(kvn, &HubClient::ordersSynced, cargo, m_reports->edge([cargo] { cargo->rebuildFromSource(); }));
    connect(kvn, &HubClient::contractTaken, cargo, m_reports->edge([cargo, feed](const QString& carrierId) {
        cargo->appendSelectorEntry(carrierId);
        feed->loadingListChanged();
    }));
    connect(kvn, &HubClient::ordersVerified, feed, &MobileFeed::loadingListChanged);
    connect(cargo, &CargoModule::rowsChanged, feed, &MobileFeed::loadingListChanged);
    connect(construct, &ConstructionModule::constructionChanged, feed, &MobileFeed::constructionChanged);

    // A sale at a carrier and a market read go to the hub.
    connect(&cargo->reconciler(), &CargoReconciler::soldAtCarrier, kvn,
            m_reports->edge([kvn](const QString& type, qint64 count, const QByteArray& line) {
                kvn->reportSale(type, count, HubClient::saleKey(line));
            }));
    connect(market, &MarketModule::marketRead, kvn, [kvn, market](quint64 marketId) {
        kvn->verifyOrdersAt(marketId, market->sg_Market, [market](int row, const QString& name) {
            return market->rowIsCommodity(row, name);
        });
    });
    // A whole Market.json, read once: the carrier's ledger anchors on it (and
    // still to buy follows), then the docked market's buy-here list and the
    // store of markets seen take it.
    connect(market, &MarketModule::snapshotRead, m_ledger.get(),
            m_reports->edge([ledger = m_ledger.get()](const MarketSnapshot& s) { ledger->anchor(s); }));
    connect(market, &MarketModule::snapshotRead, m_colony.get(),
            m_reports->edge([colony = m_colony.get()](const MarketSnapshot& s) { colony->marketSeen(s); }));
    connect(market, &MarketModule::snapshotRead, m_marketStore.get(),
            m_reports->edge([store = m_marketStore.get()](const MarketSnapshot& s) { store->record(s); }));
    connect(m_marketStore.get(), &MarketStore::changed, db, &ShoppingDb::marketsChanged);
    connect(kvn, &HubClient::verificationAnswered, market,
            [market](bool answered) { market->Need_veryfi = answered; });
    connect(&kvn->versionCheck(), &VersionCheck::newVersionAnnounced, mw,
            &MainWindowModel::setNewVersionCaption);

    // Last Shopping searches, from any list or the phone, and what the phone sees of them.
    // A store that cannot be read is told where the search was asked for.
    const auto find = m_reports->edge([db](const QString& name) { db->findCommodity(name); });
    connect(cargo, &CargoModule::searchRequested, db, find);
    connect(construct, &ConstructionModule::searchRequested, db, find);
    // The phone's searches never raise a window over the game (nor a box).
    connect(mobile, &MobileLink::searchRequested, db, [db, reports = m_reports.get()](const QString& name) {
        try {
            db->updateSearch(name);
        } catch (const std::exception& e) {
            reports->notice(errorText(e));
        }
    });
    connect(db, &ShoppingDb::searchFinished, feed, &MobileFeed::searchFinished);
    connect(db, &ShoppingDb::searchClosed, feed, &MobileFeed::searchClosed);

    // The phone's connection remembers its address.
    connect(mobile, &MobileLink::connectedTo, settings, storeSetting(SettingKeys::PhoneAddress));

    // The demo looks up what its commander bought, as a player would.
    if (DemoPlayer* demo = m_demo.get()) {
        connect(demo, &DemoPlayer::searchDue, db, find);
        connect(demo, &DemoPlayer::failed, this, [this](const QString& text) { m_reports->notice(text); });
    }

    // The colony view reads the sites' files once the history is read, then
    // follows what changes: a site file written, a site's end, the carriers'
    // ledger, the hold and the ship's capacity.
    ColonyCockpit* colony = m_colony.get();
    connect(pass, &JournalPass::batchDispatched, colony, &ColonyCockpit::historyRead);
    connect(construct, &ConstructionModule::siteFileWritten, colony, &ColonyCockpit::siteWritten);
    connect(m_ledger.get(), &CarrierLedger::changed, colony, &ColonyCockpit::ledgerChanged);
    connect(&cargo->hold().table, &QAbstractItemModel::modelReset, colony, &ColonyCockpit::holdRead);
    connect(m_ship.get(), &ShipInfo::changed, colony, &ColonyCockpit::shipChanged);
    // The loading list's "Still to buy" entry: what is left to buy, so its tools (trips, TOTAL, phone) work
    // on it.
    const QString stillToBuy = QStringLiteral("Still to buy");
    cargo->addSource({stillToBuy, [colony] {
                          QList<QPair<QString, qint64>> rows;
                          for (const StillToBuyLine& l : colony->stillToBuy())
                              if (l.toBuy > 0)
                                  rows.append({l.name, l.toBuy});
                          return rows;
                      }});
    connect(colony, &ColonyCockpit::changed, cargo,
            m_reports->edge([cargo, stillToBuy] { cargo->refreshSource(stillToBuy); }));
    connect(colony, &ColonyCockpit::notify, m_notifier.get(), &Notifier::notify);
    // Other haulers' sales at the own carrier, as the hub heard them, go into its ledger once each.
    CarrierLedger* ledger = m_ledger.get();
    connect(m_hubSales.get(), &HubSales::saleReported, ledger,
            [this, ledger](quint64 carrier, const QString& commodity, qint64 count, const QString& key) {
                try {
                    ledger->addHubSale(carrier, commodity, count, key);
                } catch (const std::exception& e) {
                    m_reports->notice(errorText(e));
                }
            });
    connect(m_hubSales.get(), &HubSales::failed, this,
            [this](const QString& text) { m_reports->notice(text); });

    // The browser page is rebuilt from what changed in the lists and the game state.
    WebPageFeed* page = m_webFeed.get();
    page->watch(m_cargo->loadingList);
    page->watch(m_construct->lista_materialow);
    connect(mw, &MainWindowModel::changed, page, &WebPageFeed::sourceChanged);
    connect(bgs, &SystemInfo::changed, page, &WebPageFeed::sourceChanged);
    connect(cargo, &CargoModule::selectionChanged, page, &WebPageFeed::sourceChanged);
    connect(construct, &ConstructionModule::changed, page, &WebPageFeed::sourceChanged);
    connect(db, &ShoppingDb::changed, page, &WebPageFeed::sourceChanged);
    connect(colony, &ColonyCockpit::changed, page, &WebPageFeed::sourceChanged);
}

TessivarCore::~TessivarCore() = default;

void TessivarCore::report(const QString& text)
{
    m_reports->report(text);
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
    o.insert(QStringLiteral("Info_Docked"), toJson(dockInfo(state)));
    o.insert(QStringLiteral("f_ED"),
             QJsonObject{{"Label_cmdr_val", labelText(mw.commanderName)},
                         {"Label_cr_val", mw.credits ? FormatNumberWithCommas(*mw.credits) : labelText({})},
                         {"Label_carrier_name_val", labelText(mw.carrierName)},
                         {"Label_carrier_system_val", labelText(mw.carrierSystem)},
                         {"Label_carrier_body_val",
                          mw.carrierBody ? QString::number(*mw.carrierBody) : labelText({})},
                         {"Label_dock_system_val", labelText(mw.dockSystem)},
                         {"Label_dock_station_val", labelText(mw.dockStation)},
                         {"Label_dock_type_val", labelText(mw.dockType)},
                         {"Label_time", labelText(mw.journalTime)},
                         {"edit_mobile_ip", m_mobile->address()},
                         {"ch_wysylaj_enabled", m_mobile->activeBoxEnabled()},
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
    merge(m_systemInfo->dumpJson(*m_ship));
    merge(m_ship->dumpJson());
    merge(m_cargo->dumpJson());
    merge(m_construct->dumpJson());
    merge(m_mission->dumpJson());
    merge(m_lastShopping->dumpJson());
    merge(m_market->dumpJson());
    merge(m_hubClient->dumpJson());
    merge(m_ledger->dumpJson());
    merge(m_colony->dumpJson());
    return o;
}
