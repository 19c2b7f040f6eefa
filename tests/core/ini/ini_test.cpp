#include "TestSupport.h"
#include "common/Error.h"
#include "ini/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class IniTest : public QObject
{
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void write_keepsEverythingElse_data();
    void write_keepsEverythingElse();
    void write_refusesWhatBreaksTheFormat_data();
    void write_refusesWhatBreaksTheFormat();
    void sectionsAndKeys_inFileOrder();
    void deleteAndErase();
    void typedValues_data();
    void typedValues();
    void file_createdOnFirstWrite_andReplacedWhole();
    void file_failedWrite_leavesOldFile();
    void encodings_readAndKeptOnSave_data();
    void encodings_readAndKeptOnSave();
    void unreadableFile_reportedAndNeverRewritten_data();
    void unreadableFile_reportedAndNeverRewritten();
    void manySections_editedInPlace();
    void journalTextAsKey_storedAndReadBack_data();
    void journalTextAsKey_storedAndReadBack();
};

void IniTest::lookup_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");  // "<none>" when absent

    const QByteArray doc = "; comment\r\n[Carrier]\r\nName=QRT\r\n\r\n[Windows]\r\nch_bgs = 1 \r\n";
    QTest::newRow("exact") << doc << "Carrier"
                           << "Name"
                           << "QRT";
    QTest::newRow("section case") << doc << "CARRIER"
                                  << "Name"
                                  << "QRT";
    QTest::newRow("key case") << doc << "carrier"
                              << "nAmE"
                              << "QRT";
    QTest::newRow("blanks trimmed") << doc << "windows"
                                    << "ch_bgs"
                                    << "1";
    QTest::newRow("missing key") << doc << "Carrier"
                                 << "CarrierID"
                                 << "<none>";
    QTest::newRow("missing section") << doc << "KVN"
                                     << "Name"
                                     << "<none>";
    QTest::newRow("key with blanks") << QByteArray("[zaladunek]\nCeramic Composites=720\n") << "zaladunek"
                                     << "ceramic composites"
                                     << "720";
    QTest::newRow("value with commas") << QByteArray("[a]\nk=1,2,3\n") << "a"
                                       << "k"
                                       << "1,2,3";
    QTest::newRow("value with backslashes") << QByteArray("[a]\nk=C:\\Games\\x\\\n") << "a"
                                            << "k"
                                            << "C:\\Games\\x\\";
    QTest::newRow("value with equals") << QByteArray("[a]\nk=x=y\n") << "a"
                                       << "k"
                                       << "x=y";
    QTest::newRow("utf-8") << QByteArray("[CMDR]\nName=Zażółć gęślą\n") << "cmdr"
                           << "name" << QString::fromUtf8("Zażółć gęślą");
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF[a]\nk=v\n") << "a"
                         << "k"
                         << "v";
    QTest::newRow("lone CR lines") << QByteArray("[a]\rk=v\r") << "a"
                                   << "k"
                                   << "v";
    QTest::newRow("first of duplicates") << QByteArray("[a]\nk=1\nk=2\n") << "a"
                                         << "k"
                                         << "1";
    QTest::newRow("section repeated") << QByteArray("[a]\nx=1\n[b]\n[A]\nk=2\n") << "a"
                                      << "k"
                                      << "2";
    QTest::newRow("comment is no key") << QByteArray("[a]\n;k=1\n") << "a"
                                       << ";k"
                                       << "<none>";
    QTest::newRow("key before any section") << QByteArray("k=1\n[a]\n") << "a"
                                            << "k"
                                            << "<none>";
}

void IniTest::lookup()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const IniDocument doc = IniDocument::fromText(text);
    const auto v = doc.value(section, key);
    QCOMPARE(v.value_or(QStringLiteral("<none>")), expected);
    QCOMPARE(doc.valueExists(section, key), expected != QLatin1String("<none>"));
}

