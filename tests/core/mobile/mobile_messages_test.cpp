#include "TestSupport.h"

#include "cargo/CargoModule.h"
#include "construction/ConstructionModule.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileMessages.h"
#include "mobile/RequestReader.h"

#include <QTest>

namespace {

const QStringList kDock = {QStringLiteral("system:Col 285 Sector AB-C d1-23"),
                           QStringLiteral("stacja:Ascension Hub"), QStringLiteral("typ:Coriolis"),
                           QStringLiteral("marketid:3228342528"), QStringLiteral("progress:46")};
const QStringList kBuild = {QStringLiteral("clear:clear"), QStringLiteral("Steel:4500 (6-132)"),
                            QStringLiteral("Aluminium:0 (0-0)"), QStringLiteral("TOTAL:4500 (6-132)"),
                            QStringLiteral("progress:46")};
const QStringList kLoad = {QStringLiteral("Z:clear:clear"), QStringLiteral("Z:Gold: Pure:720 (1-0)"),
                           QStringLiteral("Z:TOTAL:720 (1-0)")};
const QStringList kFind = {QStringLiteral("F:clear:clear"),
                           QStringLiteral("F:Commidity:Gold"),
                           QStringLiteral("F:System:Sol"),
                           QStringLiteral("F:Station:Abraham Lincoln"),
                           QStringLiteral("F:Type:L Orbis"),
                           QStringLiteral("F:Distance:2Ls"),
                           QStringLiteral("F:MarketID:128016640"),
                           QStringLiteral("F:Price:9401"),
                           QStringLiteral("F:Also_needed:Steel, Gold")};

// `lists`: "full", "header" (nothing below the header rows), "start" (as the
// program starts: a blank row below each header) or "emptied" (the loading list
// emptied by hand: a blank row and TOTAL 0).
void fillState(TessivarCore& core, const QString& lists)
{
    core.state.dane_systemu.StarSystem = QStringLiteral("Col 285 Sector AB-C d1-23");
    core.state.dane_dokowania.StationName = QStringLiteral("Ascension Hub");
    core.state.dane_dokowania.StationType = QStringLiteral("Coriolis");
    core.state.dane_dokowania.MarketID = 3228342528ULL;
    core.construct().ProgressBar1 = 46;
    TMarketBuyData& w = core.lastShopping().Wynik_wyszukiwania;
    w.ItemType = QStringLiteral("Gold");
    w.System_Name = QStringLiteral("Sol");
    w.Station_Name = QStringLiteral("Abraham Lincoln");
    w.Station_Type = QStringLiteral("L Orbis");
    w.Station_Distance = 2.5;
    w.MarketID = 128016640;
    w.BuyPrice = 9401;
    w.Also_needed = QStringLiteral("Steel, Gold");
    // Only the title / header row: nothing below it to send.
    core.construct().lista_materialow.setAll({{QStringLiteral("Site"), QStringLiteral("2025-06-01"), {}}});
    core.cargo().loadingList.setAll({{QStringLiteral("TOWAR"), QStringLiteral("ILOSC"), {}}});
    if (lists == QLatin1String("start")) {
        core.construct().lista_materialow.setAll({{}, {}});
        core.cargo().loadingList.setAll({{QStringLiteral("TOWAR"), QStringLiteral("ILOSC"), {}}, {}});
    }
    if (lists == QLatin1String("emptied")) {
        core.construct().lista_materialow.setAll(
            {{QStringLiteral("Site"), QStringLiteral("2025-06-01"), {}}, {}});
        core.cargo().loadingList.setAll(
            {{QStringLiteral("TOWAR"), QStringLiteral("ILOSC"), {}},
             {},
             {QStringLiteral("TOTAL"), QStringLiteral("0"), QStringLiteral("0")}});
    }
    if (lists != QLatin1String("full"))
        return;
    core.construct().lista_materialow.setAll(
        {{QStringLiteral("Site"), QStringLiteral("2025-06-01"), {}},
         {QStringLiteral("Steel"), QStringLiteral("4500"), QStringLiteral("6-132")},
         {QStringLiteral("Aluminium"), QStringLiteral("0"), QStringLiteral("0-0")},
         {QStringLiteral("TOTAL"), QStringLiteral("4500"), QStringLiteral("6-132")}});
    core.cargo().loadingList.setAll(
        {{QStringLiteral("TOWAR"), QStringLiteral("ILOSC"), {}},
         {QStringLiteral("Gold: Pure"), QStringLiteral("720"), QStringLiteral("1-0")},
         {QStringLiteral("TOTAL"), QStringLiteral("720"), QStringLiteral("1-0")}});
}

}  // namespace

class MobileMessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void linesOfEachKind_data();
    void linesOfEachKind();
    void wireText_data();
    void wireText();
    void distanceRoundsHalfToEven_data();
    void distanceRoundsHalfToEven();
    void requestText_data();
    void requestText();
    void readerSplitsAndBoundsLines_data();
    void readerSplitsAndBoundsLines();
};

void MobileMessagesTest::linesOfEachKind_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("lists");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("info_dock") << "info_dock"
                               << "full" << kDock;
    QTest::newRow("budowa") << "budowa"
                            << "full" << kBuild;
    QTest::newRow("budowa, title row only") << "budowa"
                                            << "header" << QStringList();
    QTest::newRow("zaladunek") << "zaladunek"
                               << "full" << kLoad;
    QTest::newRow("zaladunek, header only") << "zaladunek"
                                            << "header" << QStringList();
    QTest::newRow("find_result") << "find_result"
                                 << "full" << kFind;
    QTest::newRow("close_db") << "close_db"
                              << "full" << QStringList{QStringLiteral("CMD_close_db")};
    QTest::newRow("all") << "all"
                         << "full" << kDock + kBuild + kLoad;
    QTest::newRow("all, empty lists") << "all"
                                      << "header" << kDock;
    // Blank and TOTAL rows are no entries: switching on sends the dock alone.
    QTest::newRow("all, lists as at start") << "all"
                                            << "start" << kDock;
    QTest::newRow("all, emptied lists") << "all"
                                        << "emptied" << kDock;
    // A list's own message still clears the phone's copy, without blank rows.
    QTest::newRow("zaladunek, emptied")
        << "zaladunek"
        << "emptied" << QStringList{QStringLiteral("Z:clear:clear"), QStringLiteral("Z:TOTAL:0 (0)")};
    QTest::newRow("budowa, emptied") << "budowa"
                                     << "emptied"
                                     << QStringList{QStringLiteral("clear:clear"),
                                                    QStringLiteral("progress:46")};
    QTest::newRow("kinds are case-sensitive") << "ALL"
                                              << "full" << QStringList();
    QTest::newRow("unknown kind") << "market"
                                  << "full" << QStringList();
    QTest::newRow("empty kind") << ""
                                << "full" << QStringList();
}

void MobileMessagesTest::linesOfEachKind()
{
    QFETCH(QString, typ);
    QFETCH(QString, lists);
    QFETCH(QStringList, expected);
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fillState(core, lists);
    const MobileSources sources{core.state, core.construct().lista_materialow, core.construct().ProgressBar1,
                                [&core] { return core.cargo().mirroredRows(); },
                                core.lastShopping().Wynik_wyszukiwania};
    QCOMPARE(mobileMessageLines(sources, typ), expected);
}

void MobileMessagesTest::wireText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("ascii") << "system:Sol" << QByteArray("system:Sol\r\n");
    QTest::newRow("polish letters") << QStringLiteral("stacja:Zażółć") << QByteArray("stacja:Za????\r\n");
    QTest::newRow("emoji is two units")
        << QStringLiteral("Z:\U0001F680:1 (0-1)") << QByteArray("Z:??:1 (0-1)\r\n");
    QTest::newRow("line breaks inside")
        << QStringLiteral("Z:a\r\nCMD_close_db:1 ()") << QByteArray("Z:a  CMD_close_db:1 ()\r\n");
    QTest::newRow("DEL stays") << QStringLiteral("a\x7f") << QByteArray("a\x7f\r\n");
    QTest::newRow("empty") << QString() << QByteArray("\r\n");
}

