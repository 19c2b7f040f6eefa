#include "TestSupport.h"

#include "common/NumberFormat.h"
#include "journal/JournalPass.h"
#include "state/ShipInfo.h"
#include "state/SystemInfo.h"
#include "widgets/InfluencePieChart.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_BGS.h"

#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>

namespace {

const QString kDemo = QStringLiteral("Journal.2025-06-20T213114.01.log");

struct UiCore
{
    QTemporaryDir journal;
    QTemporaryDir data;
    WidgetInteraction ui;
    std::unique_ptr<TessivarCore> core;

    UiCore()
    {
        ui.setRecordOnly(true);
        AppPaths paths;
        paths.journalDir = journal.path();
        paths.dataDir = data.path();
        core = std::make_unique<TessivarCore>(paths, StartupSettings{}, ui);
    }
};

QStringList sceneTexts(const InfluencePieChart& chart)
{
    QStringList out;
    for (QGraphicsItem* item : chart.scene()->items())
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item))
            out.append(t->toPlainText());
    return out;
}

}  // namespace

class BgsWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void fillsFromReplayedJournal();
    void journalTextIsShownAsPlainText();
    void populationInTheChosenLanguage_data();
    void populationInTheChosenLanguage();
};

void BgsWindowTest::fillsFromReplayedJournal()
{
    UiCore c;
    writeFile(c.journal.filePath(kDemo),
              readFile(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/demo/") + kDemo));
    Tf_BGS w(c.core->systemInfo(), c.core->ship());
    QCOMPARE(w.windowTitle(), QStringLiteral("System Info"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.system_name->text(), c.core->systemInfo().system_name);  // placeholder before the first event

    c.core->pass().Timer1Timer();
    const SystemInfo& bgs = c.core->systemInfo();
    QCOMPARE(w.system_name->text(), QString::fromUtf16(u"\U0001FA90 Col 285 Sector PY-Y b14-3"));
    QCOMPARE(w.stacja_name->text(), bgs.stacja_name);
    QCOMPARE(w.stacja_frakcja->text(), bgs.stacja_frakcja);
    QCOMPARE(w.system_population->text(), bgs.system_population);
    QCOMPARE(w.statek_cargo->text(),
             QString::fromUtf16(u"\U0001F4E6 ") + QString::number(c.core->state.DaneStatku.CargoCapacity));
    QCOMPARE(w.statek_typ->text(), c.core->ship().statek_typ);

    // The grid: heading fixed in the header, one row per faction, tooltips per row.
    QAbstractItemModel* m = w.sg_frakcje->model();
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
    QCOMPARE(m->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Rep."));
    QVERIFY(!m->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
    QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("Herfjoturr Constitution Party"));
    QCOMPARE(m->index(0, 3).data().toString(), QStringLiteral("63%"));
    QCOMPARE(m->index(3, 4).data(Qt::ToolTipRole).toString(),
             QString::fromUtf16(u"Retreat \u2014 a faction loses influence"));
    // Columns as wide as their texts.
    QVERIFY(w.sg_frakcje->columnWidth(1) >
            w.sg_frakcje->fontMetrics().horizontalAdvance(QStringLiteral("Herfjoturr Constitution Party")));

    // The pie: slices in order with the fixed colours, legend with the values, callouts.
    const QList<QPieSlice*> slices = w.Chart1->series()->slices();
    QCOMPARE(slices.size(), 4);
    QCOMPARE(slices[0]->color(), QColor(0, 128, 0));
    QCOMPARE(slices[1]->color(), QColor(255, 0, 0));
    QCOMPARE(slices[2]->color(), QColor(0, 0, 255));
    QCOMPARE(slices[0]->value(), 63.1369);
    QCOMPARE(slices[0]->label(), QStringLiteral("Herfjoturr Constitution Party  63.137"));
    QCOMPARE(w.Chart1->calloutTexts().first(), QStringLiteral("Herfjoturr Constitution Party"));
    QCOMPARE(w.Chart1->chart()->title(), QStringLiteral("Influence of the factions in the system"));

    // Hiding and showing again keeps everything: the data live in core.
    w.hide();
    w.show();
    QCOMPARE(w.Chart1->series()->count(), 4);
    QCOMPARE(w.sg_frakcje->model()->rowCount(), 4);
}

void BgsWindowTest::journalTextIsShownAsPlainText()
{
    UiCore c;
    Tf_BGS w(c.core->systemInfo(), c.core->ship());
    w.show();
    const QByteArray name = "<b>Bold</b> &amp;";
    c.core->systemInfo().parse_BGS(
        journalLine("T", "Location",
                    "\"StarSystem\":\"<i>Sys</i>\", \"StationName\":\"<u>S</u>\", \"Factions\":[ "
                    "{ \"Name\":\"" +
                        name +
                        "\", \"FactionState\":\"None\", \"Government\":\"G\", "
                        "\"Influence\":1.0, \"Allegiance\":\"A\" } ]"),
        QStringLiteral("system"));
    QCOMPARE(w.system_name->textFormat(), Qt::PlainText);
    QCOMPARE(w.system_name->text(), QString::fromUtf16(u"\U0001FA90 <i>Sys</i>"));
    QCOMPARE(w.stacja_name->textFormat(), Qt::PlainText);
    QCoreApplication::processEvents();
    const QStringList texts = sceneTexts(*w.Chart1);
    QVERIFY2(texts.contains(QStringLiteral("<b>Bold</b> &amp; 100")),
             qPrintable(texts.join(QLatin1Char('|'))));
    QCOMPARE(w.Chart1->calloutTexts(), QStringList{QString::fromLatin1(name)});
    QCOMPARE(w.sg_frakcje->model()->index(0, 1).data().toString(), QString::fromLatin1(name));
}

void BgsWindowTest::populationInTheChosenLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shown");
    // Polish groups with a no-break space.
    QTest::newRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland)
                            << QString::fromUtf16(u"\U0001F465 1\u00A0234\u00A0567");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                             << QString::fromUtf16(u"\U0001F465 1,234,567");
}

void BgsWindowTest::populationInTheChosenLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, shown);
    const QLocale before;
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
    UiCore c;
    Tf_BGS w(c.core->systemInfo(), c.core->ship());
    c.core->systemInfo().parse_BGS(
        journalLine("T", "Location", R"("StarSystem":"Sol","Population":1234567,"Factions":[])"),
        QStringLiteral("system"));
    QCOMPARE(w.system_population->text(), shown);
    // The dump keeps the system locale's form, whatever the window's language.
    QCOMPARE(c.core->systemInfo().system_population,
             SystemInfo::populationText(FormatNumberWithCommas(1234567)));
}

QTEST_MAIN(BgsWindowTest)
#include "bgs_window_test.moc"
