#include "TestSupport.h"

#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"
#include "journal/JournalFollower.h"
#include "journal/JournalPass.h"
#include "markets/ShoppingDb.h"
#include "missions/MissionModule.h"
#include "mobile/MobileMessages.h"
#include "state/RecordsJson.h"
#include "web/WebPageFeed.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

// Whole sessions as the game writes them across logins, relogs, carrier jumps
// and trips to other carriers (tests/data/sessions/, hand-written on the model
// of real journal lines). The program is started on the first lines of a
// session; the rest is written while it runs.
namespace {

QList<QByteArray> sessionLines(const QString& path)
{
    QList<QByteArray> lines;
    for (const QByteArray& l : readFile(path).split('\n'))
        if (!l.trimmed().isEmpty())
            lines.append(l + '\n');
    return lines;
}

QList<QByteArray> session(const char* name)
{
    return sessionLines(testData(QStringLiteral("sessions/") + QLatin1String(name)));
}

enum class Split
{
    OneBatch,     // what follows the history is read in one pass
    PassPerLine,  // one pass after every line
    Slices        // one pass, read by the follower in slices of small pieces, the event loop between them
};

// A pass as the running program has it: started by the follower, each piece
// of a long read in a slice of its own.
void passInSlices(CoreFixture& fx)
{
    JournalFollower& follower = fx.core->follower();
    QSignalSpy ended(&follower, &JournalFollower::passEnded);
    follower.Timer1Timer();
    QVERIFY(ended.count() == 1 || ended.wait());
}

// Reads `history` lines at start, then the rest split as asked.
void play(CoreFixture& fx, const QList<QByteArray>& lines, qsizetype history, Split split)
{
    QByteArray head;
    for (qsizetype i = 0; i < history; ++i)
        head += lines[i];
    const auto pass = [&fx, split] {
        if (split == Split::Slices)
            passInSlices(fx);
        else
            fx.pass();
    };
    if (split == Split::Slices)
        fx.core->journal().chunkBytes = 2048;
    fx.append(head);
    pass();
    QByteArray rest;
    for (qsizetype i = history; i < lines.size(); ++i) {
        if (split == Split::PassPerLine) {
            fx.append(lines[i]);
            pass();
        } else {
            rest += lines[i];
        }
    }
    if (split != Split::PassPerLine) {
        fx.append(rest);
        pass();
    }
}

// The state dump and the messages shown, without what only counts passes
// (their number, the log view trimmed once per pass, the size of the last
// read) and with the temporary folders named alike.
QJsonObject stateOf(CoreFixture& fx)
{
    QJsonObject o = fx.core->dumpJson();
    o.insert(QStringLiteral("messages"), QJsonArray::fromStringList(fx.ui.messages()));
    for (const char* key : {"passes", "log_lines", "JournalLog"})
        o.remove(QLatin1String(key));
    QJsonArray calls;
    for (const QJsonValue& d : o.value(QLatin1String("dispatched")).toArray())
        calls.append(d.toObject().value(QLatin1String("handler")).toString() + QLatin1Char(':') +
                     d.toObject().value(QLatin1String("event")).toString());
    o.insert(QStringLiteral("dispatched"), calls);
    QByteArray text = QJsonDocument(o).toJson(QJsonDocument::Compact);
    text.replace(fx.journalDir.path().toUtf8(), "JOURNAL");
    text.replace(fx.dataDir.path().toUtf8(), "DATA");
    return QJsonDocument::fromJson(text).object();
}

// The first key whose value differs, with both values, for a readable failure.
QString firstDifference(const QJsonObject& a, const QJsonObject& b)
{
    for (auto it = a.begin(); it != a.end(); ++it)
        if (b.value(it.key()) != it.value())
            return it.key() + QStringLiteral(": ") +
                   QString::fromUtf8(
                       QJsonDocument(QJsonObject{{"a", it.value()}}).toJson(QJsonDocument::Compact))
                       .left(400) +
                   QStringLiteral(" / ") +
                   QString::fromUtf8(
                       QJsonDocument(QJsonObject{{"b", b.value(it.key())}}).toJson(QJsonDocument::Compact))
                       .left(400);
    return a.size() == b.size() ? QString() : QStringLiteral("keys differ");
}

void writeLoadingList(CoreFixture& fx, const QByteArray& entries)
{
    writeFile(fx.dataDir.filePath(QStringLiteral("zaladunek.ini")), "[zaladunek]\r\n" + entries);
}

QString listed(const TessivarCore& core, const QString& name)
{
    const TextTableModel& list = const_cast<TessivarCore&>(core).cargo().loadingList;
    for (int r = 1; r < list.rowCount(); ++r)
        if (list.cell(r, 0) == name)
            return list.cell(r, 1);
    return QStringLiteral("(none)");
}

QString totals(TessivarCore& core)
{
    QStringList out;
    for (const auto& [name, units] : core.mission().mission_commodites)
        out.append(name + QLatin1Char('=') + QString::number(units));
    return out.join(QLatin1Char('|'));
}

}  // namespace