void IniTest::write_keepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place, CRLF kept")
        << QByteArray("; mine\r\n[Carrier]\r\nName=Old\r\nCarrierID=5\r\n") << "carrier"
        << "NAME"
        << "New" << QByteArray("; mine\r\n[Carrier]\r\nName=New\r\nCarrierID=5\r\n");
    QTest::newRow("LF kept, unknown lines kept")
        << QByteArray("[a]\nk=1\nsome junk line\n\n[b]\nx=2\n") << "a"
        << "k"
        << "3" << QByteArray("[a]\nk=3\nsome junk line\n\n[b]\nx=2\n");
    QTest::newRow("new key after the section's last entry")
        << QByteArray("[a]\nk=1\n\n[b]\nx=2\n") << "a"
        << "Ceramic Composites"
        << "720" << QByteArray("[a]\nk=1\nCeramic Composites=720\n\n[b]\nx=2\n");
    QTest::newRow("new section at the end") << QByteArray("[a]\nk=1\n") << "KVN"
                                            << "kvn_consent"
                                            << "1" << QByteArray("[a]\nk=1\n[KVN]\nkvn_consent=1\n");
    QTest::newRow("empty file gets CRLF") << QByteArray() << "windows"
                                          << "ch_bgs"
                                          << "0" << QByteArray("[windows]\r\nch_bgs=0\r\n");
    QTest::newRow("value verbatim") << QByteArray("[a]\n") << "a"
                                    << "path"
                                    << "C:\\x\\y,z;w=1" << QByteArray("[a]\npath=C:\\x\\y,z;w=1\n");
    QTest::newRow("untouched lines keep their spacing") << QByteArray("[a]\nk = 1\nj=2\n") << "a"
                                                        << "j"
                                                        << "5" << QByteArray("[a]\nk = 1\nj=5\n");
    QTest::newRow("utf-8 written") << QByteArray() << "CMDR"
                                   << "Name" << QString::fromUtf8("Łódź")
                                   << QByteArray("[CMDR]\r\nName=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n");
}

void IniTest::write_keepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    IniDocument doc = IniDocument::fromText(before);
    doc.setValue(section, key, value);
    QCOMPARE(doc.toText(), after);
    QCOMPARE(IniDocument::fromText(doc.toText()).value(section, key).value_or(QString()), value);
}

void IniTest::write_refusesWhatBreaksTheFormat_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("key with =") << "a"
                                << "x=y"
                                << "1";
    QTest::newRow("key starting with [") << "a"
                                         << "[x"
                                         << "1";
    QTest::newRow("key with LF") << "a"
                                 << "x\ny"
                                 << "1";
    QTest::newRow("key with CR") << "a"
                                 << "x\ry"
                                 << "1";
    QTest::newRow("empty key") << "a"
                               << ""
                               << "1";
    QTest::newRow("comment key") << "a"
                                 << ";x"
                                 << "1";
    QTest::newRow("value with LF") << "a"
                                   << "k"
                                   << "line1\nline2";
    QTest::newRow("value with CR") << "a"
                                   << "k"
                                   << "line1\rline2";
    QTest::newRow("section with ]") << "a]b"
                                    << "k"
                                    << "1";
    QTest::newRow("section with LF") << "a\nb"
                                     << "k"
                                     << "1";
    QTest::newRow("empty section") << ""
                                   << "k"
                                   << "1";
}

void IniTest::write_refusesWhatBreaksTheFormat()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.ini"));
    writeFile(path, "[a]\r\nk=old\r\n");
    QVERIFY_THROWS_EXCEPTION(TessivarError, IniFile(path).writeString(section, key, value));
    QCOMPARE(readFile(path), QByteArray("[a]\r\nk=old\r\n"));
}

void IniTest::sectionsAndKeys_inFileOrder()
{
    const IniDocument doc =
        IniDocument::fromText("[zeta]\nb=1\na=2\nB=3\n[alpha]\n[Zeta]\nc=4\n; x=5\n[beta]\n");
    QCOMPARE(doc.sections(), (QStringList{"zeta", "alpha", "beta"}));
    QCOMPARE(doc.sectionKeys(QStringLiteral("ZETA")), (QStringList{"b", "a", "c"}));
    const auto values = doc.sectionValues(QStringLiteral("zeta"));
    QCOMPARE(values.size(), 3);
    QCOMPARE(values[0], (QPair<QString, QString>{"b", "1"}));
    QVERIFY(doc.sectionExists(QStringLiteral("BETA")));
    QVERIFY(!doc.sectionExists(QStringLiteral("gamma")));
}

