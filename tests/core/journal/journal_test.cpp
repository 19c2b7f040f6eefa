#include "TestSupport.h"

#include "journal/JournalBatch.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <filesystem>

namespace {

QList<QByteArray> linesOf(const JournalBatch& b)
{
    QList<QByteArray> out;
    for (qsizetype i = 0; i < b.size(); ++i)
        out.append(b.line(i).toByteArray());
    return out;
}

void setMTime(const QString& path, const QDateTime& t)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

}  // namespace

class JournalTest : public QObject
{
    Q_OBJECT
private slots:
    void splitCompleteLines_data();
    void splitCompleteLines();
    void readsOnlyNewCompleteLines();
    void byteOrderMarkAtReadPosition();
    void fileShorterThanReadPosition();
    void missingFileReportedOnce();
    void nulRunBeforeEventIsDropped();
    void realJournalWithNulRun();
    void newestJournalFile();
    void equalTimesFirstEnumeratedWins();
    void lastTime_data();
    void lastTime();
};

void JournalTest::splitCompleteLines_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("consumed");
    using L = QList<QByteArray>;
    QTest::newRow("LF") << QByteArray("a\nb\n") << L{"a", "b"} << 4;
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\n") << L{"a", "b"} << 6;
    QTest::newRow("CR followed by data") << QByteArray("a\rb\n") << L{"a", "b"} << 4;
    QTest::newRow("CR as last byte waits") << QByteArray("a\nb\r") << L{"a"} << 2;
    QTest::newRow("unterminated tail waits") << QByteArray("a\n{\"timestamp\":") << L{"a"} << 2;
    QTest::newRow("empty lines kept") << QByteArray("\n\r\nx\n") << L{"", "", "x"} << 5;
    QTest::newRow("leading NULs dropped") << QByteArray("\0\0\0{}\n", 6) << L{"{}"} << 6;
    QTest::newRow("inner NUL kept") << QByteArray("a\0b\n", 4) << L{QByteArray("a\0b", 3)} << 4;
    QTest::newRow("nothing complete") << QByteArray("abc") << L{} << 0;
}

void JournalTest::splitCompleteLines()
{
    QFETCH(QByteArray, data);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, consumed);
    std::vector<JournalBatch::Span> spans;
    const qsizetype used = ::splitCompleteLines(data, 0, spans);
    QCOMPARE(used, consumed);
    QList<QByteArray> got;
    for (const auto& s : spans)
        got.append(data.mid(s.offset, s.length));
    QCOMPARE(got, lines);
}

void JournalTest::readsOnlyNewCompleteLines()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    JournalReader& r = core.journal();
    const QString path = fx.journalPath();
    const QByteArray first = journalLine("2025-01-01T10:00:00Z", "Fileheader");
    fx.append(first + "{ \"timestamp\":\"2025-01-01T10:00:01Z\", \"ev");

    QVERIFY(r.ReadJournalFile(path));
    QCOMPARE(linesOf(*r.JournalLog), QList<QByteArray>{first.chopped(2)});
    QCOMPARE(r.LastReadPos, qint64(first.size()));
    QCOMPARE(core.log().count(), 1);

    // Nothing new: empty batch, position and log view unchanged.
    QVERIFY(r.ReadJournalFile(path));
    QVERIFY(r.JournalLog->isEmpty());
    QCOMPARE(r.LastReadPos, qint64(first.size()));
    QCOMPARE(core.log().count(), 1);

    // The rest of the half-written line arrives: the whole line comes back once.
    fx.append("ent\":\"Music\" }\r\n");
    QVERIFY(r.ReadJournalFile(path));
    QCOMPARE(linesOf(*r.JournalLog),
             QList<QByteArray>{"{ \"timestamp\":\"2025-01-01T10:00:01Z\", \"event\":\"Music\" }"});
    QCOMPARE(r.LastReadPos, QFileInfo(path).size());
    QCOMPARE(core.log().count(), 2);
}

void JournalTest::byteOrderMarkAtReadPosition()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append("\xEF\xBB\xBF" + journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    QVERIFY(core.journal().ReadJournalFile(fx.journalPath()));
    QCOMPARE(core.journal().JournalLog->size(), 1);
    QVERIFY(core.journal().JournalLog->line(0).startsWith("{ \"timestamp\""));
}

void JournalTest::fileShorterThanReadPosition()
{
    // The journal is replaced (or cut short) under the same name: the lines
    // now in it are all new, read from its start, not from mid-line once it
    // passes its old length.
    CoreFixture fx;
    TessivarCore& core = fx.start();
    writeFile(fx.journalDir.filePath(QStringLiteral("Cargo.json")), R"({ "Inventory":[ ] })");
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader") +
              journalLine("2025-01-01T10:00:01Z", "Music") + journalLine("2025-01-01T10:00:02Z", "Music"));
    fx.pass();
    const QByteArray replaced =
        journalLine("2025-01-01T11:00:00Z", "Fileheader") +
        journalLine("2025-01-01T11:00:01Z", "Commander", R"("FID":"F1", "Name":"Jameson")");
    writeFile(fx.journalPath(), replaced);
    fx.pass();
    QCOMPARE(core.journal().JournalLog->size(), 2);
    QCOMPARE(core.journal().LastReadPos, qint64(replaced.size()));
    QCOMPARE(core.state.dane_CMDR.Name, QStringLiteral("Jameson"));
    QCOMPARE(core.pass().last_time, QStringLiteral("2025-01-01T11:00:01Z"));
    QVERIFY(fx.ui.messages().isEmpty());
}

