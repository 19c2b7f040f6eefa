#include "TestSupport.h"

#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "construction/ConstructionModule.h"
#include "ini/IniFile.h"
#include "markets/ShoppingDb.h"
#include "mobile/MobileLink.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

using State = MobileLink::LinkState;

// The phone app: a server on the loopback that records what it is sent.
struct Phone
{
    QTcpServer server;
    QTcpSocket* conn = nullptr;
    QByteArray received;

    bool listen() { return server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return server.serverPort(); }
    bool accept()
    {
        if (!server.hasPendingConnections() && !server.waitForNewConnection(5000))
            return false;
        conn = server.nextPendingConnection();
        return conn != nullptr;
    }
    // Everything up to and including the n-th line end.
    QByteArray takeLines(int n)
    {
        while (received.count("\r\n") < n && conn->waitForReadyRead(5000))
            received += conn->readAll();
        qsizetype end = 0;
        for (int i = 0; i < n; ++i) {
            const qsizetype at = received.indexOf("\r\n", end);
            if (at < 0)
                return std::exchange(received, {});
            end = at + 2;
        }
        const QByteArray out = received.left(end);
        received.remove(0, end);
        return out;
    }
    void send(const QByteArray& bytes)
    {
        conn->write(bytes);
        conn->flush();
    }
};

QByteArray wire(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines)
        out += l.toUtf8() + "\r\n";
    return out;
}

const QStringList kDock = {"system:Sol", "stacja:Za???? Hub", "typ:Coriolis", "marketid:3228342528",
                           "progress:46"};

}  // namespace

class MobileLinkTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tickingWithoutAddress_staysUntickedAndConnectsNowhere();
    void tickingConnects_storesAddressThenPushesAll();
    void eachKindOnTheWire_data();
    void eachKindOnTheWire();
    void nothingListening_reportsErrorStaysTickedKeepsOldAddress();
    void untickAndTickWhileConnected_keepsConnectionAndPushesAllAgain();
    void requests_data();
    void requests();
    void findRequestWhileActive_pushesTheResult();
    void requestWhileUnticked_isStillHandled();
    void halfLine_waitsWithoutBlocking();
    void overlongLine_isDroppedAndNextOneHandled();
    void flood_oneLinePerTickAndBoundedMemory();
    void appCloses_nothingSentNoMessageNoReconnection();
    void appClosesMidStream_callerCompletesAndIsToldAtMostOnce();
    void peerNeverReads_linkBrokenAfterOneMiBToldOnce();

private:
    // Ticks "Active" with the phone's address and waits for the connection.
    bool connectPhone();

    std::unique_ptr<CoreFixture> fx;
    std::unique_ptr<Phone> phone;
    TessivarCore* core = nullptr;
    MobileLink* link = nullptr;
};

void MobileLinkTest::init()
{
    fx = std::make_unique<CoreFixture>();
    core = &fx->start();
    link = &core->mobile();
    link->Listen_server.stop();
    phone = std::make_unique<Phone>();
    QVERIFY(phone->listen());
    link->setPort(phone->port());
    link->enableActiveBox();
    link->setAddress(QStringLiteral("127.0.0.1"));

    core->state.dane_systemu.StarSystem = QStringLiteral("Sol");
    core->state.dane_dokowania.StationName = QStringLiteral("Zażółć Hub");
    core->state.dane_dokowania.StationType = QStringLiteral("Coriolis");
    core->state.dane_dokowania.MarketID = 3228342528ULL;
    core->construct().ProgressBar1 = 46;
    core->construct().lista_materialow.setAll(
        {{"", "", ""}, {"Steel", "4500", "6-132"}, {"TOTAL", "4500", "6-132"}});
    core->cargo().loadingList.setAll(
        {{"TOWAR", "ILOSC", ""}, {"Gold", "720", "1-0"}, {"TOTAL", "720", "1-0"}});
}

void MobileLinkTest::cleanup()
{
    phone.reset();
    fx.reset();
}

bool MobileLinkTest::connectPhone()
{
    link->ch_wysylajClick(true);
    if (!QTest::qWaitFor([&] { return link->state() != State::Connecting; }, 5000))
        return false;
    return link->isConnected() && phone->accept();
}

void MobileLinkTest::tickingWithoutAddress_staysUntickedAndConnectsNowhere()
{
    link->setAddress({});
    QSignalSpy changed(link, &MobileLink::changed);
    link->ch_wysylajClick(true);
    QVERIFY(!link->isActive());
    QVERIFY(changed.size() >= 1);  // the window unticks its box again
    QCOMPARE(link->state(), State::Off);
    QVERIFY(link->host().isEmpty());
    QVERIFY(fx->ui.messages().isEmpty());
}

