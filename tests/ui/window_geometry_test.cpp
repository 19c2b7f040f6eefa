#include "TestSupport.h"

#include "MainWindowModel.h"
#include "PanelLayout.h"
#include "WindowSet.h"
#include "markets/ShoppingDb.h"
#include "settings/SettingsStore.h"
#include "widgets/ElidedLabel.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_DB.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_KVN_add.h"
#include "windows/Tf_about.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_market.h"
#include "windows/Tf_mission.h"
#include "windows/Tf_settings.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

// The screens the windows must fit, side by side: a Steam Deck, a common
// laptop, full HD and 1440p.
const QSize kScreens[] = {{1280, 800}, {1366, 768}, {1920, 1080}, {2560, 1440}};

QString nameOf(const QWidget* w)
{
    QString path;
    for (const QWidget* o = w; o; o = o->isWindow() ? nullptr : o->parentWidget())
        path.prepend(QLatin1Char('/') + (o->objectName().isEmpty()
                                             ? QLatin1String(o->metaObject()->className())
                                             : o->objectName()));
    return path;
}

QString describe(const QWidget* w)
{
    const QRect g = w->frameGeometry();
    return QStringLiteral("%1 %2x%3+%4+%5")
        .arg(nameOf(w))
        .arg(g.width())
        .arg(g.height())
        .arg(g.x())
        .arg(g.y());
}

QString withoutMnemonic(QString text)
{
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

int widestLine(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// Qt's own parts of compound widgets place their pieces themselves.
bool insideCompound(const QWidget* w, const QWidget* window)
{
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QTabBar*>(p) || qobject_cast<const QLineEdit*>(p))
            return true;
        // What an item view or scroll area shows scrolls within it; a scroll
        // body is checked as a whole below.
        if (auto* area = qobject_cast<const QAbstractScrollArea*>(p))
            if (w->parentWidget() == area->viewport() || area->viewport()->isAncestorOf(w))
                return !qobject_cast<const QScrollArea*>(area);
    }
    return false;
}

// What a person would see cut, clipped or squeezed in a window.
QStringList problemsIn(QWidget* window)
{
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(window) || insideCompound(w, window))
            continue;
        const QString name = nameOf(w);
        const QWidget* parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()) &&
            !qobject_cast<const QScrollArea*>(parent->parentWidget()))
            out << QStringLiteral("%1 at %2,%3 %4x%5 is outside its parent (%6x%7)")
                       .arg(name)
                       .arg(w->x())
                       .arg(w->y())
                       .arg(w->width())
                       .arg(w->height())
                       .arg(parent->width())
                       .arg(parent->height());
        const QFontMetrics fm = w->fontMetrics();
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            if (b->width() < b->sizeHint().width())
                out << QStringLiteral("%1 \"%2\" is %3 wide, its caption needs %4")
                           .arg(name, b->text())
                           .arg(b->width())
                           .arg(b->sizeHint().width());
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            const bool plain = l->textFormat() == Qt::PlainText ||
                               (l->textFormat() == Qt::AutoText && !Qt::mightBeRichText(l->text()));
            if (plain && !l->wordWrap() && l->pixmap().isNull() &&
                widestLine(fm, l->text()) > l->contentsRect().width()) {
                auto* elided = qobject_cast<ElidedLabel*>(l);
                if (!elided || l->toolTip() != l->text())
                    out << QStringLiteral("%1 \"%2\" is cut (%3 of %4)")
                               .arg(name, l->text())
                               .arg(l->contentsRect().width())
                               .arg(widestLine(fm, l->text()));
            }
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (fm.horizontalAdvance(withoutMnemonic(g->title())) + 16 > g->width())
                out << QStringLiteral("%1 title \"%2\" is cut").arg(name, g->title());
        } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < bar->count(); ++i)
                if (!bar->rect().contains(bar->tabRect(i)) ||
                    bar->tabRect(i).width() < fm.horizontalAdvance(withoutMnemonic(bar->tabText(i))))
                    out << QStringLiteral("%1 tab \"%2\" is cut").arg(name, bar->tabText(i));
        } else if (auto* header = qobject_cast<QHeaderView*>(w);
                   header && header->orientation() == Qt::Horizontal) {
            for (int c = 0; c < header->count(); ++c) {
                const QString text = header->model()->headerData(c, Qt::Horizontal).toString();
                if (!header->isSectionHidden(c) && fm.horizontalAdvance(text) + 4 > header->sectionSize(c))
                    out << QStringLiteral("%1 column \"%2\" is cut").arg(name, text);
            }
        } else if (auto* area = qobject_cast<QScrollArea*>(w); area && area->widgetResizable()) {
            if (area->horizontalScrollBar()->maximum() > 0)
                out << QStringLiteral("%1 needs %2 more pixels of width")
                           .arg(name)
                           .arg(area->horizontalScrollBar()->maximum());
        }
        if (auto* table = qobject_cast<QTableView*>(w); table && table->horizontalHeader()->isVisible()) {
            const QAbstractItemModel* m = table->model();
            for (int r = 0; r < std::min(m->rowCount(), 40); ++r)
                for (int c = 0; c < m->columnCount(); ++c) {
                    const QString text = m->index(r, c).data().toString();
                    if (table->fontMetrics().horizontalAdvance(text) + 6 > table->columnWidth(c))
                        out << QStringLiteral("%1 cell \"%2\" is cut").arg(name, text);
                }
        }
    }
    return out;
}

}  // namespace

