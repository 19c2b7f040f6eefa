#include "TestSupport.h"

#include "Core.h"
#include "WindowSet.h"
#include "common/Language.h"
#include "common/NumberFormat.h"
#include "hub/HubClient.h"
#include "markets/ShoppingDb.h"
#include "settings/SettingsStore.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_settings.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace {

struct Shown
{
    QString where;
    QString text;
};

QString whereOf(const QObject* o)
{
    QString path;
    for (; o; o = o->parent())
        path.prepend(QLatin1Char('/') + (o->objectName().isEmpty()
                                             ? QLatin1String(o->metaObject()->className())
                                             : o->objectName()));
    return path;
}

void walkModel(const QAbstractItemView* view, const QModelIndex& parent, QList<Shown>& out)
{
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(parent); ++r)
        for (int c = 0; c < m->columnCount(parent); ++c) {
            const QModelIndex i = m->index(r, c, parent);
            for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)})
                out.append(
                    {whereOf(view) + QStringLiteral("[%1,%2]").arg(r).arg(c), i.data(role).toString()});
            if (m->hasChildren(i))
                walkModel(view, i, out);
        }
    for (int c = 0; c < m->columnCount(parent); ++c)
        out.append({whereOf(view) + QStringLiteral(" header"),
                    m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()});
}

// Every text of every window a person can read: titles, captions, tool
// tips, place holders, menus, tabs, headers, lists and what the windows show.
QList<Shown> everyText()
{
    QList<Shown> out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        out.append({whereOf(top) + QStringLiteral(" title"), top->windowTitle()});
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* w : widgets) {
            const QString where = whereOf(w);
            out.append({where + QStringLiteral(" tip"), w->toolTip()});
            if (auto* l = qobject_cast<QLabel*>(w))
                out.append({where, l->text()});
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                out.append({where, b->text()});
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                out.append({where, g->title()});
            else if (auto* t = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < t->count(); ++i)
                    out.append({where, t->tabText(i)});
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                out.append({where, e->placeholderText()});
            else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
                out.append({where, p->toPlainText()});
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < combo->count(); ++i)
                    out.append({where, combo->itemText(i)});
            else if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model())
                walkModel(view, {}, out);
            for (const QAction* a : w->actions())
                out.append({where + QStringLiteral(" action"), a->text() + QLatin1Char('\n') + a->toolTip()});
            if (auto* menu = qobject_cast<QMenu*>(w))
                for (const QAction* a : menu->actions())
                    out.append({where + QStringLiteral(" menu"), a->text()});
        }
    }
    return out;
}

// The English source texts the Polish translation renders differently, and
// whether the .ts leaves any entry unfinished.
struct TsFile
{
    QSet<QString> translatedSources;
    // What the translation says: a Polish word can spell like an English
    // source elsewhere ("System" translates the star system, not "System").
    QSet<QString> translations;
    // Those with arguments ("%1"), as patterns of the texts they make.
    QList<QRegularExpression> translatedPatterns;
    QStringList unfinished;

    bool translates(const QString& text) const
    {
        if (translations.contains(text))
            return false;
        if (translatedSources.contains(text))
            return true;
        return std::any_of(translatedPatterns.cbegin(), translatedPatterns.cend(),
                           [&text](const QRegularExpression& p) { return p.match(text).hasMatch(); });
    }
};