class RelogSessionsTest : public QObject
{
    Q_OBJECT
private slots:
    void relogsAtOwnCarrier_data();
    void relogsAtOwnCarrier();
    void salesAtAnotherCarrier_leaveTheOwnList();
    void missionTotals_sameOverRelogs();
    void startedDockedAtASite_showsItAndTakesContributions();
    void sessions_sameStateHoweverSplit_data();
    void sessions_sameStateHoweverSplit();
    void wholeJournals_sameStateHoweverSplit_data();
    void wholeJournals_sameStateHoweverSplit();
};

void RelogSessionsTest::relogsAtOwnCarrier_data()
{
    QTest::addColumn<int>("split");
    QTest::newRow("one batch") << int(Split::OneBatch);
    QTest::newRow("a pass per line") << int(Split::PassPerLine);
}

// A session docked at a station, then (after a relog) docked at the own
// carrier from the login on: sales and a transfer there come off the list,
// a purchase is stored with the carrier's details, the carrier follows its
// jumps, a squadron carrier changes nothing, and a relog on foot leaves no dock.
void RelogSessionsTest::relogsAtOwnCarrier()
{
    QFETCH(int, split);
    CoreFixture fx;
    writeLoadingList(fx, "Steel=1000\r\nTritium=100\r\n");
    TessivarCore& core = fx.start();
    play(fx, session("relogs-at-own-carrier.log"), 1, Split(split));

    // The sale right after the login docked, and the later transfer.
    QCOMPARE(listed(core, QStringLiteral("Steel")), QStringLiteral("200"));
    QCOMPARE(IniFile(core.cargo().loadingFilePath())
                 .readString(QStringLiteral("zaladunek"), QStringLiteral("Steel")),
             QStringLiteral("200"));

    // The purchase carries the carrier's own details, not Ray Gateway's.
    const IniDocument shop = IniFile(core.lastShopping().storePath()).document();
    const auto value = [&shop](const char* key) {
        return shop.value(QStringLiteral("tritium"), QLatin1String(key)).value_or(QString());
    };
    QCOMPARE(value("Station_Name"), QStringLiteral("H1V-L3B"));
    QCOMPARE(value("System_Name"), QStringLiteral("Teurbolg"));
    QCOMPARE(value("Station_Distance"), QStringLiteral("4.512233"));
    QCOMPARE(value("Station_Type"), QStringLiteral("FleetCarrier []"));  // its pads are not told
    QCOMPARE(value("MarketID"), QStringLiteral("3707376896"));

    // Kept over the relogs, moved by both jumps, untouched by the squadron's carrier.
    const TCarrier& own = core.state.dane_carriera;
    QCOMPARE(own.CarrierID, quint64(3707376896));
    QCOMPARE(own.CarrierName, QStringLiteral("HAULER ONE"));
    QCOMPARE(own.StarSystem, QStringLiteral("HIP 87621"));
    QCOMPARE(own.Body, 4);
    QCOMPARE(own.CarrierBalance, qint64(2928401437));

    // Relogged on foot: docked nowhere, on the desktop, the page and the phone alike.
    QCOMPARE(core.mainWindow().dockStation.value_or(QStringLiteral("-/-")), QString());
    QCOMPARE(core.mainWindow().dockSystem.value_or(QStringLiteral("-/-")), QStringLiteral("HIP 87621"));
    QCOMPARE(core.state.dane_dokowania.StationName, QString());
    QVERIFY(fx.told().filter(QStringLiteral("not taken off")).isEmpty());
}