void IniTest::deleteAndErase()
{
    IniDocument doc = IniDocument::fromText("; top\n[a]\nk=1\nj=2\n[b]\nx=1\n[A]\nm=3\n");
    doc.deleteKey(QStringLiteral("A"), QStringLiteral("J"));
    QCOMPARE(doc.toText(), QByteArray("; top\n[a]\nk=1\n[b]\nx=1\n[A]\nm=3\n"));
    doc.eraseSection(QStringLiteral("a"));
    QCOMPARE(doc.toText(), QByteArray("; top\n[b]\nx=1\n"));
    doc.deleteKey(QStringLiteral("nothing"), QStringLiteral("k"));
    QCOMPARE(doc.toText(), QByteArray("; top\n[b]\nx=1\n"));
}

void IniTest::typedValues_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("asInt");    // default 7
    QTest::addColumn<bool>("asBool");  // default true
    QTest::addColumn<qint64>("asInt64");
    QTest::newRow("one") << QByteArray("1") << 1 << true << qint64(1);
    QTest::newRow("zero") << QByteArray("0") << 0 << false << qint64(0);
    QTest::newRow("other integer is true") << QByteArray("-3") << -3 << true << qint64(-3);
    QTest::newRow("not a number: defaults") << QByteArray("yes") << 7 << true << qint64(7);
    QTest::newRow("empty: defaults") << QByteArray("") << 7 << true << qint64(7);
    QTest::newRow("64-bit") << QByteArray("3707956480") << 7 << true << qint64(3707956480LL);
    QTest::newRow("fraction is no integer") << QByteArray("1.5") << 7 << true << qint64(7);
}

void IniTest::typedValues()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, asInt);
    QFETCH(bool, asBool);
    QFETCH(qint64, asInt64);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.ini"));
    writeFile(path, "[s]\nk=" + stored + "\n");
    const IniFile f(path);
    QCOMPARE(f.readInteger(QStringLiteral("s"), QStringLiteral("k"), 7), asInt);
    QCOMPARE(f.readBool(QStringLiteral("s"), QStringLiteral("k"), true), asBool);
    QCOMPARE(f.readInt64(QStringLiteral("s"), QStringLiteral("k"), 7), asInt64);
}

void IniTest::file_createdOnFirstWrite_andReplacedWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    const IniFile f(path);
    QVERIFY(!f.exists());
    QCOMPARE(f.readString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("def")),
             QStringLiteral("def"));
    f.writeBool(QStringLiteral("windows"), QStringLiteral("ch_bgs"), true);
    f.writeInteger(QStringLiteral("windows"), QStringLiteral("n"), -12);
    f.writeFloat(QStringLiteral("x"), QStringLiteral("d"), 0.1);
    QCOMPARE(readFile(path), QByteArray("[windows]\r\nch_bgs=1\r\nn=-12\r\n[x]\r\nd=0.1\r\n"));
    // Only the file itself is left behind: the write goes through a temporary
    // file that replaces the old one.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"});
}