// "📥 Action: %1" matches "📥 Action: Demand". Only sources with a word of
// their own between the arguments: "%1: %2" would match nearly anything.
std::optional<QRegularExpression> sourcePattern(const QString& source)
{
    static const QRegularExpression argument(QStringLiteral("%L?\\d+"));
    static const QRegularExpression word(QStringLiteral("\\p{L}{3,}"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    if (!source.contains(argument))
        return std::nullopt;
    QString pattern;
    qsizetype from = 0;
    bool worded = false;
    for (auto it = argument.globalMatch(source); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString literal = source.mid(from, m.capturedStart() - from);
        worded = worded || literal.contains(word);
        pattern += QRegularExpression::escape(literal) + QStringLiteral(".*");
        from = m.capturedEnd();
    }
    worded = worded || source.mid(from).contains(word);
    if (!worded)
        return std::nullopt;
    return QRegularExpression(QStringLiteral("\\A") + pattern + QRegularExpression::escape(source.mid(from)) +
                                  QStringLiteral("\\z"),
                              QRegularExpression::DotMatchesEverythingOption);
}

TsFile readTs(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    TsFile ts;
    QXmlStreamReader xml(&f);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (unfinished)
                ts.unfinished.append(source);
            else if (text != source) {
                ts.translatedSources.insert(source);
                ts.translations.insert(text);
                if (const auto pattern = sourcePattern(source))
                    ts.translatedPatterns.append(*pattern);
            }
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return ts;
}

// A small game session in English names only, so that a Polish word on
// screen is the interface's own. Its docking line lacks StationGovernment,
// so the message strip has a text to show too.
void playSession(CoreFixture& f)
{
    writeFile(f.dataDir.filePath(QStringLiteral("settings.ini")), "[KVN]\r\nkvn_consent=1\r\n");
    writeFile(f.journalDir.filePath(QStringLiteral("Cargo.json")),
              R"({"Inventory":[{"Name":"steel","Name_Localised":"Steel","Count":3}]})");
    writeFile(f.journalDir.filePath(QStringLiteral("Market.json")),
              R"({"MarketID":7,"StationName":"Hub","Items":[{"Name":"steel","Name_Localised":"Steel",)"
              R"("Category_Localised":"Metals","BuyPrice":10,"SellPrice":9,"Stock":100,"Demand":0}]})");
    f.append(
        journalLine("2025-01-01T10:00:00Z", "Commander", R"("Name":"Jameson")") +
        journalLine("2025-01-01T10:00:01Z", "CarrierStats", R"("CarrierID":42,"Name":"Haul One")") +
        journalLine("2025-01-01T10:00:02Z", "Location",
                    R"("StarSystem":"Sol","SystemAddress":1,"Population":5,"SystemAllegiance":"Federation",)"
                    R"("SystemGovernment_Localised":"Democracy","SystemSecurity_Localised":"High",)"
                    R"("SystemEconomy_Localised":"Industrial","SystemFaction":{"Name":"Sol Party"},)"
                    R"("Factions":[{"Name":"Sol Party","FactionState":"Retreat","Government":"Democracy",)"
                    R"("Allegiance":"Federation","Influence":0.6,"MyReputation":1.0},)"
                    R"({"Name":"Sol Union","FactionState":"Odd","Government":"Democracy",)"
                    R"("Allegiance":"Federation","Influence":0.4,"MyReputation":1.0}])") +
        journalLine(
            "2025-01-01T10:00:03Z", "Docked",
            R"("StationName":"Hub","StationType":"Coriolis","StarSystem":"Sol","SystemAddress":1,"MarketID":7,)"
            R"("StationFaction":{"Name":"Sol Party"},"StationEconomy_Localised":"Industrial")") +
        journalLine("2025-01-01T10:00:04Z", "Loadout",
                    R"("Ship":"type9","ShipName":"Mule","CargoCapacity":8)") +
        journalLine(
            "2025-01-01T10:00:05Z", "ColonisationConstructionDepot",
            R"("MarketID":7,"ConstructionProgress":0.5,"ResourcesRequired":[)"
            R"({"Name":"$steel_name;","Name_Localised":"Steel","RequiredAmount":90,"ProvidedAmount":10}])"));
}

// The session's windows after the first pass, in the installed language.
struct Session
{
    CoreFixture f;
    WidgetInteraction ui;
    std::unique_ptr<WindowSet> windowSet;

    Session()
    {
        playSession(f);
        ui.setRecordOnly(true);
        windowSet = std::make_unique<WindowSet>(f.start(), ui);
        windowSet->Timer1Timer();
        // The contracts window's trees: a whole order and one lacking its
        // action and location; the first is taken, so the loading list's
        // selector names it too.
        HubClient& hub = core().hubClient();
        QVERIFY(hub.loadOrderList(QStringLiteral(
            R"([{"FC":"Haul One","cmdr":"Jameson","CarrierID":"42","action":"Demand","location":"Sol / Body 1",)"
            R"("commodity":"Steel","count":"12000","price":"105"},)"
            R"({"FC":"Other","cmdr":"Ann","CarrierID":"43","commodity":"Tea","count":"5","price":"90"}])")));
        QVERIFY(hub.takeContract(0));
    }
    TessivarCore& core() { return *f.core; }
};

const QRegularExpression
    kPolish(QStringLiteral(
                "[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]|\\b(towary?|towaru|lista|listy|listę|zaladunek|załadunek|dodaj|usu[nń]|"
                "wyczy[sś][cć]|nowy|nowa|frakcj\\w*|wpływ\\w*|budow\\w*|ilo[sś][cć]|plik\\w*|b[lł][aą]d\\w*|"
                "zapisz|zamknij|ustawienia|statek|ładownia|misje|rynek|adres|podaj|nazwa|kursy|podstawowe|"
                "opis|zmiany|wersj\\w*|dowódca|lotniskowiec|brak)\\b"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

// The language names each offered in its own language.
const QStringList kProperNames = {QStringLiteral("Polski")};

}  // namespace

class WindowLanguageTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Language::install(QStringLiteral("en")); }
    void theTranslationIsComplete();
    void everyWindowInEnglishHasNoPolish();
    void everyWindowInPolishIsTranslated();
    void aSearchFromTheHeadingSearchesNothing();
    void theNarrowPanelsFitInPolish();
    void theSettingPicksTheLanguage();
    void theProgramFollowsLanguageAndLang_data();
    void theProgramFollowsLanguageAndLang();
    void numbersAreGroupedAsTheLanguageShown_data();
    void numbersAreGroupedAsTheLanguageShown();
};

void WindowLanguageTest::theTranslationIsComplete()
{
    const TsFile ts = readTs(QStringLiteral(TESSIVAR_TS_DIR "/tessivar_pl.ts"));
    QVERIFY2(ts.unfinished.isEmpty(), qPrintable(ts.unfinished.join(QLatin1Char('\n'))));
    QVERIFY(ts.translatedSources.size() > 100);
    // Built in: found wherever the program runs from.
    QCOMPARE(Language::install(QStringLiteral("pl")), QStringLiteral("pl"));
    QCOMPARE(Tf_ED::tr("Settings"), QStringLiteral("Ustawienia"));
    // Qt's own texts of standard buttons, where the system has them.
    if (QFile::exists(QStringLiteral("/usr/share/qt6/translations/qtbase_pl.qm")))
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
}

void WindowLanguageTest::everyWindowInEnglishHasNoPolish()
{
    Language::install(QStringLiteral("en"));
    const Session session;
    const QList<Shown> texts = everyText();
    QVERIFY(texts.size() > 300);
    QStringList polish;
    for (const Shown& s : texts) {
        if (kProperNames.contains(s.text))
            continue;
        if (const auto m = kPolish.match(s.text); m.hasMatch())
            polish.append(s.where + QStringLiteral(": \"") + m.captured() + QStringLiteral("\" in ") +
                          s.text);
    }
    for (const QString& p : std::as_const(polish))
        qWarning("%s", qPrintable(p));
    QVERIFY2(polish.isEmpty(), "Polish words in the English windows (above)");
}

void WindowLanguageTest::everyWindowInPolishIsTranslated()
{
    const TsFile ts = readTs(QStringLiteral(TESSIVAR_TS_DIR "/tessivar_pl.ts"));
    QCOMPARE(Language::install(QStringLiteral("pl")), QStringLiteral("pl"));
    Session session;
    WindowSet& windows = *session.windowSet;
    QStringList english;
    int polish = 0;
    for (const Shown& s : everyText()) {
        if (kPolish.match(s.text).hasMatch())
            ++polish;
        // A whole text, or one line of it, that the .ts translates.
        for (const QString& part : s.text.split(QLatin1Char('\n')))
            if (ts.translates(part) || ts.translates(s.text))
                english.append(s.where + QStringLiteral(": ") + s.text);
    }
    for (const QString& e : std::as_const(english))
        qWarning("%s", qPrintable(e.left(300)));
    QVERIFY2(english.isEmpty(), "untranslated texts in the Polish windows (above)");
    QVERIFY(polish > 50);
    QCOMPARE(windows.f_ED->windowTitle(), QStringLiteral("Tessivar"));
}

void WindowLanguageTest::aSearchFromTheHeadingSearchesNothing()
{
    Language::install(QStringLiteral("pl"));
    Session session;
    WindowSet& windows = *session.windowSet;
    const QString before = session.core().lastShopping().edit_find;
    // The captions are in the header bar, never a row: with no row picked
    // there is nothing to look for.
    QTableView* list = windows.f_cargo->loadingGrid;
    list->setCurrentIndex({});
    windows.f_cargo->findLoadingAction->trigger();
    QCOMPARE(session.core().lastShopping().edit_find, before);
}

void WindowLanguageTest::theNarrowPanelsFitInPolish()
{
    QCOMPARE(Language::install(QStringLiteral("pl")), QStringLiteral("pl"));
    Session session;
    WindowSet& windows = *session.windowSet;
    // As tiled on a 1366x768 screen: their designed widths, a third of the height.
    for (QWidget* panel :
         {static_cast<QWidget*>(windows.f_cargo), static_cast<QWidget*>(windows.f_Construct)}) {
        panel->resize(panel->width(), 330);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        QCoreApplication::processEvents();
        const auto* body = panel->findChild<QScrollArea*>(QStringLiteral("scroll_body"));
        QVERIFY(body);
        QVERIFY2(!body->horizontalScrollBar()->isVisible(),
                 qPrintable(whereOf(panel) + QStringLiteral(" scrolls sideways: its content wants %1 px")
                                                 .arg(body->widget()->minimumSizeHint().width())));
        panel->hide();
    }
}

void WindowLanguageTest::theSettingPicksTheLanguage()
{
    CoreFixture f;
    const QString ini = f.dataDir.filePath(QStringLiteral("settings.ini"));
    writeFile(ini, "[windows]\r\nch_cargo=1\r\n");
    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    Tf_settings w(core.settings(), [](const QString&) {});
    QCOMPARE(w.combo_language->currentData().toString(), QStringLiteral("system"));
    QCOMPARE(w.combo_language->count(), 3);
    w.combo_language->setCurrentIndex(w.combo_language->findData(QStringLiteral("pl")));
    emit w.combo_language->activated(w.combo_language->currentIndex());
    QVERIFY(readFile(ini).contains("[windows]\r\nch_cargo=1\r\nlanguage=pl\r\n"));

    // The next start reads it and speaks Polish whatever the locale.
    const StartupSettings next = StartupSettings::read(f.dataDir.path());
    QCOMPARE(next.language, QStringLiteral("pl"));
    QCOMPARE(Language::install(next.language), QStringLiteral("pl"));
    QCOMPARE(Language::install(QStringLiteral("en")), QStringLiteral("en"));
    QCOMPARE(Tf_ED::tr("Settings"), QStringLiteral("Settings"));
}

void WindowLanguageTest::theProgramFollowsLanguageAndLang_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("LANG Polish") << QString() << "pl_PL.UTF-8"
                                 << QByteArray("Folder dziennika do śledzenia.");
    QTest::newRow("LANGUAGE Polish") << "pl"
                                     << "C.UTF-8" << QByteArray("Folder dziennika do śledzenia.");
    QTest::newRow("LANG C") << QString() << "C.UTF-8" << QByteArray("Journal folder to follow.");
    QTest::newRow("LANG German") << QString() << "de_DE.UTF-8" << QByteArray("Journal folder to follow.");
}