// Someone else's carrier: with the own carrier unknown, and once it is known.
void RelogSessionsTest::salesAtAnotherCarrier_leaveTheOwnList()
{
    CoreFixture fx;
    writeLoadingList(fx, "Wine=1680\r\n");
    TessivarCore& core = fx.start();
    play(fx, session("sales-at-other-carrier.log"), 1, Split::PassPerLine);
    QCOMPARE(listed(core, QStringLiteral("Wine")), QStringLiteral("1680"));
    QCOMPARE(IniFile(core.cargo().loadingFilePath())
                 .readString(QStringLiteral("zaladunek"), QStringLiteral("Wine")),
             QStringLiteral("1680"));
    // Said once for each reason, not once per sale.
    const QStringList said = fx.told().filter(QStringLiteral("was not taken off the loading list"));
    QCOMPARE(said.size(), 2);
    QVERIFY(said[0].contains(QStringLiteral("K7Q-BQL")) && said[0].contains(QStringLiteral("not known yet")));
    QVERIFY(said[1].contains(QStringLiteral("it is not your own carrier")));
}

// Three logins, each writing the missions list; deliveries and completions.
void RelogSessionsTest::missionTotals_sameOverRelogs()
{
    CoreFixture fx;
    // What an earlier run of the program counted for the two missions.
    writeFile(
        fx.dataDir.filePath(QStringLiteral("missions.ini")),
        "[925257601]\r\nCommodity=Silver\r\nCount=354\r\n[925257602]\r\nCommodity=Gold\r\nCount=1032\r\n");
    TessivarCore& core = fx.start();
    const QList<QByteArray> lines = session("missions-over-relogs.log");
    // Started after the third login: its history holds three missions lists.
    play(fx, lines.mid(0, 9), 9, Split::OneBatch);
    QCOMPARE(totals(core), QStringLiteral("Silver=354|Gold=1032"));
    // All the silver delivered, its mission completed; a relog; the gold's completed.
    for (qsizetype i = 9; i < lines.size(); ++i) {
        fx.append(lines[i]);
        fx.pass();
        if (i == 9)
            QCOMPARE(totals(core), QStringLiteral("Gold=1032"));  // no Silver=0 left behind
        if (i == 12)
            QCOMPARE(totals(core), QStringLiteral("Gold=1032"));
    }
    QCOMPARE(totals(core), QString());
    QVERIFY(IniFile(core.mission().missionsFile()).document().sections().isEmpty());
    core.cargo().selectEntry(QStringLiteral("Trade Missions"));
    QCOMPARE(core.cargo().loadingList.row(core.cargo().loadingList.rowCount() - 1),
             (QStringList{"TOTAL", "0", "0"}));
}

