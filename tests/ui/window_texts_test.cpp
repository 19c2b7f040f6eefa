#include "HttpStub.h"
#include "TestSupport.h"

#include "WindowSet.h"
#include "hub/HubClient.h"
#include "widgets/InfluencePieChart.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_about.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>
#include <QTreeView>
#include <map>

namespace {

// A text that shows as a big red heading wherever it is taken for rich text,
// and loses its "&" wherever it is taken for a shortcut mark.
const QString kMark = QStringLiteral("<h1><font color=red>Qzx & Co</font></h1>");
const QString kMarkWord = QStringLiteral("Qzx");

struct Shown
{
    QString where;
    QString text;  // as a person sees it
    QString window = {};
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

QString asHtml(const QString& text)
{
    QTextDocument doc;
    doc.setHtml(text);
    return doc.toPlainText();
}

QString asAutoText(const QString& text)
{
    return Qt::mightBeRichText(text) ? asHtml(text) : text;
}

// A caption with its shortcut marks taken out, as a button draws it.
QString withoutMnemonic(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// The tool tip shown when the pointer rests on `pos` of `w`.
QString toolTipShownAt(QWidget* w, const QPoint& pos)
{
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, pos, w->mapToGlobal(pos));
    QApplication::sendEvent(w, &help);
    return QToolTip::isVisible() ? asAutoText(QToolTip::text()) : QString();
}

void walkModel(QAbstractItemView* view, const QModelIndex& parent, QList<Shown>& out)
{
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(parent); ++r) {
        for (int c = 0; c < m->columnCount(parent); ++c) {
            const QModelIndex i = m->index(r, c, parent);
            const QString where = whereOf(view) + QStringLiteral("[%1,%2]").arg(r).arg(c);
            // Item views draw display texts as plain text.
            out.append({where, i.data(Qt::DisplayRole).toString()});
            for (const int role : {int(Qt::StatusTipRole), int(Qt::WhatsThisRole)})
                out.append({where, asAutoText(i.data(role).toString())});
            if (view->isVisible() && !i.data(Qt::ToolTipRole).toString().isEmpty()) {
                view->scrollTo(i);
                out.append({where + QStringLiteral(" tip"),
                            toolTipShownAt(view->viewport(), view->visualRect(i).center())});
            }
        }
        const QModelIndex first = m->index(r, 0, parent);
        if (m->hasChildren(first)) {
            if (auto* tree = qobject_cast<QTreeView*>(view))
                tree->expand(first);
            walkModel(view, first, out);
        }
    }
    for (int c = 0; c < m->columnCount(parent); ++c)
        out.append({whereOf(view) + QStringLiteral(" header"),
                    m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()});
}

// Every text the windows show, in every role, as it is shown.
QList<Shown> shownTexts()
{
    QList<Shown> out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        const qsizetype firstOfWindow = out.size();
        out.append({whereOf(top) + QStringLiteral(" title"), top->windowTitle()});
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* w : widgets) {
            const QString where = whereOf(w);
            if (auto* l = qobject_cast<QLabel*>(w))
                out.append({where, l->textFormat() == Qt::PlainText  ? l->text()
                                   : l->textFormat() == Qt::RichText ? asHtml(l->text())
                                                                     : asAutoText(l->text())});
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                out.append({where, withoutMnemonic(b->text())});
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                out.append({where, withoutMnemonic(g->title())});
            else if (auto* t = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < t->count(); ++i)
                    out.append({where, withoutMnemonic(t->tabText(i))});
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                out.append({where, e->text()});
            else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
                out.append({where, p->toPlainText()});
            else if (auto* te = qobject_cast<QTextEdit*>(w))
                out.append({where, te->toPlainText()});
            else if (auto* menu = qobject_cast<QMenu*>(w))
                for (const QAction* a : menu->actions())
                    out.append({where, withoutMnemonic(a->text())});
            if (auto* chart = qobject_cast<InfluencePieChart*>(w)) {
                // Chart labels are rich text to Qt Charts.
                for (const QLegendMarker* marker : chart->chart()->legend()->markers())
                    out.append({where + QStringLiteral(" legend"), asHtml(marker->label())});
                for (const QString& c : chart->calloutTexts())
                    out.append({where + QStringLiteral(" callout"), c});
            }
            if (auto* view = qobject_cast<QAbstractItemView*>(w); view && !qobject_cast<QHeaderView*>(w))
                if (view->model())
                    walkModel(view, {}, out);
            if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < combo->count(); ++i)
                    out.append({where, combo->itemText(i)});
            if (!w->toolTip().isEmpty() && w->isVisible())
                out.append({where + QStringLiteral(" tip"), toolTipShownAt(w, w->rect().center())});
        }
        for (qsizetype i = firstOfWindow; i < out.size(); ++i)
            out[i].window = QLatin1String(top->metaObject()->className());
    }
    QToolTip::hideText();
    return out;
}