void IniTest::file_failedWrite_leavesOldFile()
{
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("ro"));
    QDir().mkpath(sub);
    const QString path = sub + QStringLiteral("/x.ini");
    writeFile(path, "[a]\nk=1\n");
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(sub).isWritable())
        QSKIP("running with rights that ignore folder permissions");
    QVERIFY_THROWS_EXCEPTION(
        TessivarError,
        IniFile(path).writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")));
    QCOMPARE(readFile(path), QByteArray("[a]\nk=1\n"));
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

namespace {

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
        const char lo = char(c.unicode() & 0xFF);
        const char hi = char(c.unicode() >> 8);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

}  // namespace

void IniTest::encodings_readAndKeptOnSave_data()
{
    // The file as a Windows editor or an older release left it; the program
    // changes [a] k, every other byte stays as it was.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("name");  // the [CMDR] Name the file holds
    QTest::addColumn<QByteArray>("after");
    const QString text = QString::fromUtf8("; zapis\r\n[CMDR]\r\nName=Łódź\r\n[a]\r\nk=1\r\n");
    const QString changed = QString::fromUtf8("; zapis\r\n[CMDR]\r\nName=Łódź\r\n[a]\r\nk=2\r\n");
    QTest::newRow("UTF-16 LE") << utf16(text, false) << QString::fromUtf8("Łódź") << utf16(changed, false);
    QTest::newRow("UTF-16 BE") << utf16(text, true) << QString::fromUtf8("Łódź") << utf16(changed, true);
    QTest::newRow("UTF-8 byte-order mark kept") << QByteArray("\xEF\xBB\xBF[CMDR]\nName=X\n[a]\nk=1\n") << "X"
                                                << QByteArray("\xEF\xBB\xBF[CMDR]\nName=X\n[a]\nk=2\n");
    QTest::newRow("invalid UTF-8 in untouched lines")
        << QByteArray("; caf\xE9\n[CMDR]\nName=Jos\xE9\n[a]\nk=1\n") << QString::fromUtf8("Jos\uFFFD")
        << QByteArray("; caf\xE9\n[CMDR]\nName=Jos\xE9\n[a]\nk=2\n");
    QTest::newRow("mixed line ends kept") << QByteArray("[CMDR]\r\nName=X\n[a]\rk=1\r\n") << "X"
                                          << QByteArray("[CMDR]\r\nName=X\n[a]\rk=2\r\n");
    QTest::newRow("no end after the last line")
        << QByteArray("[CMDR]\nName=X\n[a]\nk=1") << "X" << QByteArray("[CMDR]\nName=X\n[a]\nk=2");
}

void IniTest::encodings_readAndKeptOnSave()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, name);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    writeFile(path, before);
    const IniFile f(path);
    QCOMPARE(f.readString(QStringLiteral("cmdr"), QStringLiteral("name")), name);
    QCOMPARE(f.readInteger(QStringLiteral("a"), QStringLiteral("k")), 1);
    // Writing a value the file already holds leaves it alone.
    f.writeString(QStringLiteral("CMDR"), QStringLiteral("Name"), name);
    QCOMPARE(readFile(path), before);
    f.writeInteger(QStringLiteral("a"), QStringLiteral("k"), 2);
    QCOMPARE(readFile(path), after);
    // A new key and section are written in the file's own encoding and line end.
    f.writeString(QStringLiteral("new"), QStringLiteral("n"), QString::fromUtf8("ż"));
    QCOMPARE(f.readString(QStringLiteral("new"), QStringLiteral("n")), QString::fromUtf8("ż"));
    QCOMPARE(f.readString(QStringLiteral("cmdr"), QStringLiteral("name")), name);
    QVERIFY(readFile(path).startsWith(after));
}

void IniTest::unreadableFile_reportedAndNeverRewritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-16 without byte-order mark") << QByteArray("[\0a\0]\0\r\0\n\0k\0=\0\x31\0", 16);
    QTest::newRow("UTF-32 LE") << QByteArray("\xFF\xFE\0\0[\0\0\0", 8);
    QTest::newRow("UTF-16 cut in half") << QByteArray("\xFF\xFE[\0a", 5);
}

void IniTest::unreadableFile_reportedAndNeverRewritten()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    writeFile(path, bytes);
    const IniFile f(path);
    try {
        f.writeBool(QStringLiteral("windows"), QStringLiteral("ch_bgs"), true);
        QFAIL("an unreadable file was written over");
    } catch (const TessivarError& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot read ")), qPrintable(e.message()));
        QVERIFY(e.message().contains(QStringLiteral("settings.ini")));
    }
    QVERIFY_THROWS_EXCEPTION(TessivarError, f.eraseSection(QStringLiteral("a")));
    QCOMPARE(readFile(path), bytes);
}

