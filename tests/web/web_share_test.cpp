#include "HeadlessBrowser.h"
#include "TestSupport.h"

#include "markets/ShoppingDb.h"
#include "web/WebServer.h"
#include "web/WebShare.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace {

const QByteArray kToken = "0123456789abcdef0123456789abcdef";
// Journal text is written by others: names that would run script or add
// elements if they reached the page as markup.
const QByteArray kHostileStation = "<img src=x onerror=document.title='pwned'>";
const QByteArray kHostileCommodity = "<script>document.write('pwned')</script>";

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A core sharing to the browser on a loopback port, docked at a station with
// a hostile name, with two entries on the loading list.
struct SharingCore
{
    CoreFixture fx;
    quint16 port = freePort();

    explicit SharingCore(const QByteArray& token = kToken)
    {
        writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")),
                  "[web]\r\nshare=1\r\nlocal_only=1\r\nport=" + QByteArray::number(port) +
                      "\r\ntoken=" + token + "\r\n");
        writeFile(fx.dataDir.filePath(QStringLiteral("zaladunek.ini")),
                  "[zaladunek]\r\nSteel=1000\r\n" + kHostileCommodity + "=5\r\n");
        fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader", "\"part\":1, \"gameversion\":\"4.0\""));
        // A real Docked line of the game, at a station with a hostile name.
        QByteArray docked = fixtureLines(QStringLiteral("Docked.jsonl")).value(0);
        docked.replace("Ray Gateway", kHostileStation);
        fx.append(docked.trimmed() + "\r\n");
        fx.start();
        fx.pass();
    }
    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2/").arg(port).arg(QLatin1String(kToken));
    }
};

// One request on a fresh connection; the whole answer.
QByteArray httpExchange(quint16 port, const QByteArray& request)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    // The server runs on this thread: keep the event loop turning while waiting.
    if (!QTest::qWaitFor([&] { return s.state() == QAbstractSocket::ConnectedState; }, 5000))
        return {};
    s.write(request);
    QByteArray answer;
    (void)QTest::qWaitFor(
        [&] {
            answer += s.readAll();
            return s.state() == QAbstractSocket::UnconnectedState;
        },
        5000);
    return answer + s.readAll();
}