class WindowGeometryTest : public QObject
{
    Q_OBJECT
private slots:
    void everyWindowFitsEveryScreen_data();
    void everyWindowFitsEveryScreen();
    void storedPlacesAreRestoredClampedToTheScreens();
    void panelBoxesFollowTheirWindows();
};

void WindowGeometryTest::everyWindowFitsEveryScreen_data()
{
    QTest::addColumn<int>("screen");
    for (int s = 0; s < int(std::size(kScreens)); ++s)
        QTest::addRow("%dx%d", kScreens[s].width(), kScreens[s].height()) << s;
}

void WindowGeometryTest::everyWindowFitsEveryScreen()
{
    QFETCH(int, screen);
    QScreen* const target = QGuiApplication::screens().at(screen);
    const QRect area = target->availableGeometry();

    // Long names everywhere a journal puts them.
    CoreFixture f;
    QByteArray factions;
    for (int i = 0; i < 6; ++i)
        factions +=
            (i ? "," : "") + QByteArray(R"({"Name":"The Independent Faction Of Somewhere Far )") +
            QByteArray::number(i) +
            R"(","FactionState":"Boom","Government":"Corporate","Influence":0.1,"Allegiance":"Independent"})";
    const QByteArray station =
        R"("StationName":"Planetary Construction Site: Whose Name Goes On And On And On",)"
        R"("StationType":"PlanetaryConstructionDepot","MarketID":3960000000,)";
    f.append(journalLine("2025-01-01T10:00:00Z", "LoadGame",
                         R"("Commander":"A Commander With A Long Name","Credits":1234567890)"));
    f.append(journalLine("2025-01-01T10:00:01Z", "Location",
                         R"("Docked":true,"StarSystem":"A System With An Uncommonly Long Name Indeed",)" +
                             station + R"("Factions":[)" + factions + "]"));
    f.append(journalLine("2025-01-01T10:00:02Z", "Docked",
                         station + R"("StarSystem":"A System With An Uncommonly Long Name Indeed")"));
    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    WindowSet windows(core, ui);
    windows.Timer1Timer();

    windows.f_ED->setScreen(target);
    windows.f_ED->move(area.topLeft());
    windows.f_ED->show();
    for (const auto panel :
         {MainWindowModel::SystemInfoPanel, MainWindowModel::CargoPanel, MainWindowModel::ConstructionPanel})
        windows.f_ED->panelBox(panel)->click();
    QCoreApplication::processEvents();

    const QList<QWidget*> tiled{windows.f_ED, windows.f_BGS, windows.f_cargo, windows.f_Construct};
    for (qsizetype i = 0; i < tiled.size(); ++i) {
        QVERIFY2(tiled[i]->isVisible(), qPrintable(describe(tiled[i])));
        for (qsizetype k = i + 1; k < tiled.size(); ++k)
            QVERIFY2(!tiled[i]->frameGeometry().intersects(tiled[k]->frameGeometry()),
                     qPrintable(describe(tiled[i]) + QStringLiteral(" overlaps ") + describe(tiled[k])));
    }
    // The tool columns start together below the main window.
    QCOMPARE(windows.f_Construct->frameGeometry().top(), windows.f_cargo->frameGeometry().top());
    QCOMPARE(windows.f_BGS->frameGeometry().top(), windows.f_cargo->frameGeometry().top());

    QStringList problems;
    const QList<QWidget*> all{windows.f_ED,     windows.f_BGS,      windows.f_cargo,  windows.f_Construct,
                              windows.f_about,  windows.f_DB,       windows.f_KVN,    windows.f_KVN_add,
                              windows.f_market, windows.f_settings, windows.f_mission};
    for (QWidget* w : all) {
        const bool wasShown = w->isVisible();
        if (!wasShown) {
            w->setScreen(target);
            w->show();
        }
        QCoreApplication::processEvents();
        if (!area.contains(w->frameGeometry()))
            problems << describe(w) + QStringLiteral(" is not inside the screen's free area");
        problems << problemsIn(w);
        if (!wasShown)
            w->hide();
    }
    problems.removeDuplicates();
    for (const QString& p : problems)
        qInfo().noquote() << p;
    QVERIFY2(problems.isEmpty(),
             qPrintable(QStringLiteral("%1 problems, listed above").arg(problems.size())));
}

