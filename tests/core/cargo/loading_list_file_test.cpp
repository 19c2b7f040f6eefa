#include "TestSupport.h"
#include "cargo/LoadingListFile.h"
#include "common/Error.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// zaladunek.ini on its own: real files in a temporary folder, no core.
class LoadingListFileTest : public QObject
{
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void unreadableFile_isAFailureNotACrash();
    void writes_keepTheRestOfTheFile();
    void update_writesWhatCameBeforeABadNumber();
    void snapshot_restoresTheBytes();
};

namespace {

QString entriesText(const QList<LoadingFileEntry>& entries)
{
    QStringList out;
    for (const LoadingFileEntry& e : entries)
        out.append(e.name + QLatin1Char('=') + e.text + QLatin1Char('/') + QString::number(e.quantity));
    return out.join(QLatin1Char('|'));
}

}  // namespace

void LoadingListFileTest::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("badNumber");     // a text the report holds, or empty
    QTest::addColumn<QString>("repeatedKeys");  // a text the report holds, or empty
    QTest::newRow("two entries") << QByteArray("[zaladunek]\r\nSteel=100\r\nTea= 5\r\n")
                                 << "Steel=100/100|Tea=5/5" << QString() << QString();
    QTest::newRow("other sections kept out") << QByteArray("; note\n[other]\nx=1\n[zaladunek]\nGold=-3\n")
                                             << "Gold=-3/-3" << QString() << QString();
    QTest::newRow("bad number stops the reading")
        << QByteArray("[zaladunek]\nSteel=100\nWater=abc\nTea=5\n") << "Steel=100/100"
        << "\"Water\"" << QString();
    QTest::newRow("repeated key in other letter case")
        << QByteArray("[zaladunek]\nSteel=100\nsteel=50\n") << "Steel=100/100" << QString()
        << "\"steel=50\" repeats \"Steel=100\"";
    QTest::newRow("value holding =") << QByteArray("[zaladunek]\nA=B=5\nTea=5\n") << "Tea=5/5" << QString()
                                     << QString();
}

void LoadingListFileTest::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, entries);
    QFETCH(QString, badNumber);
    QFETCH(QString, repeatedKeys);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zaladunek.ini"));
    QVERIFY(!LoadingListFile(path).read().exists);
    writeFile(path, file);
    const LoadingListFile::Read r = LoadingListFile(path).read();
    QVERIFY(r.exists);
    QVERIFY(r.failure.isEmpty());
    QCOMPARE(entriesText(r.entries), entries);
    QCOMPARE(r.badNumber.isEmpty(), badNumber.isEmpty());
    QVERIFY2(r.badNumber.contains(badNumber), qPrintable(r.badNumber));
    QCOMPARE(r.repeatedKeys.isEmpty(), repeatedKeys.isEmpty());
    QVERIFY2(r.repeatedKeys.contains(repeatedKeys), qPrintable(r.repeatedKeys));
    QCOMPARE(readFile(path), file);  // reading never writes
}

void LoadingListFileTest::unreadableFile_isAFailureNotACrash()
{
    QTemporaryDir dir;
    // A folder where the file should be: it exists and cannot be read.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("zaladunek.ini")));
    const LoadingListFile file(dir.filePath(QStringLiteral("zaladunek.ini")));
    const LoadingListFile::Read r = file.read();
    QVERIFY(r.exists);
    QVERIFY(!r.failure.isEmpty());
    QVERIFY(r.entries.isEmpty());
    QVERIFY_THROWS_EXCEPTION(TessivarError, file.write(QStringLiteral("Steel"), 1));
    QCOMPARE(file.dump().size(), 1);
    QCOMPARE(file.dump().at(0).toArray().at(0).toString(), QStringLiteral("error"));
}

void LoadingListFileTest::writes_keepTheRestOfTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zaladunek.ini"));
    writeFile(path, "; kept\r\n[zaladunek]\r\nSteel=100\r\nsteel=7\r\n[other]\r\nx=1\r\n");
    const LoadingListFile file(path);
    file.write(QStringLiteral(" Tea "), 5);
    file.writeAll({{QStringLiteral("Gold"), 2}, {QStringLiteral("Steel"), 90}});
    QCOMPARE(
        readFile(path),
        QByteArray("; kept\r\n[zaladunek]\r\nSteel=90\r\nsteel=7\r\nTea=5\r\nGold=2\r\n[other]\r\nx=1\r\n"));
    QVERIFY_THROWS_EXCEPTION(TessivarError, file.write(QStringLiteral("A=B"), 1));
    QVERIFY_THROWS_EXCEPTION(TessivarError, file.write(QStringLiteral("TOTAL"), 1));
    // Every spelling goes, so no older line resurfaces.
    QVERIFY(file.erase(QStringLiteral("STEEL")));
    QVERIFY(!file.erase(QStringLiteral("Wine")));
    QCOMPARE(readFile(path), QByteArray("; kept\r\n[zaladunek]\r\nTea=5\r\nGold=2\r\n[other]\r\nx=1\r\n"));
    file.clear();
    QCOMPARE(readFile(path), QByteArray("; kept\r\n[other]\r\nx=1\r\n"));
}

void LoadingListFileTest::update_writesWhatCameBeforeABadNumber()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zaladunek.ini"));
    const LoadingListFile file(path);
    const auto all = [](const QString&) { return true; };
    const auto less = [](const QString&, qint64 q) { return q - 10; };
    QVERIFY(!file.update(all, less));  // no file: nothing to change, nothing written
    QVERIFY(!QFile::exists(path));
    writeFile(path, "[zaladunek]\nSteel=100\nTOTAL=5\nWater=x\nTea=50\n");
    QVERIFY_THROWS_EXCEPTION(TessivarError, file.update(all, less));
    QCOMPARE(readFile(path), QByteArray("[zaladunek]\nSteel=90\nTOTAL=5\nWater=x\nTea=50\n"));
    QVERIFY(file.update([](const QString& n) { return n == QLatin1String("Tea"); }, less));
    QCOMPARE(readFile(path), QByteArray("[zaladunek]\nSteel=90\nTOTAL=5\nWater=x\nTea=40\n"));
}

void LoadingListFileTest::snapshot_restoresTheBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zaladunek.ini"));
    const LoadingListFile file(path);
    const LoadingListFile::Snapshot absent = file.snapshot();
    QVERIFY(!absent);
    const QByteArray bytes("\xEF\xBB\xBF; Notatka\n[zaladunek]\nSteel = 100\n");
    writeFile(path, bytes);
    const LoadingListFile::Snapshot kept = file.snapshot();
    file.write(QStringLiteral("Tea"), 1);
    file.restore(kept);
    QCOMPARE(readFile(path), bytes);
    file.restore(absent);
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(LoadingListFileTest)
#include "loading_list_file_test.moc"