void MobileMessagesTest::wireText()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, wire);
    QCOMPARE(toMobileWire(line), wire);
}

void MobileMessagesTest::distanceRoundsHalfToEven_data()
{
    QTest::addColumn<double>("ls");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.5") << 2.5 << "2";
    QTest::newRow("3.5") << 3.5 << "4";
    QTest::newRow("0.5") << 0.5 << "0";
    QTest::newRow("1234.4999") << 1234.4999 << "1234";
    QTest::newRow("1235.5") << 1235.5 << "1236";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("tiny negative") << -0.4 << "0";
    QTest::newRow("large") << 5312345.5 << "5312346";
}

void MobileMessagesTest::distanceRoundsHalfToEven()
{
    QFETCH(double, ls);
    QFETCH(QString, text);
    QCOMPARE(mobileDistanceText(ls), text);
}

void MobileMessagesTest::requestText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QChar bad(QChar::ReplacementCharacter);
    QTest::newRow("ascii") << QByteArray("copy:Sol") << "copy:Sol";
    QTest::newRow("CR at the end dropped") << QByteArray("copy:Sol\r") << "copy:Sol";
    QTest::newRow("CR inside kept") << QByteArray("a\rb") << "a\rb";
    QTest::newRow("utf-8 bytes each replaced")
        << QByteArray("copy:\xc5\xbc!") << QStringLiteral("copy:") + bad + bad + QLatin1Char('!');
    QTest::newRow("latin-1 byte") << QByteArray("find:\xe9") << QStringLiteral("find:") + bad;
    QTest::newRow("DEL kept") << QByteArray("\x7f") << "\x7f";
    QTest::newRow("empty") << QByteArray() << "";
}

void MobileMessagesTest::requestText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(fromMobileRequest(bytes), text);
}

void MobileMessagesTest::readerSplitsAndBoundsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("dropped");
    QTest::addColumn<int>("leftOver");  // bytes of a line begun
    const QByteArray max(RequestReader::kMaxLine, 'x');
    QTest::newRow("two lines") << QByteArray("copy:a\ncopy:b\n") << QStringList{"copy:a", "copy:b"} << 0 << 0;
    QTest::newRow("CR LF") << QByteArray("copy:a\r\n") << QStringList{"copy:a"} << 0 << 0;
    QTest::newRow("half line waits") << QByteArray("copy:a\ncopy:ha") << QStringList{"copy:a"} << 0 << 7;
    QTest::newRow("empty lines") << QByteArray("\n\r\n") << QStringList{"", ""} << 0 << 0;
    QTest::newRow("4 KiB kept") << max + "\n" << QStringList{QString::fromLatin1(max)} << 0 << 0;
    QTest::newRow("4 KiB and CR kept") << max + "\r\n" << QStringList{QString::fromLatin1(max)} << 0 << 0;
    QTest::newRow("one byte over dropped") << max + "y\ncopy:ok\n" << QStringList{"copy:ok"} << 1 << 0;
    QTest::newRow("long line dropped while streaming")
        << QByteArray(100000, 'z') + "\ncopy:ok\n" + QByteArray(9000, 'q') << QStringList{"copy:ok"} << 1
        << 0;
}

void MobileMessagesTest::readerSplitsAndBoundsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, dropped);
    QFETCH(int, leftOver);
    const qsizetype bound = 2 * RequestReader::kMaxLine + bytes.count('\n');
    // Whole, and in the small pieces a slow network delivers.
    for (const qsizetype piece : {bytes.size(), qsizetype(7), qsizetype(1)}) {
        RequestReader r;
        for (qsizetype i = 0; i < bytes.size(); i += piece) {
            r.feed(QByteArrayView(bytes).sliced(i, std::min(piece, bytes.size() - i)));
            QVERIFY(r.queuedBytes() <= bound);
        }
        QStringList got;
        while (const auto l = r.takeLine())
            got.append(*l);
        QCOMPARE(got, lines);
        QCOMPARE(r.droppedLines(), dropped);
        QCOMPARE(r.queuedBytes(), leftOver);
    }
}

QTEST_GUILESS_MAIN(MobileMessagesTest)
#include "mobile_messages_test.moc"
