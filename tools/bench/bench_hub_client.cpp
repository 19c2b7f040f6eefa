// A plain HTTP client for the hub benchmark (tools/bench/hub/run.sh).
//
//   bench_hub_client fill PORT N       posts N order lines (one per carrier)
//   bench_hub_client split PORT SECS   get_kvn on one keep-alive connection for
//                                      SECS seconds (at most 200000 requests),
//                                      the head and the body of each request
//                                      written separately, as simple HTTP
//                                      clients do; prints requests per second
//
// Loopback only: it talks to 127.0.0.1.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTextStream>
#include <algorithm>

namespace {

QTextStream out(stdout);

QByteArray head(qsizetype bodyLength)
{
    return "POST /ED/KVN.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           QByteArray::number(bodyLength) + "\r\n\r\n";
}

// Reads one answer; false when the connection failed.
bool readAnswer(QTcpSocket& socket, QByteArray& pending)
{
    qsizetype end = -1;
    while ((end = pending.indexOf("\r\n\r\n")) < 0) {
        if (!socket.waitForReadyRead(10000))
            return false;
        pending += socket.readAll();
    }
    const QByteArray answerHead = pending.left(end).toLower();
    const qsizetype at = answerHead.indexOf("content-length:");
    const qsizetype length =
        at < 0 ? 0 : answerHead.mid(at + 15, answerHead.indexOf('\r', at) - at - 15).trimmed().toLongLong();
    while (pending.size() < end + 4 + length) {
        if (!socket.waitForReadyRead(10000))
            return false;
        pending += socket.readAll();
    }
    const bool ok = pending.startsWith("HTTP/1.1 200");
    pending.remove(0, end + 4 + length);
    return ok;
}

int fill(QTcpSocket& socket, int count)
{
    QByteArray pending;
    for (int i = 1; i <= count; ++i) {
        const QByteArray body = "act=add_kvn&cmdr=CMDR+Bench&FC=Bench+Carrier&CarrierID=" +
                                QByteArray::number(3700000000LL + i) +
                                "&location=Sol+%2F+Body+1&typ=Demand&commodity=Steel&count=1000000000"
                                "&price=100&code=";
        socket.write(head(body.size()) + body);
        if (!readAnswer(socket, pending))
            return 1;
    }
    out << "filled " << count << " order lines\n";
    return 0;
}

int split(QTcpSocket& socket, int seconds)
{
    const QByteArray body = "act=get_kvn";
    const QByteArray requestHead = head(body.size());
    QByteArray pending;
    QElapsedTimer clock;
    clock.start();
    qint64 done = 0;
    while (clock.elapsed() < seconds * 1000LL && done < 200000) {
        socket.write(requestHead);
        socket.flush();
        socket.write(body);
        socket.flush();
        if (!readAnswer(socket, pending))
            return 1;
        ++done;
    }
    const double secs = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    out << "split writes: " << done << " requests in " << QString::number(secs, 'f', 2) << " s, "
        << QString::number(static_cast<double>(done) / secs, 'f', 0) << " requests/s\n";
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != QLatin1String("fill") && args[1] != QLatin1String("split"))) {
        out << "usage: bench_hub_client fill PORT N | split PORT SECONDS\n";
        return 2;
    }
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), args[2].toUShort());
    if (!socket.waitForConnected(5000)) {
        out << "cannot connect to 127.0.0.1:" << args[2] << "\n";
        return 1;
    }
    const int n = std::clamp(args[3].toInt(), 1, 100000);
    const int result = args[1] == QLatin1String("fill") ? fill(socket, n) : split(socket, n);
    if (result != 0)
        out << "the hub did not answer as expected\n";
    return result;
}
