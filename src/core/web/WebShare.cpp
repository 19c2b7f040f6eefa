#include "web/WebShare.h"

#include "common/Error.h"
#include "settings/SettingsStore.h"
#include "web/WebServer.h"

#include <QNetworkInterface>
#include <QRandomGenerator>

namespace {

bool isPrivateIPv4(const QHostAddress& a)
{
    return a.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8) ||
           a.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12) ||
           a.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16);
}

// This computer's IPv4 address as a phone on the same network sees it: a
// private address of a running interface first, any other one next.
QString lanHost()
{
    QString other;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& i : interfaces) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = i.addressEntries();
        for (const QNetworkAddressEntry& e : entries) {
            const QHostAddress a = e.ip();
            if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLinkLocal())
                continue;
            if (isPrivateIPv4(a))
                return a.toString();
            if (other.isEmpty())
                other = a.toString();
        }
    }
    return other.isEmpty() ? QStringLiteral("127.0.0.1") : other;
}

// A token typed into settings.ini by hand must still be hard to guess and
// must fit in an address as it stands.
bool isUsableToken(const QString& token)
{
    if (token.size() < 2 * WebShare::kTokenBytes)
        return false;
    for (const QChar c : token)
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'-' || c == u'_'))
            return false;
    return true;
}

}  // namespace

WebShare::WebShare(SettingsStore& settings, const WebPageFeed& feed, std::function<void(const QString&)> find,
                   std::function<void(const QString&)> report, QObject* parent)
    : QObject(parent), m_settings(settings), m_report(std::move(report)),
      m_server(new WebServer(feed, std::move(find), this))
{
    m_shared = settings.flag(SettingKeys::WebShared);
    m_localOnly = settings.flag(SettingKeys::WebLocalOnly);
    const qint64 port = settings.number(SettingKeys::WebPort);
    m_port = port >= 1 && port <= 65535 ? quint16(port) : kDefaultPort;
    m_token = settings.value(SettingKeys::WebToken).trimmed();
    if (m_shared)
        restart();
}

WebShare::~WebShare() = default;

bool WebShare::isListening() const
{
    return m_server->isListening();
}

QString WebShare::address() const
{
    if (!isListening())
        return {};
    const QString host = m_localOnly ? QStringLiteral("127.0.0.1") : lanHost();
    return QStringLiteral("http://%1:%2/%3/").arg(host).arg(m_server->serverPort()).arg(m_token);
}

QString WebShare::makeToken()
{
    QByteArray bytes(kTokenBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), kTokenBytes / 4);
    return QString::fromLatin1(bytes.toHex());
}

void WebShare::setShared(bool on)
{
    m_shared = on;
    store(SettingKeys::WebShared, on ? QStringLiteral("1") : QStringLiteral("0"));
    restart();
}

void WebShare::setLocalOnly(bool on)
{
    m_localOnly = on;
    store(SettingKeys::WebLocalOnly, on ? QStringLiteral("1") : QStringLiteral("0"));
    restart();
}

void WebShare::setPort(quint16 port)
{
    if (port == 0 || port == m_port)
        return;
    m_port = port;
    store(SettingKeys::WebPort, QString::number(port));
    restart();
}

void WebShare::renewToken()
{
    m_token = makeToken();
    store(SettingKeys::WebToken, m_token);
    m_server->setToken(m_token);
    emit changed();
}

void WebShare::restart()
{
    m_server->close();
    m_problem.clear();
    if (m_shared) {
        if (!isUsableToken(m_token)) {
            m_token = makeToken();
            store(SettingKeys::WebToken, m_token);
        }
        m_server->setToken(m_token);
        const QHostAddress where =
            m_localOnly ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(QHostAddress::Any);
        QString error;
        if (!m_server->listen(where, m_port, &error)) {
            m_problem = WebShare::tr("Cannot share to browser on port %1: %2").arg(m_port).arg(error);
            m_report(m_problem);
        }
    }
    emit changed();
}

void WebShare::store(const SettingKey& key, const QString& value)
{
    m_settings.setValue(key, value);  // a failure is reported by the store
}
