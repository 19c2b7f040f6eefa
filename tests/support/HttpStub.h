#pragma once

// A small HTTP/1.1 server on a loopback port for tests of the hub client: it
// records every request and answers as the test says, or not at all, or with
// more bytes than a client should take.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <functional>
#include <map>

struct StubRequest
{
    QByteArray method;
    QByteArray path;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray& name) const
    {
        for (const auto& [n, v] : headers)
            if (n.compare(name, Qt::CaseInsensitive) == 0)
                return v;
        return {};
    }
    // The value of a form field, decoded.
    QString field(const QString& name) const
    {
        QByteArray b = body;
        b.replace('+', ' ');
        return QUrlQuery(QString::fromUtf8(b)).queryItemValue(name, QUrl::FullyDecoded);
    }
};

struct StubResponse
{
    enum class Kind
    {
        Answer,
        Silent
    };
    Kind kind = Kind::Answer;
    int status = 200;
    QByteArray reason = "OK";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool contentLength = true;  // false: the end of the body is the end of the connection

    static StubResponse text(const QByteArray& body, int status = 200, const QByteArray& reason = "OK")
    {
        StubResponse r;
        r.status = status;
        r.reason = reason;
        r.body = body;
        return r;
    }
    static StubResponse silent()
    {
        StubResponse r;
        r.kind = Kind::Silent;
        return r;
    }
};

class HttpStub
{
public:
    std::function<StubResponse(const StubRequest&)> handler = [](const StubRequest&) {
        return StubResponse::text({});
    };
    QList<StubRequest> requests;

    HttpStub()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { onData(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] {
                    m_buffers.erase(s);
                    s->deleteLater();
                });
            }
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }
    // The bodies of the requests received so far.
    QStringList bodies() const
    {
        QStringList out;
        for (const StubRequest& r : requests)
            out.append(QString::fromUtf8(r.body));
        return out;
    }

private:
    void onData(QTcpSocket* s)
    {
        QByteArray& buf = m_buffers[s];
        buf += s->readAll();
        const qsizetype end = buf.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        StubRequest r;
        const QList<QByteArray> lines = buf.left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        r.method = first.value(0);
        r.path = first.value(1);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon < 0)
                continue;
            r.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
            if (r.headers.last().first.compare("Content-Length", Qt::CaseInsensitive) == 0)
                length = r.headers.last().second.toLongLong();
        }
        if (buf.size() < end + 4 + length)
            return;
        r.body = buf.mid(end + 4, length);
        buf.remove(0, end + 4 + length);
        requests.append(r);

        const StubResponse resp = handler(r);
        if (resp.kind == StubResponse::Kind::Silent)
            return;
        QByteArray out = "HTTP/1.1 " + QByteArray::number(resp.status) + ' ' + resp.reason + "\r\n";
        if (resp.contentLength)
            out += "Content-Length: " + QByteArray::number(resp.body.size()) + "\r\n";
        for (const auto& [n, v] : resp.headers)
            out += n + ": " + v + "\r\n";
        out += "Connection: close\r\n\r\n";
        s->write(out);
        s->write(resp.body);
        s->disconnectFromHost();
    }

    // Declared first so it outlives the server, whose sockets report their
    // disconnection while the server is destroyed.
    std::map<QTcpSocket*, QByteArray> m_buffers;
    QTcpServer m_server;
};