QByteArray httpGet(quint16 port, const QByteArray& path)
{
    return httpExchange(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

QByteArray httpPost(quint16 port, const QByteArray& path, const QByteArray& body)
{
    return httpExchange(port, "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

// A stranger on another address: holds `count` connections, half of them
// with a request it never finishes, and opens a new one whenever one is closed.
class Stranger : public QObject
{
public:
    Stranger(QHostAddress from, quint16 port, int count)
        : m_from(std::move(from)), m_port(port), m_count(count)
    {}
    std::atomic<int> connects{0};

    void start()
    {
        for (int i = 0; i < m_count; ++i) {
            auto* s = new QTcpSocket(this);
            connect(s, &QAbstractSocket::connected, s, [this, s, i] {
                ++connects;
                if (i % 2 == 1)
                    s->write("GET / HTTP/1.1\r\nHost: 1");
            });
            connect(s, &QAbstractSocket::stateChanged, s, [this, s](QAbstractSocket::SocketState st) {
                if (st == QAbstractSocket::UnconnectedState)
                    QTimer::singleShot(0, s, [this, s] { open(s); });
            });
            open(s);
        }
    }

private:
    void open(QTcpSocket* s)
    {
        s->bind(m_from);
        s->connectToHost(QHostAddress::LocalHost, m_port);
    }
    QHostAddress m_from;
    quint16 m_port;
    int m_count;
};

const QString kLoadingRows = QStringLiteral("[...document.querySelectorAll('#loading tbody tr')].map(r => "
                                            "[...r.cells].map(c => c.textContent).join('|'))"
                                            ".join('\\n')");

}  // namespace

class WebShareTest : public QObject
{
    Q_OBJECT
private slots:
    void browserShowsLoadingList_andUpdatesLiveAfterTransfer();
    void withoutToken_forbidden_andNamesAreEscaped();
    void strangerHoldingConnections_ownerStillServed();
    void colonyPanelShowsStillToBuyAndBuyHere();
};

void WebShareTest::browserShowsLoadingList_andUpdatesLiveAfterTransfer()
{
    if (HeadlessBrowser::program().isEmpty())
        QSKIP("chromium is not installed");
    SharingCore c;
    QVERIFY2(c.fx.core->web().isListening(), qPrintable(c.fx.core->web().problem()));
    QCOMPARE(c.fx.core->web().address(), c.url());

    HeadlessBrowser browser;
    QString why;
    QVERIFY2(browser.open(c.url(), &why), qPrintable(why));
    const QString hostileRow = QString::fromUtf8(kHostileCommodity) + QStringLiteral("|5|0");
    const QString before = QStringLiteral("Steel|1000|0\n") + hostileRow + QStringLiteral("\nTOTAL|1005|0");
    QCOMPARE(browser.waitFor(
                 kLoadingRows, [&](const QString& v) { return v == before; }, 10000),
             before);

    // A phone's width: nothing scrolls sideways.
    QCOMPARE(
        browser.evaluate(QStringLiteral("[window.innerWidth, document.documentElement.scrollWidth].join()"))
            .toString(),
        QStringLiteral("360,360"));

    // Journal texts arrive as text: shown as written, nothing run, no element added.
    QCOMPARE(browser.evaluate(QStringLiteral("document.title")).toString(), QStringLiteral("Tessivar"));
    QCOMPARE(
        browser.evaluate(QStringLiteral("document.querySelectorAll('img, main script').length")).toInt(-1),
        0);
    QVERIFY(browser.evaluate(QStringLiteral("document.querySelector('#dock').textContent"))
                .toString()
                .contains(QString::fromUtf8(kHostileStation)));
    // The stream is up before the journal changes.
    QCOMPARE(browser.waitFor(
                 QStringLiteral("document.getElementById('status').textContent"),
                 [](const QString& v) { return v == QLatin1String("live"); }, 10000),
             QStringLiteral("live"));

    // The station docked at stands for the own carrier the cargo goes to.
    c.fx.core->state.dane_carriera.CarrierID = c.fx.core->state.dane_dokowania.MarketID;
    c.fx.append(
        journalLine("2025-01-01T10:05:00Z", "CargoTransfer",
                    "\"Transfers\":[ { \"Type\":\"steel\", \"Count\":720, \"Direction\":\"tocarrier\" } ]"));
    c.fx.append(journalLine("2025-01-01T10:05:01Z", "MarketBuy",
                            "\"MarketID\":3709000001, \"Type\":\"steel\", \"Type_Localised\":\"Steel\", "
                            "\"Count\":720, \"BuyPrice\":4000, \"TotalCost\":2880000"));
    c.fx.pass();
    QElapsedTimer sincePass;
    sincePass.start();
    const QString after = QStringLiteral("Steel|280|0\n") + hostileRow + QStringLiteral("\nTOTAL|285|0");
    QCOMPARE(browser.waitFor(
                 kLoadingRows, [&](const QString& v) { return v == after; }, 1000),
             after);
    QVERIFY2(sincePass.elapsed() <= 1000, qPrintable(QString::number(sincePass.elapsed())));

    // Tapping a commodity and choosing the search runs it in the program; the result comes back to the page.
    browser.evaluate(QStringLiteral("document.querySelector('#loading tr.pick').click();"
                                    "document.getElementById('find').click(); true"));
    const QString search = browser.waitFor(
        QStringLiteral("document.querySelector('#search').textContent"),
        [](const QString& v) { return v.contains(QLatin1String("4,000 CR")); }, 10000);
    QVERIFY2(search.contains(QLatin1String("steel")) && search.contains(QString::fromUtf8(kHostileStation)),
             qPrintable(search));
    QCOMPARE(c.fx.core->lastShopping().edit_find, QStringLiteral("Steel"));

    // The server goes away and comes back: the page reconnects by itself and catches up.
    WebShare& share = c.fx.core->web();
    share.setShared(false);
    share.setShared(true);
    QVERIFY(share.isListening());
    c.fx.append(
        journalLine("2025-01-01T10:06:00Z", "CargoTransfer",
                    "\"Transfers\":[ { \"Type\":\"steel\", \"Count\":80, \"Direction\":\"tocarrier\" } ]"));
    c.fx.pass();
    const QString reconnected =
        QStringLiteral("Steel|200|0\n") + hostileRow + QStringLiteral("\nTOTAL|205|0");
    QCOMPARE(browser.waitFor(
                 kLoadingRows, [&](const QString& v) { return v == reconnected; }, 15000),
             reconnected);
}

void WebShareTest::withoutToken_forbidden_andNamesAreEscaped()
{
    SharingCore c;
    QVERIFY2(c.fx.core->web().isListening(), qPrintable(c.fx.core->web().problem()));
    const QByteArray wrong = "0123456789abcdef0123456789abcdee";
    for (const QByteArray& path :
         {QByteArray("/"), QByteArray("/events"), QByteArray("/favicon.ico"), "/" + wrong + "/",
          "/" + wrong + "/events", "/" + kToken.left(31) + "/", "/" + kToken + "x/"}) {
        const QByteArray answer = httpGet(c.port, path);
        QVERIFY2(answer.startsWith("HTTP/1.1 403 "), path.constData());
        QVERIFY2(!answer.contains("Steel"), path.constData());
    }

    const QByteArray page = httpGet(c.port, "/" + kToken + "/");
    QVERIFY2(page.startsWith("HTTP/1.1 200 "), page.left(200).constData());
    // The state built into the page carries the names with their markup characters escaped.
    QVERIFY(!page.contains(kHostileStation));
    QVERIFY(!page.contains(kHostileCommodity));
    QVERIFY2(page.contains("\\u003cimg src=x onerror=document.title='pwned'\\u003e"),
             page.right(2000).constData());
    QVERIFY(page.contains("\\u003cscript\\u003edocument.write('pwned')\\u003c/script\\u003e"));

    // The page's search runs the program's; requests are bounded in size.
    QVERIFY(httpPost(c.port, "/" + kToken + "/find", "Steel").startsWith("HTTP/1.1 204 "));
    QCOMPARE(c.fx.core->lastShopping().edit_find, QStringLiteral("Steel"));
    QVERIFY(httpPost(c.port, "/" + wrong + "/find", "Gold").startsWith("HTTP/1.1 403 "));
    QVERIFY(httpPost(c.port, "/" + kToken + "/find", QByteArray(300, 'x')).startsWith("HTTP/1.1 400 "));
    QVERIFY(httpPost(c.port, "/" + kToken + "/find", QByteArray(64 * 1024, 'x')).startsWith("HTTP/1.1 400 "));
    QVERIFY(httpGet(c.port, "/" + kToken + "/?" + QByteArray(64 * 1024, 'x')).startsWith("HTTP/1.1 400 "));
    QCOMPARE(c.fx.core->lastShopping().edit_find, QStringLiteral("Steel"));

    // Another site's page cannot search through the owner's browser; the page itself can.
    const auto postFrom = [&](const QByteArray& origin, const QByteArray& body) {
        return httpExchange(
            c.port, "POST /" + kToken + "/find HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(c.port) +
                        "\r\nOrigin: " + origin + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                        "\r\n\r\n" + body);
    };
    for (const QByteArray& origin : {QByteArray("http://attacker.example"), QByteArray("null"),
                                     "http://127.0.0.1:" + QByteArray::number(c.port + 1)})
        QVERIFY2(postFrom(origin, "Gold").startsWith("HTTP/1.1 403 "), origin.constData());
    QCOMPARE(c.fx.core->lastShopping().edit_find, QStringLiteral("Steel"));
    QVERIFY(postFrom("http://127.0.0.1:" + QByteArray::number(c.port), "Silver").startsWith("HTTP/1.1 204 "));
    QCOMPARE(c.fx.core->lastShopping().edit_find, QStringLiteral("Silver"));

    // A new address: the old one is refused at once.
    c.fx.core->web().renewToken();
    QVERIFY(httpGet(c.port, "/" + kToken + "/").startsWith("HTTP/1.1 403 "));
    const QString fresh = c.fx.core->web().token();
    QVERIFY(fresh.size() >= 32);
    QVERIFY(httpGet(c.port, "/" + fresh.toLatin1() + "/").startsWith("HTTP/1.1 200 "));
    QVERIFY(readFile(c.fx.dataDir.filePath(QStringLiteral("settings.ini")))
                .contains("token=" + fresh.toLatin1()));
}

void WebShareTest::strangerHoldingConnections_ownerStillServed()
{
    SharingCore c;
    QVERIFY2(c.fx.core->web().isListening(), qPrintable(c.fx.core->web().problem()));
    const QHostAddress stranger(QStringLiteral("127.0.0.2"));
    if (QTcpSocket probe; !probe.bind(stranger))
        QSKIP("127.0.0.2 is not a local address on this system");

    // The owner's page is open: its stream has shown the token.
    QTcpSocket stream;
    stream.connectToHost(QHostAddress::LocalHost, c.port);
    QVERIFY(stream.waitForConnected(5000));
    stream.write("GET /" + kToken + "/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QVERIFY(QTest::qWaitFor([&] { return stream.bytesAvailable() > 0; }, 5000));
    stream.readAll();

    // A stranger holds 200 connections and recycles them, from a thread of
    // its own as another computer would.
    QThread thread;
    auto* st = new Stranger(stranger, c.port, 200);
    st->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, st, &QObject::deleteLater);
    thread.start();
    const auto stop = qScopeGuard([&] {
        thread.quit();
        thread.wait();
    });
    QMetaObject::invokeMethod(st, [st] { st->start(); });
    QVERIFY(QTest::qWaitFor([&] { return st->connects >= 400; }, 20000));

    // Meanwhile the owner's browser loads the page again and again.
    const int tries = 10;
    int served = 0;
    for (int i = 0; i < tries; ++i)
        served += httpGet(c.port, "/" + kToken + "/").startsWith("HTTP/1.1 200 ") ? 1 : 0;
    qInfo("owner served %d of %d while a stranger recycled 200 connections (%d connects)", served, tries,
          st->connects.load());
    QCOMPARE(served, tries);
    QCOMPARE(stream.state(), QAbstractSocket::ConnectedState);
    QVERIFY(c.fx.core->web().server().connectionCount() <= WebServer::kMaxConnections);
    thread.quit();
    thread.wait();

    // A connection that shows no token is closed soon, without waiting for a request.
    QTcpSocket idle;
    idle.bind(QHostAddress(QStringLiteral("127.0.0.3")));
    idle.connectToHost(QHostAddress::LocalHost, c.port);
    QVERIFY(QTest::qWaitFor([&] { return idle.state() == QAbstractSocket::ConnectedState; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return idle.state() == QAbstractSocket::UnconnectedState; },
                            WebServer::kRequestTimeoutMs / 2));
}

void WebShareTest::colonyPanelShowsStillToBuyAndBuyHere()
{
    if (HeadlessBrowser::program().isEmpty())
        QSKIP("chromium is not installed");
    CoreFixture fx;
    const quint16 port = freePort();
    writeFile(fx.dataDir.filePath(QStringLiteral("settings.ini")),
              "[web]\r\nshare=1\r\nlocal_only=1\r\nport=" + QByteArray::number(port) + "\r\ntoken=" + kToken +
                  "\r\n");
    QDir(fx.dataDir.path()).mkpath(QStringLiteral("constructions"));
    writeFile(fx.dataDir.filePath(QStringLiteral("constructions/4256179715.ini")),
              "[INFO]\r\nPostep=40\r\nStationName=Alpha Depot\r\nStarSystem=Col 285\r\n[MATS]\r\n"
              "Steel=1000\r\nCopper=50\r\n" +
                  kHostileCommodity + "=7\r\n");
    // Docked at a market that sells steel, with its Market.json beside the journal.
    writeFile(fx.journalDir.filePath(QStringLiteral("Market.json")),
              "{ \"timestamp\":\"2025-01-01T10:00:02Z\", \"event\":\"Market\", \"MarketID\":3223343616, "
              "\"StationName\":\"Ray Gateway\", \"Items\":[ { \"Name\":\"$steel_name;\", \"Name_Localised\":"
              "\"Steel\", \"BuyPrice\":4100, \"Stock\":90000, \"Demand\":0 } ] }");
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader", "\"part\":1, \"gameversion\":\"4.0\""));
    fx.append(journalLine("2025-01-01T10:00:00Z", "Loadout", "\"Ship\":\"type9\", \"CargoCapacity\":256"));
    fx.start();
    fx.pass();
    // A real Docked line of the game (Ray Gateway, market 3223343616).
    fx.append(fixtureLines(QStringLiteral("Docked.jsonl")).value(0).trimmed() + "\r\n");
    fx.append(journalLine("2025-01-01T10:00:02Z", "Market", "\"MarketID\":3223343616"));
    fx.pass();
    QVERIFY2(fx.core->web().isListening(), qPrintable(fx.core->web().problem()));

    HeadlessBrowser browser;
    QString why;
    QVERIFY2(
        browser.open(QStringLiteral("http://127.0.0.1:%1/%2/").arg(port).arg(QLatin1String(kToken)), &why),
        qPrintable(why));
    const QString rows = QStringLiteral("[...document.querySelectorAll('#colony tbody tr')].map(r => "
                                        "[...r.cells].map(c => c.textContent).join('|')).join('\\n')");
    const QString want = QStringLiteral("Copper|50|0-50\n") + QString::fromUtf8(kHostileCommodity) +
                         QStringLiteral("|7|0-7\nSteel|1000|3-232\nTOTAL|1057|4-33\nSteel|256|4,100");
    QCOMPARE(browser.waitFor(
                 rows, [&](const QString& v) { return v == want; }, 10000),
             want);
    QVERIFY(browser.evaluate(QStringLiteral("document.querySelector('#colony').textContent"))
                .toString()
                .contains(QLatin1String("Buy here: Ray Gateway")));
    // Nothing ran from the commodity's name, and a phone's width still needs no sideways scrolling.
    QCOMPARE(
        browser.evaluate(QStringLiteral("document.querySelectorAll('img, main script').length")).toInt(-1),
        0);
    QCOMPARE(
        browser.evaluate(QStringLiteral("[window.innerWidth, document.documentElement.scrollWidth].join()"))
            .toString(),
        QStringLiteral("360,360"));
}

QTEST_GUILESS_MAIN(WebShareTest)
#include "web_share_test.moc"