void MobileLinkTest::tickingConnects_storesAddressThenPushesAll()
{
    const QString settings = core->dataFile(QStringLiteral("settings.ini"));
    IniFile(settings).writeString(QStringLiteral("connection"), QStringLiteral("mobile_ip"),
                                  QStringLiteral("10.0.0.5"));
    link->ch_wysylajClick(true);
    QVERIFY(link->isActive());
    QCOMPARE(IniFile(settings).readString("connection", "mobile_ip"), QStringLiteral("10.0.0.5"));

    QVERIFY(QTest::qWaitFor([&] { return link->isConnected(); }, 5000));
    QVERIFY(phone->accept());
    QCOMPARE(IniFile(settings).readString("connection", "mobile_ip"), QStringLiteral("127.0.0.1"));
    QCOMPARE(link->state(), State::On);
    const QStringList all =
        kDock + QStringList{"clear:clear",   "Steel:4500 (6-132)", "TOTAL:4500 (6-132)", "progress:46",
                            "Z:clear:clear", "Z:Gold:720 (1-0)",   "Z:TOTAL:720 (1-0)"};
    QCOMPARE(phone->takeLines(all.size()), wire(all));
    // Nothing else came before the next message.
    link->send_to_host(QStringLiteral("close_db"));
    QCOMPARE(phone->takeLines(1), QByteArray("CMD_close_db\r\n"));

    const QJsonObject dump = link->dumpJson().value("f_send_to_mobile").toObject();
    QCOMPARE(dump.value("state").toString(), QStringLiteral("On"));
    QCOMPARE(dump.value("lines_sent").toInt(), all.size() + 1);
    QCOMPARE(dump.value("last_lines").toArray().last().toString(), QStringLiteral("CMD_close_db"));
    QVERIFY(fx->ui.messages().isEmpty());
}

void MobileLinkTest::eachKindOnTheWire_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("info_dock") << "info_dock" << wire(kDock);
    QTest::newRow("budowa")
        << "budowa"
        << QByteArray("clear:clear\r\nSteel:4500 (6-132)\r\nTOTAL:4500 (6-132)\r\nprogress:46\r\n");
    QTest::newRow("zaladunek") << "zaladunek"
                               << QByteArray("Z:clear:clear\r\nZ:Gold:720 (1-0)\r\nZ:TOTAL:720 (1-0)\r\n");
    QTest::newRow("find_result")
        << "find_result"
        << QByteArray("F:clear:clear\r\nF:Commidity:Gold\r\nF:System:?? Sol\r\n"
                      "F:Station:Abraham Lincoln\r\nF:Type:L Orbis\r\nF:Distance:4Ls\r\n"
                      "F:MarketID:128016640\r\nF:Price:9401\r\nF:Also_needed:[FC] Gold\r\n");
    QTest::newRow("close_db") << "close_db" << QByteArray("CMD_close_db\r\n");
    QTest::newRow("unknown") << "Info_Dock" << QByteArray();
}

void MobileLinkTest::eachKindOnTheWire()
{
    QFETCH(QString, typ);
    QFETCH(QByteArray, bytes);
    QVERIFY(connectPhone());
    phone->takeLines(12);  // the "all" of ticking
    TMarketBuyData& w = core->lastShopping().Wynik_wyszukiwania;
    w.ItemType = QStringLiteral("Gold");
    w.System_Name = QStringLiteral("\U0001F30D Sol");
    w.Station_Name = QStringLiteral("Abraham Lincoln");
    w.Station_Type = QStringLiteral("L Orbis");
    w.Station_Distance = 3.5;
    w.MarketID = 128016640;
    w.BuyPrice = 9401;
    w.Also_needed = QStringLiteral("[FC] Gold");

    link->send_to_host(typ);
    link->send_to_host(QStringLiteral("close_db"));
    QCOMPARE(phone->takeLines(bytes.count("\r\n") + 1), bytes + "CMD_close_db\r\n");
}

void MobileLinkTest::nothingListening_reportsErrorStaysTickedKeepsOldAddress()
{
    const QString settings = core->dataFile(QStringLiteral("settings.ini"));
    IniFile(settings).writeString(QStringLiteral("connection"), QStringLiteral("mobile_ip"),
                                  QStringLiteral("10.0.0.5"));
    phone->server.close();
    link->ch_wysylajClick(true);
    QVERIFY(QTest::qWaitFor([&] { return link->state() != State::Connecting; }, 10000));
    QCOMPARE(link->state(), State::Broken);
    QVERIFY(link->isActive());
    QCOMPARE(fx->ui.messages().size(), 1);
    QCOMPARE(IniFile(settings).readString("connection", "mobile_ip"), QStringLiteral("10.0.0.5"));
    QCOMPARE(link->linesSent(), 0);
    link->send_to_host(QStringLiteral("all"));
    QCOMPARE(link->linesSent(), 0);

    // Ticking again tries again, here against a phone that now listens.
    QVERIFY(phone->server.listen(QHostAddress::LocalHost, link->port()));
    link->ch_wysylajClick(false);
    QVERIFY(connectPhone());
    QCOMPARE(phone->takeLines(5), wire(kDock));
}

