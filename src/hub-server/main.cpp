#include "HubServer.h"
#include "HubService.h"
#include "OrderStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "tessivar-hub: %s\n", qUtf8Printable(message));
    return 1;
}

// "HOST:PORT", the host possibly in brackets (IPv6) or "localhost".
bool parseListen(const QString& text, QHostAddress* address, quint16* port)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (!ok || number > 65535)
        return false;
    if (host == QLatin1String("localhost"))
        *address = QHostAddress(QHostAddress::LocalHost);
    else if (!address->setAddress(host))
        return false;
    *port = static_cast<quint16>(number);
    return true;
}

QString hostText(const QHostAddress& address)
{
    const QString text = address.toString();
    return address.protocol() == QAbstractSocket::IPv6Protocol ? QLatin1Char('[') + text + QLatin1Char(']')
                                                               : text;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessivar-hub"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSIVAR_VERSION_TEXT));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The Kelvane order hub for Tessivar clients (POST /ED/KVN.php)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listenOption(
        QStringLiteral("listen"), QStringLiteral("Address and port to listen on; port 0 picks a free one."),
        QStringLiteral("HOST:PORT"));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("SQLite file of the orders (created when missing)."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption versionTextOption(
        QStringLiteral("version-text"),
        QStringLiteral("Answer to check_version (default %1).").arg(QStringLiteral(TESSIVAR_VERSION_TEXT)),
        QStringLiteral("TEXT"), QStringLiteral(TESSIVAR_VERSION_TEXT));
    parser.addOptions({listenOption, dbOption, versionTextOption});
    parser.process(app);

    if (!parser.isSet(listenOption) || !parser.isSet(dbOption))
        return fail(QStringLiteral("--listen HOST:PORT and --db FILE are required (see --help)"));
    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(parser.value(listenOption), &address, &port))
        return fail(QStringLiteral("--listen wants HOST:PORT, got \"%1\"").arg(parser.value(listenOption)));

    OrderStore store(parser.value(dbOption));
    try {
        store.open();
    } catch (const StoreError& error) {
        return fail(QString::fromUtf8(error.what()));
    }
    HubService service(store, parser.value(versionTextOption));
    HubServer server(service);
    if (!server.listen(address, port))
        return fail(
            QStringLiteral("cannot listen on %1: %2").arg(parser.value(listenOption), server.errorString()));

    // Whoever started the hub (a script, a test) reads the chosen port here.
    std::printf("listening on %s:%u\n", qUtf8Printable(hostText(server.address())), unsigned{server.port()});
    std::fflush(stdout);
    return app.exec();
}
