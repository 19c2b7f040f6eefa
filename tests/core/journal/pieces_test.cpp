#include "TestSupport.h"

#include "MainWindowModel.h"
#include "journal/JournalBatch.h"
#include "journal/JournalPass.h"
#include "journal/JournalReader.h"
#include "journal/LogModel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr qint64 kWhole = qint64(1) << 40;

QList<QByteArray> linesOf(const JournalBatch& b)
{
    QList<QByteArray> out;
    for (qsizetype i = 0; i < b.size(); ++i)
        out.append(b.line(i).toByteArray());
    return out;
}

// Everything a run leaves behind that a player or a later pass can see.
QByteArray outcome(CoreFixture& fx)
{
    QByteArray dump = QJsonDocument(fx.core->dumpJson()).toJson();
    for (qsizetype i = 0; i < fx.core->log().count(); ++i)
        dump += fx.core->log().lineText(i).toUtf8() + '\n';
    dump += fx.ui.messages().join(QLatin1Char('\n')).toUtf8();
    dump.replace(fx.journalDir.path().toUtf8(), "<journal>");
    dump.replace(fx.dataDir.path().toUtf8(), "<data>");
    return dump;
}

QStringList fixtureJournals()
{
    QStringList out;
    QStringList names;
    for (const QString& root :
         {testData(QStringLiteral("journal-samples/journals")), sharedFixture(QStringLiteral("journals"))}) {
        if (root.isEmpty())
            continue;
        QDirIterator it(root, {QStringLiteral("Journal*.log")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!names.contains(QFileInfo(path).fileName())) {
                names.append(QFileInfo(path).fileName());
                out.append(path);
            }
        }
    }
    return out;
}

}  // namespace

class PiecesTest : public QObject
{
    Q_OBJECT
private slots:
    void linesInPieces_data();
    void linesInPieces();
    void passInPieces_sameAsWhole_data();
    void passInPieces_sameAsWhole();
    void longPass_reportsProgress();
};

void PiecesTest::linesInPieces_data()
{
    QTest::addColumn<qint64>("chunk");
    for (qint64 c : {1, 2, 3, 4, 5, 7, 11, 16, 40})
        QTest::newRow(qPrintable(QStringLiteral("piece %1").arg(c))) << c;
}

void PiecesTest::linesInPieces()
{
    // Every kind of line end, NUL runs, empty lines and a half-written tail,
    // cut into pieces of every size: the same lines as one whole read.
    QFETCH(qint64, chunk);
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF{\"a\":1}\r\n\rx\n\r\n", 15) +
                             QByteArray("\0\0{b}\r", 6) + "\r\nlong line of some length\ryy\r\r\n\ntail";
    CoreFixture whole;
    whole.append(bytes);
    JournalReader& w = whole.start().journal();
    w.chunkBytes = kWhole;
    QVERIFY(w.ReadJournalFile(whole.journalPath()));
    const QList<QByteArray> expected = linesOf(*w.JournalLog);
    QCOMPARE(expected.size(), 9);

    CoreFixture fx;
    fx.append(bytes);
    JournalReader& r = fx.start().journal();
    r.chunkBytes = chunk;
    QVERIFY(r.ReadJournalFile(fx.journalPath()));
    QCOMPARE(r.LastReadPos, w.LastReadPos);
    QVERIFY(!r.JournalLog->isEmpty());
    QCOMPARE(r.JournalLog->line(r.JournalLog->size() - 1).toByteArray(), expected.last());
    QList<QByteArray> inOrder;
    QVERIFY(r.visitInOrder([&](const JournalBatchPtr& piece) {
        inOrder += linesOf(*piece);
        return true;
    }));
    QCOMPARE(inOrder, expected);
    QCOMPARE(r.JournalLogCount, qsizetype(expected.size()));
    QList<QByteArray> newestFirst;
    r.visitNewestFirst([&](const JournalBatchPtr& piece) {
        newestFirst = linesOf(*piece) + newestFirst;
        return true;
    });
    QCOMPARE(newestFirst, expected);
    QCOMPARE(fx.core->log().count(), qsizetype(expected.size()));
    QCOMPARE(fx.core->log().lineText(0), QStringLiteral("{\"a\":1}"));

    // The rest of the tail arrives: only it is read.
    fx.append("\n");
    QVERIFY(r.ReadJournalFile(fx.journalPath()));
    QCOMPARE(linesOf(*r.JournalLog), QList<QByteArray>{"tail"});
}

void PiecesTest::passInPieces_sameAsWhole_data()
{
    QTest::addColumn<QString>("journal");
    QTest::addColumn<qint64>("chunk");
    for (const QString& path : fixtureJournals()) {
        // Pieces smaller than a ship loadout line, and pieces of many lines.
        QTest::newRow(qPrintable(QFileInfo(path).fileName() + QStringLiteral(" 1 KiB")))
            << path << qint64(1024);
        QTest::newRow(qPrintable(QFileInfo(path).fileName() + QStringLiteral(" 64 KiB")))
            << path << qint64(65536);
    }
}

void PiecesTest::passInPieces_sameAsWhole()
{
    // The history read at start-up (first half of the journal) and a long
    // later batch (second half) give the same records, lists, files, log
    // view and messages whether the journal is read whole or in pieces.
    QFETCH(QString, journal);
    QFETCH(qint64, chunk);
    const QByteArray bytes = readFile(journal);
    qsizetype half = bytes.indexOf('\n', bytes.size() / 2) + 1;
    if (half <= 0)
        half = bytes.size();
    QList<QByteArray> outcomes;
    for (qint64 c : {kWhole, chunk}) {
        CoreFixture fx;
        writeFile(fx.journalDir.filePath(QStringLiteral("Cargo.json")), R"({ "Inventory":[ ] })");
        fx.append(bytes.left(half), QFileInfo(journal).fileName());
        TessivarCore& core = fx.start();
        core.journal().chunkBytes = c;
        fx.pass();
        QByteArray run = outcome(fx);
        fx.append(bytes.mid(half), QFileInfo(journal).fileName());
        fx.pass();
        run += outcome(fx);
        outcomes.append(run);
    }
    QCOMPARE(outcomes[1], outcomes[0]);
}

void PiecesTest::longPass_reportsProgress()
{
    CoreFixture fx;
    QByteArray bytes;
    for (int i = 0; i < 200; ++i)
        bytes += journalLine("2025-01-01T10:00:00Z", "Music", "\"MusicTrack\":\"NoTrack\"");
    fx.append(bytes);
    TessivarCore& core = fx.start();
    core.journal().chunkBytes = 1000;
    core.pass().progressBytes = 5000;
    QSignalSpy spy(&core.mainWindow(), &MainWindowModel::passProgress);
    fx.pass();
    QVERIFY(spy.size() > 3);
    const qint64 total = bytes.size();
    QCOMPARE(spy.first(), (QList<QVariant>{qint64(0), total}));
    QCOMPARE(spy.last(), (QList<QVariant>{total, total}));
    for (qsizetype i = 1; i < spy.size(); ++i)
        QVERIFY(spy[i][0].toLongLong() >= spy[i - 1][0].toLongLong());

    // A short read shows nothing.
    spy.clear();
    fx.append(journalLine("2025-01-01T10:00:01Z", "Music"));
    fx.pass();
    QVERIFY(spy.isEmpty());
}

QTEST_GUILESS_MAIN(PiecesTest)
#include "pieces_test.moc"