void MobileLinkTest::untickAndTickWhileConnected_keepsConnectionAndPushesAllAgain()
{
    QVERIFY(connectPhone());
    phone->takeLines(12);
    link->ch_wysylajClick(false);
    QCOMPARE(link->state(), State::ListeningOnly);
    link->send_to_host(QStringLiteral("info_dock"));

    core->cargo().loadingList.setAll({{"TOWAR", "ILOSC", ""}});
    core->construct().lista_materialow.setAll({{"", "", ""}});
    link->ch_wysylajClick(true);
    QCOMPARE(link->state(), State::On);
    link->send_to_host(QStringLiteral("close_db"));
    QCOMPARE(phone->takeLines(6), wire(kDock) + "CMD_close_db\r\n");
    QCoreApplication::processEvents();
    QVERIFY(!phone->server.hasPendingConnections());
}

void MobileLinkTest::requests_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("searched");  // edit_find afterwards; "-" for no search
    const QString bad(QChar::ReplacementCharacter);
    QTest::newRow("copy") << QByteArray("copy:Sol\n") << 1 << "Sol"
                          << "-";
    QTest::newRow("copy CR LF") << QByteArray("copy:Sol\r\n") << 1 << "Sol"
                                << "-";
    QTest::newRow("find") << QByteArray("find:Gold\n") << 1 << ""
                          << "Gold";
    QTest::newRow("only the first colon splits") << QByteArray("copy:a:b\n") << 1 << "a:b"
                                                 << "-";
    QTest::newRow("copy and find") << QByteArray("copy:find:x\n") << 1 << "find:x"
                                   << "find:x";
    QTest::newRow("tag inside the line") << QByteArray("a:b copy:c\n") << 1 << "b copy:c"
                                         << "-";
    QTest::newRow("non-ascii bytes") << QByteArray("copy:Za\xc5\xbc\xc3\xb3\n") << 1
                                     << QStringLiteral("Za") + bad + bad + bad + bad << "-";
    QTest::newRow("other lines ignored") << QByteArray("hello\n\ncopy\n:copy\n") << 4 << ""
                                         << "-";
    QTest::newRow("last of several") << QByteArray("copy:1\ncopy:2\n") << 2 << "2"
                                     << "-";
    QTest::newRow("flood of searches") << QByteArray("find:Gold\n").repeated(500) << 500 << ""
                                       << "Gold";
}

void MobileLinkTest::requests()
{
    QFETCH(QByteArray, sent);
    QFETCH(int, lines);
    QFETCH(QString, clipboard);
    QFETCH(QString, searched);
    QVERIFY(connectPhone());
    QSignalSpy shown(&core->lastShopping(), &ShoppingDb::showRequested);
    const QString findBefore = core->lastShopping().edit_find;
    phone->send(sent);
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() >= sent.size(); }, 5000));
    for (int i = 1; i <= lines; ++i) {
        link->Listen_serverTimer();
        QCOMPARE(link->dumpJson().value("f_send_to_mobile").toObject().value("requests_handled").toInt(), i);
    }
    link->Listen_serverTimer();  // nothing more waiting
    QCOMPARE(link->dumpJson().value("f_send_to_mobile").toObject().value("requests_handled").toInt(), lines);
    QCOMPARE(fx->ui.clipboardText(), clipboard);
    QCOMPARE(core->lastShopping().edit_find, searched == QLatin1String("-") ? findBefore : searched);
    // The result waits in its window; nothing is raised over the game.
    QCOMPARE(shown.size(), 0);
    QVERIFY(fx->ui.messages().isEmpty());
}

void MobileLinkTest::findRequestWhileActive_pushesTheResult()
{
    QVERIFY(connectPhone());
    phone->takeLines(12);
    phone->send("find:Gold\n");
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() > 0; }, 5000));
    link->Listen_serverTimer();
    const QByteArray result = phone->takeLines(9);
    QVERIFY2(result.startsWith("F:clear:clear\r\nF:Commidity:Gold\r\n"), result.constData());
}

void MobileLinkTest::requestWhileUnticked_isStillHandled()
{
    QVERIFY(connectPhone());
    link->ch_wysylajClick(false);
    phone->send("copy:Sol\n");
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() > 0; }, 5000));
    link->Listen_serverTimer();
    QCOMPARE(fx->ui.clipboardText(), QStringLiteral("Sol"));
}

