#include "TestSupport.h"

#include "common/NoticeModel.h"
#include "journal/JournalPass.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>

CoreFixture::CoreFixture() = default;

TessivarCore& CoreFixture::start()
{
    AppPaths paths;
    paths.dataDir = dataDir.path();
    paths.journalDir = journalDir.path();
    paths.demoDir = demoDir;
    core = std::make_unique<TessivarCore>(paths, StartupSettings::read(dataDir.path()), ui);
    core->pass().recordDispatches = true;
    return *core;
}

QString CoreFixture::journalPath(const QString& name) const
{
    return journalDir.filePath(name);
}

void CoreFixture::append(const QByteArray& bytes, const QString& name)
{
    QFile f(journalPath(name));
    QVERIFY(f.open(QIODevice::Append));
    f.write(bytes);
}

void CoreFixture::pass()
{
    core->pass().Timer1Timer();
}

QStringList CoreFixture::told() const
{
    QStringList out = ui.messages();
    for (const NoticeModel::Notice& n : core->notices().notices())
        for (int i = 0; i < n.count; ++i)
            out.append(n.text);
    return out;
}

QStringList CoreFixture::stripTexts() const
{
    QStringList out;
    for (const NoticeModel::Notice& n : core->notices().notices())
        out.append(n.text);
    return out;
}

QByteArray journalLine(const char* timestamp, const char* event, const QByteArray& extra)
{
    QByteArray l = QByteArray("{ \"timestamp\":\"") + timestamp + "\", \"event\":\"" + event + "\"";
    if (!extra.isEmpty())
        l += ", " + extra;
    return l + " }\r\n";
}

QString sharedFixture(const QString& relative)
{
    // The full sample folder beside the repository, else the copy kept with the tests.
    for (const QString& root :
         {QStringLiteral(TESSIVAR_SHARED_FIXTURES), testData(QStringLiteral("journal-samples"))}) {
        const QString p = root + QLatin1Char('/') + relative;
        if (QFileInfo::exists(p))
            return p;
    }
    return {};
}

QString testData(const QString& relative)
{
    return QStringLiteral(TESSIVAR_TEST_DATA) + QLatin1Char('/') + relative;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void useOffscreenScreens(const QString& configFile, const QList<QSize>& screens)
{
    QByteArray list;
    int x = 0;
    for (const QSize& s : screens) {
        list += (list.isEmpty() ? "" : ",") +
                QStringLiteral(R"({"name":"S%1x%2","x":%3,"y":0,"width":%1,"height":%2,)"
                               R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1})")
                    .arg(s.width())
                    .arg(s.height())
                    .arg(x)
                    .toUtf8();
        x += s.width();
    }
    writeFile(configFile, R"({"windowFrameMargins":true,"screens":[)" + list + "]}");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + configFile.toUtf8());
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QList<QByteArray> fixtureLines(const QString& relative)
{
    QList<QByteArray> out;
    const QString p = sharedFixture(relative);
    if (p.isEmpty())
        return out;
    for (const QByteArray& l : readFile(p).split('\n'))
        if (!l.trimmed().isEmpty())
            out.append(l);
    return out;
}

CliRun runCli(const QString& program, const QStringList& args, CliWait wait)
{
    CliRun r;
    QProcess p;
    p.start(program, args);
    if (wait == CliWait::Blocking) {
        if (!p.waitForFinished(60000))
            return r;
    } else {
        if (!p.waitForStarted(10000))
            return r;
        QDeadlineTimer deadline(60000);
        while (p.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(20);
        if (p.state() != QProcess::NotRunning)
            return r;
    }
    r.exitCode = p.exitCode();
    r.err = p.readAllStandardError();
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            r.objects.append(QJsonDocument::fromJson(line).object());
    return r;
}

QString unusedLoopbackUrl()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 port = s.serverPort();
    s.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

QString startHub(QProcess& hub, const QString& program, const QStringList& args)
{
    constexpr int kWait = 10000;
    hub.setProcessChannelMode(QProcess::SeparateChannels);
    hub.start(program, QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")} + args);
    if (!hub.waitForStarted(kWait))
        return {};
    QDeadlineTimer deadline(kWait);
    while (!hub.canReadLine() && !deadline.hasExpired())
        hub.waitForReadyRead(100);
    const QString first = QString::fromUtf8(hub.readLine()).trimmed();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)$")).match(first);
    return m.hasMatch() ? QStringLiteral("http://127.0.0.1:") + m.captured(1) : QString();
}