// Every caption, hint and menu text of the windows as written.
QStringList captionsOf(const QWidget* top)
{
    QStringList out{top->windowTitle()};
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        out.append(w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            out.append(l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            out.append(b->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            out.append(g->title());
        else if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                out.append(t->tabText(i));
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            out.append({e->text(), e->placeholderText()});
        else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
            out.append(p->toPlainText());
        else if (auto* menu = qobject_cast<QMenu*>(w))
            for (const QAction* a : menu->actions())
                out.append({a->text(), a->toolTip()});
        else if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model())
            for (int c = 0; c < view->model()->columnCount(); ++c)
                out.append(view->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                out.append(combo->itemText(i));
    }
    return out;
}

// Characters that draw nothing of their own: joiners, variation selectors,
// the keycap mark, blanks and controls.
bool drawsNoGlyph(char32_t c)
{
    return c < 0x21 || c == 0x200D || c == 0x20E3 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xA0;
}

QByteArray j(const char* text)
{
    return QByteArray(text).replace("MARK", kMark.toUtf8());
}

}  // namespace

class WindowTextsTest : public QObject
{
    Q_OBJECT
private slots:
    void textsFromOutsideShowAsPlainTextEverywhere();
    void everyCaptionHintAndMenuTextHasAGlyph();
};

void WindowTextsTest::textsFromOutsideShowAsPlainTextEverywhere()
{
    HttpStub hub;
    hub.handler = [](const StubRequest& r) {
        if (r.field(QStringLiteral("act")) == QLatin1String("check_version"))
            return StubResponse::text(j("9.9 MARK"));
        return StubResponse::text(
            j(R"([{"FC":"MARK","cmdr":"MARK","CarrierID":"42","action":"Demand","location":"MARK",)"
              R"("commodity":"MARK","count":"5","price":"90"}])"));
    };
    CoreFixture f;
    writeFile(f.dataDir.filePath(QStringLiteral("settings.ini")),
              "[KVN]\r\nurl=" + hub.url().toUtf8() + "\r\nkvn_consent=1\r\n");
    writeFile(f.journalDir.filePath(QStringLiteral("Cargo.json")),
              j(R"({"Inventory":[{"Name":"MARK","Name_Localised":"MARK","Count":3}]})"));
    writeFile(f.journalDir.filePath(QStringLiteral("Market.json")),
              j(R"({"MarketID":7,"StationName":"MARK","Items":[{"Name_Localised":"MARK",)"
                R"("Category_Localised":"MARK","BuyPrice":10,"SellPrice":9,"Stock":100,"Demand":0}]})"));
    f.append(journalLine("2025-01-01T10:00:00Z", "Commander", j(R"("Name":"MARK")")) +
             journalLine("2025-01-01T10:00:01Z", "CarrierStats", j(R"("CarrierID":42,"Name":"MARK")")) +
             journalLine("2025-01-01T10:00:02Z", "Location",
                         j(R"("StarSystem":"MARK","SystemAddress":1,"Population":5,)"
                           R"("SystemAllegiance":"MARK","SystemGovernment_Localised":"MARK",)"
                           R"("SystemSecurity_Localised":"MARK","SystemEconomy_Localised":"MARK",)"
                           R"("SystemFaction":{"Name":"MARK"},)"
                           R"("Factions":[{"Name":"MARK","FactionState":"MARK","Government":"MARK",)"
                           R"("Allegiance":"MARK","Influence":0.6,"MyReputation":1.0}])")) +
             journalLine("2025-01-01T10:00:03Z", "Docked",
                         j(R"("StationName":"MARK","StationType":"MARK","StarSystem":"MARK","MarketID":7,)"
                           R"("StationFaction":{"Name":"MARK"},"StationEconomy_Localised":"MARK")")) +
             journalLine("2025-01-01T10:00:04Z", "Loadout",
                         j(R"("Ship":"MARK","ShipName":"MARK","CargoCapacity":8)")) +
             journalLine("2025-01-01T10:00:05Z", "ReceiveText", j(R"("From":"MARK","Message":"MARK")")));

    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    WindowSet windows(core, ui);
    windows.f_ED->show();
    windows.Timer1Timer();
    f.append(journalLine("2025-01-01T10:00:09Z", "Market", j(R"("MarketID":7,"StationName":"MARK")")));
    windows.Timer1Timer();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != windows.f_ED && !qobject_cast<QMenu*>(w) && !w->inherits("QDialog") && w->isWindow() &&
            !w->windowTitle().isEmpty())
            w->show();
    QVERIFY(core.hubClient().waitForIdle(10000));
    QCoreApplication::processEvents();

    QStringList wrong;
    std::map<QString, int> seenIn;
    for (const Shown& s : shownTexts()) {
        if (!s.text.contains(kMarkWord))
            continue;
        if (!s.text.contains(kMark))
            wrong.append(s.where + QStringLiteral(": ") + s.text);
        ++seenIn[s.window];
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    // The texts reached every window that shows them.
    for (const char* window : {"Tf_ED", "Tf_BGS", "Tf_cargo", "Tf_KVN", "Tf_market", "Tf_about"})
        QVERIFY2(seenIn.count(QLatin1String(window)) == 1, window);
    QVERIFY(windows.f_ED->btn_new_version->isVisible());
}

void WindowTextsTest::everyCaptionHintAndMenuTextHasAGlyph()
{
    CoreFixture f;
    TessivarCore& core = f.start();
    WidgetInteraction ui;
    ui.setRecordOnly(true);
    WindowSet windows(core, ui);

    // Every family the system offers is a fallback the text engine may take.
    QList<QRawFont> fonts;
    for (const QString& family : QFontDatabase::families()) {
        QFont font(family);
        font.setPixelSize(16);
        fonts.append(QRawFont::fromFont(font));
    }
    std::map<char32_t, bool> covered;
    QStringList missing;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        for (const QString& text : captionsOf(top)) {
            for (const char32_t c : text.toUcs4()) {
                if (drawsNoGlyph(c))
                    continue;
                auto [it, fresh] = covered.try_emplace(c, false);
                if (fresh)
                    it->second = std::any_of(fonts.begin(), fonts.end(),
                                             [c](const QRawFont& f) { return f.supportsCharacter(c); });
                if (!it->second)
                    missing.append(QStringLiteral("U+%1 in \"%2\" (%3)")
                                       .arg(quint32(c), 4, 16, QLatin1Char('0'))
                                       .arg(text, whereOf(top)));
            }
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