void WindowGeometryTest::storedPlacesAreRestoredClampedToTheScreens()
{
    CoreFixture f;
    // One place off every screen and larger than any, one inside the first
    // screen, and panels left unlocked.
    writeFile(f.dataDir.filePath(QStringLiteral("settings.ini")),
              "[windows]\r\nlock_panels=0\r\n[geometry]\r\nf_DB=99999,-5000,4000,3000\r\n"
              "f_market=100,120,500,400\r\n");
    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    WindowSet windows(core, ui);
    windows.Timer1Timer();
    QVERIFY(!core.mainWindow().ch_lock_panels);
    QVERIFY(!windows.f_ED->ch_lock_panels->isChecked());

    windows.f_market->show();
    windows.f_DB->show();
    QCoreApplication::processEvents();
    QCOMPARE(windows.f_market->pos(), QPoint(100, 120));
    QCOMPARE(windows.f_market->size(), QSize(500, 400));
    const QRect db = windows.f_DB->frameGeometry();
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool inside = std::any_of(screens.begin(), screens.end(),
                                    [&](const QScreen* s) { return s->availableGeometry().contains(db); });
    QVERIFY2(inside, qPrintable(describe(windows.f_DB)));

    // Where they are at the end is what the next start shows.
    windows.f_market->move(140, 160);
    windows.panels->storeAndStopFollowing();
    QCOMPARE(core.settings().windowGeometry(QStringLiteral("f_market")), QRect(140, 160, 500, 400));
    QVERIFY(readFile(core.settings().path()).contains("lock_panels=0"));

    // Clamping itself: moved inside the screen it overlaps most, shrunk to fit.
    const QList<QRect> areas{{0, 0, 1280, 800}, {1280, 0, 1920, 1080}};
    QCOMPARE(PanelLayout::clampedToAreas({1200, 700, 400, 300}, areas), QRect(1280, 700, 400, 300));
    QCOMPARE(PanelLayout::clampedToAreas({-50, -30, 2000, 900}, areas), QRect(0, 0, 1280, 800));
    QCOMPARE(PanelLayout::clampedToAreas({300, 200, 400, 300}, areas), QRect(300, 200, 400, 300));
}

void WindowGeometryTest::panelBoxesFollowTheirWindows()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    WindowSet windows(core, ui);
    windows.Timer1Timer();
    windows.f_ED->show();
    QCheckBox* cargo = windows.f_ED->panelBox(MainWindowModel::CargoPanel);
    QCheckBox* db = windows.f_ED->panelBox(MainWindowModel::DataBasePanel);
    cargo->click();
    QVERIFY(windows.f_cargo->isVisible());
    // Closed by its title bar: the box unticks, and the next start keeps it closed.
    windows.f_cargo->close();
    QVERIFY(!cargo->isChecked());
    QVERIFY(readFile(core.settings().path()).contains("ch_cargo=0"));
    // Opened another way (a search from the phone): the box ticks.
    core.lastShopping().findCommodity(QStringLiteral("Steel"));
    QVERIFY(windows.f_DB->isVisible());
    QVERIFY(db->isChecked());
    // Its own Close button: unticked again.
    windows.f_DB->btn_close->click();
    QVERIFY(!db->isChecked());
}

int main(int argc, char** argv)
{
    QTemporaryDir config;
    useOffscreenScreens(config.filePath(QStringLiteral("screens.json")),
                        {std::begin(kScreens), std::end(kScreens)});
    QApplication app(argc, argv);
    WindowGeometryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_geometry_test.moc"
