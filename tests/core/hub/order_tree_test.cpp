// The hub's order list as a tree: parsing replies, the tree operations the
// contracts window and the cargo list rely on, and the refresh countdown.
#include "TestSupport.h"

#include "hub/HubClient.h"
#include "hub/HubHttp.h"
#include "hub/OrderLines.h"
#include "hub/OrderTree.h"

#include <QAbstractItemModelTester>
#include <QTest>

namespace {

// JSON written with single quotes, to keep the test data readable.
QString j(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('\''), QLatin1Char('"'));
}

const QString kAstronaut = QStringLiteral("\U0001F9D1\u200D\U0001F680");

// The tree as lines: top-level texts, children indented by two blanks per level.
QStringList lines(const OrderTree& tree)
{
    QStringList out;
    std::function<void(const OrderNode&, int)> walk = [&](const OrderNode& n, int depth) {
        for (const auto& c : n.children) {
            out.append(QString(depth * 2, QLatin1Char(' ')) + c->text);
            walk(*c, depth + 1);
        }
    };
    walk(tree.root(), 0);
    return out;
}

QString header(const QString& fc, const QString& cmdr)
{
    return QStringLiteral("🚀 ") + fc + QStringLiteral(" - ") + kAstronaut + QLatin1Char(' ') + cmdr;
}

QStringList order(const QString& fc, const QString& cmdr, const QString& id, const QString& action,
                  const QString& location, const QStringList& commodities)
{
    QStringList out{header(fc, cmdr), QStringLiteral("  🆔 CarrierID: ") + id,
                    QStringLiteral("  📥 Action: ") + action, QStringLiteral("  📍 Location: ") + location};
    for (const QString& c : commodities)
        out.append(QStringLiteral("  ") + c);
    return out;
}

QString commodity(const QString& name, const QString& count, const QString& price)
{
    return QStringLiteral("📦 Commodity: [") + name + QStringLiteral("] 🔢 ") + count +
           QStringLiteral(" / 💰 ") + price + QStringLiteral("% AVG;");
}

void build(OrderTree& tree, const QList<QStringList>& orders)
{
    tree.clear();
    for (const QStringList& o : orders) {
        OrderNode* h = tree.append(nullptr, o.first());
        for (const QString& l : o.mid(1))
            tree.append(h, l);
    }
}

}  // namespace

class OrderTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_KVN_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("tree");

        const QString one = j("{'FC':'Ironclad','cmdr':'Jan','CarrierID':'3702668288','action':'Demand','"
                              "location':'Deciat / Body 5','commodity':'Steel','price':'105','count':'720'}");
        const QStringList oneTree =
            order(QStringLiteral("Ironclad"), QStringLiteral("Jan"), QStringLiteral("3702668288"),
                  QStringLiteral("Demand"), QStringLiteral("Deciat / Body 5"),
                  {commodity(QStringLiteral("Steel"), QStringLiteral("720"), QStringLiteral("105"))});

        QTest::newRow("empty array") << QStringLiteral("[]") << QStringList();
        QTest::newRow("one order") << QLatin1Char('[') + one + QLatin1Char(']') << oneTree;
        QTest::newRow("not an array") << QStringLiteral("update_ok") << QStringList();
        QTest::newRow("an object") << j("{'FC':'x'}") << QStringList();
        QTest::newRow("empty reply") << QString() << QStringList();
        QTest::newRow("back-to-back arrays")
            << j("[{'FC':'A','cmdr':'X','commodity':'Water','count':'1','price':'90'}][{'FC':'B','cmdr':'Y','"
                 "commodity':'Tea','count':'2','price':'80'}]")
            << (order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("brak"),
                      QStringLiteral("brak"), QStringLiteral("brak"),
                      {commodity(QStringLiteral("Water"), QStringLiteral("1"), QStringLiteral("90"))}) +
                order(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("brak"),
                      QStringLiteral("brak"), QStringLiteral("brak"),
                      {commodity(QStringLiteral("Tea"), QStringLiteral("2"), QStringLiteral("80"))}));
        QTest::newRow("merged order keeps the first element's lines")
            << j("[{'FC':'A','cmdr':'X','CarrierID':'111','action':'Demand','location':'L1','commodity':'"
                 "Water',"
                 "'count':'5','price':'100'},{'FC':'A','cmdr':'X','CarrierID':'222','action':'Unload',"
                 "'location':'L2','commodity':'Steel','count':'6','price':'110'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("111"),
                     QStringLiteral("Demand"), QStringLiteral("L1"),
                     {commodity(QStringLiteral("Water"), QStringLiteral("5"), QStringLiteral("100")),
                      commodity(QStringLiteral("Steel"), QStringLiteral("6"), QStringLiteral("110"))});
        QTest::newRow("missing fields")
            << j("[{}]")
            << order(QStringLiteral("brak"), QStringLiteral("brak"), QStringLiteral("brak"),
                     QStringLiteral("brak"), QStringLiteral("brak"),
                     {commodity(QStringLiteral("brak"), QStringLiteral("0"), QStringLiteral("0"))});
        QTest::newRow("numbers as written")
            << j("[{'FC':'A','cmdr':'X','CarrierID':3702668288,'count':720,'price':12.5,'commodity':'Gold'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("3702668288"),
                     QStringLiteral("brak"), QStringLiteral("brak"),
                     {commodity(QStringLiteral("Gold"), QStringLiteral("720"), QStringLiteral("12.5"))});
        QTest::newRow("element that is no object is passed over")
            << j("[1,'x',{'FC':'A','cmdr':'X','commodity':'Tea','count':'3','price':'90'}]")
            << order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("brak"), QStringLiteral("brak"),
                     QStringLiteral("brak"),
                     {commodity(QStringLiteral("Tea"), QStringLiteral("3"), QStringLiteral("90"))});
        QTest::newRow("headers differ in case: two orders")
            << j("[{'FC':'A','cmdr':'X','commodity':'Tea'},{'FC':'a','cmdr':'X','commodity':'Tea'}]")
            << (order(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("brak"),
                      QStringLiteral("brak"), QStringLiteral("brak"),
                      {commodity(QStringLiteral("Tea"), QStringLiteral("0"), QStringLiteral("0"))}) +
                order(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("brak"),
                      QStringLiteral("brak"), QStringLiteral("brak"),
                      {commodity(QStringLiteral("Tea"), QStringLiteral("0"), QStringLiteral("0"))}));
    }

    void parse_KVN()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, tree);
        CoreFixture f;
        HubClient& kvn = f.start().kvn();
        QAbstractItemModelTester tester(&kvn.lista_zlecen,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Whatever the list held before is replaced.
        kvn.parse_KVN(j("[{'FC':'Old','cmdr':'Z'}]"));
        kvn.parse_KVN(reply);
        QCOMPARE(lines(kvn.lista_zlecen), tree);
    }

    void orderHeader_usesTheJoinedAstronaut()
    {
        const QString h = OrderLines::header(QStringLiteral("FC"), QStringLiteral("C"));
        QCOMPARE(h.toUcs4(),
                 (QList<uint>{0x1F680, ' ', 'F', 'C', ' ', '-', ' ', 0x1F9D1, 0x200D, 0x1F680, ' ', 'C'}));
    }

    void findParentNodeByText_onlyTopLevelExactText()
    {
        OrderTree t;
        build(t, {{QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("B"), QStringLiteral("x")}});
        QCOMPARE(FindParentNodeByText(t, QStringLiteral("B")), t.topLevel(1));
        QCOMPARE(FindParentNodeByText(t, QStringLiteral("a")), nullptr);
        QCOMPARE(FindParentNodeByText(t, QStringLiteral("x")), nullptr);
    }

    void SyncTreeParents_data()
    {
        QTest::addColumn<QList<QStringList>>("source");
        QTest::addColumn<QList<QStringList>>("target");
        QTest::addColumn<QStringList>("expected");
        const QString newLine = QStringLiteral("new");
        QTest::newRow("same header: lines replaced")
            << QList<QStringList>{{QStringLiteral("🚀 A"), newLine, QStringLiteral("new2")}}
            << QList<QStringList>{{QStringLiteral("🚀 A"), QStringLiteral("old")}}
            << QStringList{QStringLiteral("🚀 A"), QStringLiteral("  new"), QStringLiteral("  new2")};
        QTest::newRow("ASCII letter case ignored")
            << QList<QStringList>{{QStringLiteral("🚀 Iron - cmdr"), newLine}}
            << QList<QStringList>{{QStringLiteral("🚀 IRON - CMDR"), QStringLiteral("old")}}
            << QStringList{QStringLiteral("🚀 IRON - CMDR"), QStringLiteral("  new")};
        QTest::newRow("other letters must match")
            << QList<QStringList>{{QStringLiteral("🚀 Łódź"), newLine}}
            << QList<QStringList>{{QStringLiteral("🚀 łódź"), QStringLiteral("old")}}
            << QStringList{QStringLiteral("🚀 łódź"), QStringLiteral("  old")};
        QTest::newRow("only the first copy")
            << QList<QStringList>{{QStringLiteral("H"), newLine}}
            << QList<QStringList>{{QStringLiteral("H"), QStringLiteral("old")},
                                  {QStringLiteral("H"), QStringLiteral("old")}}
            << QStringList{QStringLiteral("H"), QStringLiteral("  new"), QStringLiteral("H"),
                           QStringLiteral("  old")};
        QTest::newRow("order gone from the hub keeps its lines")
            << QList<QStringList>{} << QList<QStringList>{{QStringLiteral("H"), QStringLiteral("old")}}
            << QStringList{QStringLiteral("H"), QStringLiteral("  old")};
    }

    void SyncTreeParents()
    {
        QFETCH(QList<QStringList>, source);
        QFETCH(QList<QStringList>, target);
        QFETCH(QStringList, expected);
        CoreFixture f;
        HubClient& kvn = f.start().kvn();
        QAbstractItemModelTester tester(&kvn.przyjete_zlecenia,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        build(kvn.lista_zlecen, source);
        build(kvn.przyjete_zlecenia, target);
        kvn.SyncTreeParents(kvn.lista_zlecen, kvn.przyjete_zlecenia);
        QCOMPARE(lines(kvn.przyjete_zlecenia), expected);
    }

    void CopyNodeWithChildren_copiesEveryLevel()
    {
        OrderTree source;
        OrderTree target;
        QAbstractItemModelTester tester(&target, QAbstractItemModelTester::FailureReportingMode::QtTest);
        OrderNode* h = source.append(nullptr, QStringLiteral("H"));
        OrderNode* a = source.append(h, QStringLiteral("a"));
        source.append(a, QStringLiteral("a1"));
        source.append(h, QStringLiteral("b"));
        build(target, {{QStringLiteral("first")}});
        CopyNodeWithChildren(*h, target);
        CopyNodeWithChildren(*h, target);
        const QStringList copy{QStringLiteral("H"), QStringLiteral("  a"), QStringLiteral("    a1"),
                               QStringLiteral("  b")};
        QCOMPARE(lines(target), QStringList{QStringLiteral("first")} + copy + copy);
    }

    void GetCarrierIDFromParent_data()
    {
        QTest::addColumn<QStringList>("children");
        QTest::addColumn<QString>("id");
        QTest::newRow("carrier line")
            << QStringList{QStringLiteral("🆔 CarrierID: 3702668288")} << QStringLiteral("3702668288");
        QTest::newRow("blanks around")
            << QStringList{QStringLiteral("  🆔 CarrierID:   42  ")} << QStringLiteral("42");
        QTest::newRow("first of two") << QStringList{QStringLiteral("x"), QStringLiteral("🆔 CarrierID: 1"),
                                                     QStringLiteral("🆔 CarrierID: 2")}
                                      << QStringLiteral("1");
        QTest::newRow("case matters") << QStringList{QStringLiteral("🆔 carrierid: 5")} << QString();
        QTest::newRow("blank after the colon needed")
            << QStringList{QStringLiteral("🆔 CarrierID:5")} << QString();
        QTest::newRow("no carrier line") << QStringList{QStringLiteral("📥 Action: Demand")} << QString();
    }

    void GetCarrierIDFromParent()
    {
        QFETCH(QStringList, children);
        QFETCH(QString, id);
        OrderNode order(QStringLiteral("H"));
        for (const QString& c : children)
            order.addChild(c);
        QCOMPARE(::GetCarrierIDFromParent(order), id);
    }

    void acceptedContractRows_data()
    {
        QTest::addColumn<QList<QStringList>>("accepted");
        QTest::addColumn<QString>("carrierId");
        QTest::addColumn<bool>("matched");
        QTest::addColumn<QStringList>("rows");  // "name=count"
        const QString c1 = commodity(QStringLiteral("Steel"), QStringLiteral("720"), QStringLiteral("100"));
        const QString c2 =
            commodity(QStringLiteral("Liquid Oxygen"), QStringLiteral(" 55 "), QStringLiteral("90"));
        QTest::newRow("one contract")
            << QList<QStringList>{{QStringLiteral("H"), QStringLiteral("🆔 CarrierID: 42"), c1, c2}}
            << QStringLiteral("42") << true
            << QStringList{QStringLiteral("Steel=720"), QStringLiteral("Liquid Oxygen=55")};
        QTest::newRow("last match wins")
            << QList<QStringList>{{QStringLiteral("H1"), QStringLiteral("🆔 CarrierID: 42"), c1},
                                  {QStringLiteral("H2"), QStringLiteral("🆔 CarrierID: 42"), c2}}
            << QStringLiteral("42") << true << QStringList{QStringLiteral("Liquid Oxygen=55")};
        QTest::newRow("no match") << QList<QStringList>{{QStringLiteral("H"),
                                                         QStringLiteral("🆔 CarrierID: 42"), c1}}
                                  << QStringLiteral("7") << false << QStringList();
        QTest::newRow("substring of a longer id")
            << QList<QStringList>{{QStringLiteral("H"), QStringLiteral("🆔 CarrierID: 123"), c1}}
            << QStringLiteral("12") << true << QStringList{QStringLiteral("Steel=720")};
        QTest::newRow("line without count passed over")
            << QList<QStringList>{{QStringLiteral("H"), QStringLiteral("🆔 CarrierID: 9"),
                                   QStringLiteral("📦 Commodity: [Tea]")}}
            << QStringLiteral("9") << true << QStringList();
    }

    void acceptedContractRows()
    {
        QFETCH(QList<QStringList>, accepted);
        QFETCH(QString, carrierId);
        QFETCH(bool, matched);
        QFETCH(QStringList, rows);
        CoreFixture f;
        HubClient& kvn = f.start().kvn();
        build(kvn.przyjete_zlecenia, accepted);
        const auto got = kvn.acceptedContractRows(carrierId);
        QCOMPARE(got.has_value(), matched);
        QStringList texts;
        for (const auto& [name, count] : got.value_or(QList<QPair<QString, QString>>{}))
            texts.append(name + QLatin1Char('=') + count);
        QCOMPARE(texts, rows);
    }

    void Timer_delayTimer_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("enabledBefore");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("enabledAfter");
        QTest::newRow("counting down disables")
            << QStringLiteral("60") << true << QStringLiteral("59") << false;
        QTest::newRow("last second") << QStringLiteral("1") << false << QStringLiteral("0") << false;
        QTest::newRow("zero enables") << QStringLiteral("0") << false << QStringLiteral("0") << true;
        QTest::newRow("not a number stops") << QStringLiteral("x") << false << QStringLiteral("x") << false;
        QTest::newRow("not a number keeps enabled")
            << QStringLiteral("") << true << QStringLiteral("") << true;
    }

    void Timer_delayTimer()
    {
        QFETCH(QString, before);
        QFETCH(bool, enabledBefore);
        QFETCH(QString, after);
        QFETCH(bool, enabledAfter);
        CoreFixture f;
        HubClient& kvn = f.start().kvn();
        kvn.label_delay = before;
        kvn.btn_refresh_enabled = enabledBefore;
        kvn.Timer_delayTimer();
        QCOMPARE(kvn.label_delay, after);
        QCOMPARE(kvn.btn_refresh_enabled, enabledAfter);
    }

    void Timer_delayTimer_enablesOn61stTickAfterRefresh()
    {
        CoreFixture f;
        HubClient& kvn = f.start().kvn();
        kvn.label_delay = QStringLiteral("60");
        for (int i = 0; i < 60; ++i)
            kvn.Timer_delayTimer();
        QCOMPARE(kvn.label_delay, QStringLiteral("0"));
        QVERIFY(!kvn.btn_refresh_enabled);
        kvn.Timer_delayTimer();
        QVERIFY(kvn.btn_refresh_enabled);
    }

    void formEncode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("blank as plus") << QStringLiteral("cmdr") << QStringLiteral("CMDR Jan Kowalski")
                                       << QByteArray("cmdr=CMDR+Jan+Kowalski");
        QTest::newRow("reserved characters")
            << QStringLiteral("location") << QStringLiteral("Sol / Body 5&x=1+2%")
            << QByteArray("location=Sol+%2F+Body+5%26x%3D1%2B2%25");
        QTest::newRow("UTF-8 bytes") << QStringLiteral("FC") << QStringLiteral("Łódź ✓")
                                     << QByteArray("FC=%C5%81%C3%B3d%C5%BA+%E2%9C%93");
        QTest::newRow("unreserved kept")
            << QStringLiteral("a_b") << QStringLiteral("A-z.0_9*~") << QByteArray("a_b=A-z.0_9*%7E");
        QTest::newRow("empty value") << QStringLiteral("code") << QString() << QByteArray("code=");
    }

    void formEncode()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QByteArray, encoded);
        QCOMPARE(HubHttpClient::formEncode({{QStringLiteral("act"), QStringLiteral("x")}, {name, value}}),
                 QByteArray("act=x&") + encoded);
    }

    void orderCommodities_sixtyOneEntries()
    {
        const QStringList& list = HubClient::orderCommodities();
        QCOMPARE(list.size(), 61);
        QCOMPARE(list[3], QStringLiteral("Aluminium"));
        QCOMPARE(list[21], QStringLiteral("Water Purifiers"));
        QCOMPARE(list[22], QString());
        QCOMPARE(list[24], QStringLiteral("OTHER:"));
        QCOMPARE(list.last(), QStringLiteral("Wine"));
        int orderable = 0;
        for (const QString& e : list)
            orderable += HubClient::isOrderableCommodity(e) ? 1 : 0;
        QCOMPARE(orderable, 19 + 35);
    }
};

QTEST_GUILESS_MAIN(OrderTreeTest)
#include "order_tree_test.moc"