void JournalTest::missingFileReportedOnce()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    // No journal in the folder: every pass fails to read, but it is told once,
    // on the message strip (no pass raises a box).
    fx.pass();
    fx.pass();
    fx.pass();
    QVERIFY(fx.ui.messages().isEmpty());
    QCOMPARE(fx.told().size(), 1);
    QVERIFY(fx.told().first().startsWith(QStringLiteral("Error reading the file: ")));
    QVERIFY(core.pass().Settings_Loaded);
    QCOMPARE(core.pass().passes, 3);

    // Once a journal appears it is followed.
    writeFile(fx.journalDir.filePath(QStringLiteral("Cargo.json")), R"({ "Inventory":[ ] })");
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader"));
    fx.pass();
    QCOMPARE(core.pass().last_time, QStringLiteral("2025-01-01T10:00:00Z"));
    QCOMPARE(fx.told().size(), 1);
}

void JournalTest::nulRunBeforeEventIsDropped()
{
    CoreFixture fx;
    TessivarCore& core = fx.start();
    fx.append(journalLine("2025-01-01T10:00:00Z", "Fileheader") + QByteArray(28000, '\0') +
              journalLine("2025-01-01T10:00:05Z", "Commander", "\"FID\":\"F1\", \"Name\":\"Jameson\""));
    fx.pass();
    QCOMPARE(core.journal().JournalLog->size(), 2);
    QVERIFY(core.journal().JournalLog->line(1).startsWith("{ \"timestamp\":\"2025-01-01T10:00:05Z\""));
    QCOMPARE(core.pass().last_time, QStringLiteral("2025-01-01T10:00:05Z"));
    QCOMPARE(core.pass().dispatched.size(), size_t(1));
    QCOMPARE(core.pass().dispatched[0].handler, QStringLiteral("parse_CMDR"));
}

void JournalTest::realJournalWithNulRun()
{
    REQUIRE_SHARED(src, QStringLiteral("journals/rster2002__ed-journals/Journal.2023-07-30T222321.01.log"));
    CoreFixture fx;
    QVERIFY(QFile::copy(src, fx.journalPath(QStringLiteral("Journal.2023-07-30T222321.01.log"))));
    TessivarCore& core = fx.start();
    fx.pass();
    const JournalBatch& b = *core.journal().JournalLog;
    QCOMPARE(core.journal().LastReadPos, QFileInfo(src).size());
    // Every line, the one after the run of NUL bytes included, is a JSON object
    // again and no line holds a NUL byte any more.
    int parsed = 0;
    for (qsizetype i = 0; i < b.size(); ++i) {
        QVERIFY(!b.line(i).contains('\0'));
        if (b.line(i).startsWith("{"))
            ++parsed;
    }
    QCOMPARE(parsed, int(b.size()));
    QCOMPARE(b.size(), 201);
}

void JournalTest::newestJournalFile()
{
    QTemporaryDir dir;
    const QDateTime base = QDateTime::currentDateTimeUtc().addDays(-1);
    const QStringList names = {QStringLiteral("Journal.2025-01-01T000000.01.log"),
                               QStringLiteral("JournalX.log"), QStringLiteral("xJournal.log"),
                               QStringLiteral("journal.lower.log"), QStringLiteral("Journal.txt")};
    for (int i = 0; i < names.size(); ++i) {
        writeFile(dir.filePath(names[i]), "x\n");
        setMTime(dir.filePath(names[i]), base.addSecs(10 * i));
    }
    // JournalX.log is the newest file whose name begins with "Journal" and ends in .log.
    QCOMPARE(JournalReader::GetNewestJournalFile(dir.path()), dir.path() + QStringLiteral("/JournalX.log"));
    // The choice is by modification time, not by the date in the name.
    setMTime(dir.filePath(names[0]), base.addSecs(100));
    QCOMPARE(JournalReader::GetNewestJournalFile(dir.path() + QLatin1Char('/')),
             dir.path() + QLatin1Char('/') + names[0]);
    QCOMPARE(JournalReader::GetNewestJournalFile(QString()), QString());
    QCOMPARE(JournalReader::GetNewestJournalFile(dir.filePath(QStringLiteral("missing"))), QString());
}

void JournalTest::equalTimesFirstEnumeratedWins()
{
    QTemporaryDir dir;
    const QDateTime t = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);  // an even second
    for (const char* n : {"Journal.a.log", "Journal.b.log", "Journal.c.log"}) {
        writeFile(dir.filePath(QLatin1String(n)), "x\n");
        setMTime(dir.filePath(QLatin1String(n)), t.addMSecs(n[8] == 'b' ? 1500 : 0));
    }
    // All three fall in the same 2-second step: the first one the folder lists wins.
    QString first;
    for (const auto& e : std::filesystem::directory_iterator(dir.path().toStdString())) {
        first = QString::fromStdString(e.path().filename().string());
        break;
    }
    QCOMPARE(JournalReader::GetNewestJournalFile(dir.path()), dir.path() + QLatin1Char('/') + first);
}

void JournalTest::lastTime_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("normal") << QByteArray(R"({ "timestamp":"2025-06-07T19:43:09Z", "event":"Music" })")
                            << QStringLiteral("2025-06-07T19:43:09Z");
    QTest::newRow("no timestamp") << QByteArray(R"({ "event":"Music" })") << QStringLiteral("na");
    QTest::newRow("empty timestamp") << QByteArray(R"({ "timestamp":"", "event":"Music" })") << QString();
    QTest::newRow("not json") << QByteArray("garbage") << QStringLiteral("na");
    QTest::newRow("first match") << QByteArray(R"({"timestamp":"A","x":{"timestamp":"B"}})")
                                 << QStringLiteral("A");
}

void JournalTest::lastTime()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    QCOMPARE(JournalReader::get_last_time(line), expected);
}

QTEST_GUILESS_MAIN(JournalTest)
#include "journal_test.moc"