void IniTest::manySections_editedInPlace()
{
    // Many sections with repeated and case-different names: look-ups, edits and
    // erasures land where a line-by-line search would put them.
    QByteArray text = "; keep\n";
    for (int i = 0; i < 2000; ++i)
        text += "[m" + QByteArray::number(i) + "]\nCommodity=c" + QByteArray::number(i % 7) +
                "\nCount=" + QByteArray::number(i) + "\n";
    text += "[M5]\nCount=99\nExtra=1\n";
    IniDocument doc = IniDocument::fromText(text);
    QCOMPARE(doc.sections().size(), 2000);
    QCOMPARE(doc.value(QStringLiteral("m1999"), QStringLiteral("count")), std::optional<QString>("1999"));
    QCOMPARE(doc.value(QStringLiteral("m5"), QStringLiteral("Count")), std::optional<QString>("5"));
    QCOMPARE(doc.value(QStringLiteral("m5"), QStringLiteral("extra")), std::optional<QString>("1"));
    QCOMPARE(doc.sectionKeys(QStringLiteral("M5")), (QStringList{"Commodity", "Count", "Extra"}));
    doc.setValue(QStringLiteral("m7"), QStringLiteral("Count"), QStringLiteral("70"));
    doc.setValue(QStringLiteral("m7"), QStringLiteral("New"), QStringLiteral("n"));
    doc.deleteKey(QStringLiteral("m8"), QStringLiteral("commodity"));
    doc.setValue(QStringLiteral("m8"), QStringLiteral("Count"), QStringLiteral("80"));
    for (int i = 100; i < 2000; ++i)
        doc.eraseSection(QStringLiteral("m") + QString::number(i));
    doc.setValue(QStringLiteral("m5"), QStringLiteral("Extra"), QStringLiteral("2"));
    QByteArray expected = "; keep\n";
    for (int i = 0; i < 100; ++i) {
        expected += "[m" + QByteArray::number(i) + "]\n";
        if (i != 8)
            expected += "Commodity=c" + QByteArray::number(i % 7) + "\n";
        expected += "Count=" + QByteArray(i == 7 ? "70" : i == 8 ? "80" : QByteArray::number(i)) + "\n";
        if (i == 7)
            expected += "New=n\n";
    }
    expected += "[M5]\nCount=99\nExtra=2\n";
    QCOMPARE(doc.toText(), expected);
}

QTEST_GUILESS_MAIN(IniTest)
void IniTest::journalTextAsKey_storedAndReadBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    // Names a key has always held stay as they are.
    QTest::newRow("plain") << "Steel"
                           << "Steel";
    QTest::newRow("blanks inside") << "Ceramic Composites"
                                   << "Ceramic Composites";
    QTest::newRow("markup") << "<script>alert(1)</script>"
                            << "<script>alert(1)</script>";
    QTest::newRow("per cent") << "50% off"
                              << "50% off";
    QTest::newRow("bracket inside") << "a[b]"
                                    << "a[b]";
    // What would cut the line, start a section or a comment, or be trimmed away.
    QTest::newRow("equals") << "Steel=Grade A"
                            << "Steel%3DGrade A";
    QTest::newRow("section start") << "[MATS]"
                                   << "%5BMATS]";
    QTest::newRow("comment start") << ";x"
                                   << "%3Bx";
    QTest::newRow("line breaks") << "a\r\n[INFO]\nPostep=100"
                                 << "a%0D%0A[INFO]%0APostep%3D100";
    QTest::newRow("outer blanks") << " Tea\t"
                                  << "%20Tea%09";
    QTest::newRow("wide blank") << QString(QChar(0x3000)) + "Tea"
                                << "%u3000Tea";
    QTest::newRow("equals and per cent") << "a=50%"
                                         << "a%3D50%25";
    // A plain name that reads like an escape is escaped, so it comes back as itself.
    QTest::newRow("looks escaped") << "a%3Db"
                                   << "a%253Db";
}

void IniTest::journalTextAsKey_storedAndReadBack()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QCOMPARE(IniKey::fromText(text), key);
    QCOMPARE(IniKey::toText(key), text);
    // Through a file: one key, its value, and the next key unharmed.
    IniDocument doc;
    doc.setValue(QStringLiteral("MATS"), IniKey::fromText(text), QStringLiteral("5"));
    doc.setValue(QStringLiteral("MATS"), QStringLiteral("Tea"), QStringLiteral("7"));
    const auto read = IniDocument::fromText(doc.toText()).sectionValues(QStringLiteral("MATS"));
    QCOMPARE(read.size(), 2);
    QCOMPARE(IniKey::toText(read[0].first), text);
    QCOMPARE(read[0].second, QStringLiteral("5"));
    QCOMPARE(read[1], qMakePair(QStringLiteral("Tea"), QStringLiteral("7")));
}

#include "ini_test.moc"