void WindowLanguageTest::theProgramFollowsLanguageAndLang()
{
    QFETCH(QString, language);
    QFETCH(QString, lang);
    QFETCH(QByteArray, expected);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QLatin1String(v));
    if (!language.isEmpty())
        env.insert(QStringLiteral("LANGUAGE"), language);
    env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TESSIVAR_APP), {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray out = p.readAllStandardOutput();
    QVERIFY2(out.contains(expected), out.constData());
}

void WindowLanguageTest::numbersAreGroupedAsTheLanguageShown_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("grouped");
    const QString polish = QStringLiteral("1\u00A0234\u00A0567");
    // LANGUAGE=pl with LANG=C: the system locale is named pl_PL but groups as C.
    QTest::newRow("Polish on a Polish system") << "pl"
                                               << "pl_PL" << polish;
    QTest::newRow("Polish on C") << "pl"
                                 << "C" << polish;
    QTest::newRow("Polish on English") << "pl"
                                       << "en_GB" << polish;
    QTest::newRow("English on German") << "en"
                                       << "de_DE"
                                       << "1.234.567";
    QTest::newRow("English on Polish") << "en"
                                       << "pl_PL"
                                       << "1,234,567";
}

void WindowLanguageTest::numbersAreGroupedAsTheLanguageShown()
{
    QFETCH(QString, lang);
    QFETCH(QString, system);
    QFETCH(QString, grouped);
    QCOMPARE(FormatNumberWithCommas(1234567, Language::numberLocale(lang, system)), grouped);
}

QTEST_MAIN(WindowLanguageTest)
#include "window_language_test.moc"