void MobileLinkTest::halfLine_waitsWithoutBlocking()
{
    QVERIFY(connectPhone());
    phone->send("copy:hal");
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() >= 8; }, 5000));
    link->Listen_serverTimer();  // returns at once, the line is not complete
    QVERIFY(fx->ui.clipboardText().isEmpty());
    phone->send("f\r\n");
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() >= 11; }, 5000));
    link->Listen_serverTimer();
    QCOMPARE(fx->ui.clipboardText(), QStringLiteral("half"));
}

void MobileLinkTest::overlongLine_isDroppedAndNextOneHandled()
{
    QVERIFY(connectPhone());
    const QByteArray sent = "copy:" + QByteArray(5000, 'x') + "\ncopy:ok\n";
    phone->send(sent);
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() >= sent.size(); }, 5000));
    link->Listen_serverTimer();
    QCOMPARE(fx->ui.clipboardText(), QStringLiteral("ok"));
    const QJsonObject dump = link->dumpJson().value("f_send_to_mobile").toObject();
    QCOMPARE(dump.value("requests_handled").toInt(), 1);
    QCOMPARE(dump.value("dropped_requests").toInt(), 1);
}

void MobileLinkTest::flood_oneLinePerTickAndBoundedMemory()
{
    QVERIFY(connectPhone());
    QByteArray flood;
    for (int i = 0; i < 50000; ++i)
        flood += "copy:" + QByteArray::number(i) + '\n';
    phone->conn->write(flood);
    QVERIFY(QTest::qWaitFor([&] { return link->waitingRequestBytes() > 0; }, 5000));
    const qint64 bound = 2 * MobileLink::kMaxWaitingRequests + 4096;
    for (int i = 0; i < 20; ++i) {
        for (int k = 0; k < 5; ++k)
            QCoreApplication::processEvents();
        QVERIFY(link->waitingRequestBytes() <= bound);
        link->Listen_serverTimer();
        QCOMPARE(fx->ui.clipboardText(), QString::number(i));
    }
}

void MobileLinkTest::appCloses_nothingSentNoMessageNoReconnection()
{
    QVERIFY(connectPhone());
    phone->takeLines(12);
    const qint64 sent = link->linesSent();
    phone->conn->disconnectFromHost();
    QVERIFY(QTest::qWaitFor([&] { return !link->isConnected(); }, 5000));
    QCOMPARE(link->state(), State::Broken);
    link->send_to_host(QStringLiteral("all"));
    link->Listen_serverTimer();
    QCOMPARE(link->linesSent(), sent);
    QVERIFY(fx->ui.messages().isEmpty());
    QVERIFY(!phone->server.waitForNewConnection(200));
}

void MobileLinkTest::appClosesMidStream_callerCompletesAndIsToldAtMostOnce()
{
    QVERIFY(connectPhone());
    phone->takeLines(12);
    QList<QStringList> rows{{"TOWAR", "ILOSC", ""}};
    for (int i = 0; i < 5000; ++i)
        rows.append({QStringLiteral("Commodity %1").arg(i), QString::number(i), "0-1"});
    core->cargo().loadingList.setAll(rows);
    phone->conn->abort();
    for (int i = 0; i < 5; ++i)
        link->send_to_host(QStringLiteral("zaladunek"));  // returns normally every time
    QVERIFY(QTest::qWaitFor([&] { return !link->isConnected(); }, 5000));
    for (int i = 0; i < 5; ++i)
        link->send_to_host(QStringLiteral("zaladunek"));
    QVERIFY(fx->told().size() <= 1);
    QCOMPARE(link->state(), State::Broken);
    QVERIFY(!phone->server.waitForNewConnection(200));
}

void MobileLinkTest::peerNeverReads_linkBrokenAfterOneMiBToldOnce()
{
    QVERIFY(connectPhone());
    phone->conn->setReadBufferSize(1);
    QList<QStringList> rows{{"TOWAR", "ILOSC", ""}};
    for (int i = 0; i < 2000; ++i)
        rows.append({QStringLiteral("Commodity with a rather long name number %1").arg(i), QString::number(i),
                     "0-1"});
    core->cargo().loadingList.setAll(rows);
    int pushes = 0;
    while (link->isConnected() && pushes < 2000) {
        link->send_to_host(QStringLiteral("zaladunek"));
        QVERIFY(link->unsentBytes() <= MobileLink::kMaxUnsent + 200);
        ++pushes;
    }
    QCOMPARE(link->state(), State::Broken);
    // Sending runs on its own: told on the message strip, not in a box.
    QVERIFY(fx->ui.messages().isEmpty());
    QCOMPARE(fx->told().size(), 1);
    link->send_to_host(QStringLiteral("zaladunek"));
    link->send_to_host(QStringLiteral("all"));
    QCOMPARE(fx->told().size(), 1);
    QVERIFY(!phone->server.waitForNewConnection(200));
}

QTEST_GUILESS_MAIN(MobileLinkTest)
#include "mobile_link_test.moc"