// Started while docked at a site seen in an earlier session: the site and its
// saved list are there at once; a contribution lowers the needs at once; the
// header keeps naming the site after docking at a carrier.
void RelogSessionsTest::startedDockedAtASite_showsItAndTakesContributions()
{
    CoreFixture fx;
    const QString siteFile = fx.dataDir.filePath(QStringLiteral("constructions/4256179715.ini"));
    writeFile(siteFile, "[MATS]\r\nSteel=900\r\nPolymers=130\r\nAluminium=0\r\n[INFO]\r\nPostep=40\r\n");
    TessivarCore& core = fx.start();
    core.state.DaneStatku.CargoCapacity = 224;
    const QList<QByteArray> lines = session("contribution-at-site.log");
    play(fx, lines.mid(0, 3), 3, Split::OneBatch);
    const ConstructionModule& site = core.construct();
    const QString name = QStringLiteral("Planetary Construction Site: Zhao Drilling Base");
    QCOMPARE(core.mainWindow().dockStation.value_or(QStringLiteral("-/-")), name);
    QCOMPARE(site.siteStation.value_or(QStringLiteral("-/-")), name);
    QCOMPARE(site.siteMarketId.value_or(QStringLiteral("-/-")), QStringLiteral("4256179715"));
    QCOMPARE(site.progressPercent, std::optional<int>(40));
    QCOMPARE(site.lista_materialow.row(1), (QStringList{"Steel", "900", "4-4"}));
    // The page and the phone read the same dock record.
    const auto loadingRows = [&core] { return core.cargo().mirroredRows(); };
    const WebPageFeed page({core.state, loadingRows, site.lista_materialow, site.ProgressBar1,
                            core.lastShopping().Wynik_wyszukiwania});
    const QJsonObject dock =
        QJsonDocument::fromJson(page.build()).object().value(QLatin1String("dock")).toObject();
    QCOMPARE(dock.value(QLatin1String("station")).toString(), name);
    QCOMPARE(dock.value(QLatin1String("system")).toString(), QStringLiteral("Col 285 Sector PY-Y b14-3"));
    QCOMPARE(dock.value(QLatin1String("marketid")).toString(), QStringLiteral("4256179715"));
    const QStringList phone = mobileMessageLines({core.state, site.lista_materialow, site.ProgressBar1,
                                                  loadingRows, core.lastShopping().Wynik_wyszukiwania},
                                                 QStringLiteral("info_dock"));
    QVERIFY(phone.contains(QStringLiteral("stacja:") + name));
    QVERIFY(phone.contains(QStringLiteral("marketid:4256179715")));

    fx.append(lines[3] + lines[4]);  // the depot's figures, then 400 t steel and 15 t polymers handed over
    fx.pass();
    QCOMPARE(site.lista_materialow.row(1), (QStringList{"Steel", "50", "0-50"}));
    QCOMPARE(site.lista_materialow.row(2), (QStringList{"Polymers", "100", "0-100"}));
    QCOMPARE(site.lista_materialow.row(4), (QStringList{"TOTAL", "150", "0-150"}));
    QCOMPARE(IniFile(siteFile).readString(QStringLiteral("MATS"), QStringLiteral("Steel")),
             QStringLiteral("50"));

    fx.append(lines[5] + lines[6]);  // off to the own carrier
    fx.pass();
    QCOMPARE(core.mainWindow().dockStation.value_or(QStringLiteral("-/-")), QStringLiteral("H1V-L3B"));
    QCOMPARE(site.siteStation.value_or(QStringLiteral("-/-")), name);
    QCOMPARE(site.siteType.value_or(QStringLiteral("-/-")), QStringLiteral("PlanetaryConstructionDepot"));
    QCOMPARE(site.siteMarketId.value_or(QStringLiteral("-/-")), QStringLiteral("4256179715"));
    QCOMPARE(site.Info_Docked.StationName, QStringLiteral("H1V-L3B"));
}

void RelogSessionsTest::sessions_sameStateHoweverSplit_data()
{
    QTest::addColumn<QString>("name");
    for (const char* n : {"relogs-at-own-carrier.log", "sales-at-other-carrier.log",
                          "missions-over-relogs.log", "contribution-at-site.log"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void RelogSessionsTest::sessions_sameStateHoweverSplit()
{
    QFETCH(QString, name);
    const QList<QByteArray> lines = sessionLines(testData(QStringLiteral("sessions/") + name));
    QJsonObject states[3];
    for (const Split split : {Split::OneBatch, Split::PassPerLine, Split::Slices}) {
        CoreFixture fx;
        writeLoadingList(fx, "Steel=1000\r\nWine=1680\r\n");
        fx.start();
        play(fx, lines, 1, split);
        states[int(split)] = stateOf(fx);
    }
    QVERIFY2(states[0] == states[1], qPrintable(firstDifference(states[0], states[1])));
    QVERIFY2(states[0] == states[2], qPrintable(firstDifference(states[0], states[2])));
}

void RelogSessionsTest::wholeJournals_sameStateHoweverSplit_data()
{
    QTest::addColumn<QString>("path");
    // The samples beside the repository when present, else the copies kept with the tests.
    QString root = sharedFixture(QStringLiteral("journals"));
    QDirIterator it(root, {QStringLiteral("Journal*.log")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (it.hasNext())
        paths.append(it.next());
    paths.sort();
    for (const QString& p : std::as_const(paths))
        QTest::newRow(qPrintable(p.mid(root.size() + 1))) << p;
}

// After the first line, the rest of a real journal read in one pass and read
// a pass per line end in the same state.
void RelogSessionsTest::wholeJournals_sameStateHoweverSplit()
{
    QFETCH(QString, path);
    const QList<QByteArray> lines = sessionLines(path);
    QJsonObject states[3];
    for (const Split split : {Split::OneBatch, Split::PassPerLine, Split::Slices}) {
        CoreFixture fx;
        fx.start();
        play(fx, lines, 1, split);
        states[int(split)] = stateOf(fx);
    }
    QVERIFY2(states[0] == states[1], qPrintable(firstDifference(states[0], states[1])));
    QVERIFY2(states[0] == states[2], qPrintable(firstDifference(states[0], states[2])));
}

QTEST_GUILESS_MAIN(RelogSessionsTest)
#include "relog_sessions_test.moc"
