// Markets benchmarks.
//
//   bench_markets [RUNS]   (default 50 runs of each)
//
// search   szukaj_towaru over a Last Shopping store of 500 commodity sections,
//          marking a 60-row loading list and a 60-row construction list
// market   przeszukaj_market reading the 354-item Market.json into the grid
//          (the shared fixture; a generated file of the same size without it)
//
// Prints the first, median and slowest run of each in milliseconds.
#include "Core.h"
#include "cargo/CargoModule.h"
#include "common/UserInteraction.h"
#include "construction/ConstructionModule.h"
#include "markets/MarketModule.h"
#include "markets/ShoppingDb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString commodity(int i)
{
    return QStringLiteral("commodity%1").arg(i, 3, 10, QLatin1Char('0'));
}

QByteArray store()
{
    QByteArray s;
    for (int i = 0; i < 500; ++i)
        s += "[" + commodity(i).toUtf8() +
             "]\r\nSystem_Name=Capricorni Sector OS-U c2-13\r\nSystem_Adres=3657198080754\r\n"
             "Station_Name=Kawasato's Pride\r\nStation_Distance=540.377125\r\n"
             "Station_Type=CraterOutpost [L]\r\nMarketID=4241957379\r\nPrice=121\r\nCount=1\r\n";
    return s;
}

// Half the rows name a stored commodity (in capitals, as lists show names).
QList<QStringList> list(int offset)
{
    QList<QStringList> rows{{QStringLiteral("TOWAR"), QStringLiteral("ILOSC"), QString()}};
    for (int i = 1; i < 60; ++i) {
        const QString name =
            i % 2 ? commodity(offset + i * 7).toUpper() : QStringLiteral("Not Stored %1").arg(i);
        rows.append({name, QStringLiteral("100"), QStringLiteral("0-100")});
    }
    return rows;
}

QByteArray generatedMarket()
{
    QByteArray m =
        R"({ "timestamp":"2025-05-29T15:33:17Z", "event":"Market", "MarketID":129032951, "Items":[ )";
    for (int i = 0; i < 354; ++i) {
        if (i)
            m += ", ";
        m += QStringLiteral(
                 R"({ "id":%1, "Name":"$c%1_name;", "Name_Localised":"Commodity %1", )"
                 R"("Category":"$MARKET_category_metals;", "Category_Localised":"Metals", )"
                 R"("BuyPrice":%2, "SellPrice":%2, "MeanPrice":%2, "StockBracket":0, "DemandBracket":0, )"
                 R"("Stock":%3, "Demand":0, "Consumer":false, "Producer":false, "Rare":false })")
                 .arg(i)
                 .arg(1000 + i)
                 .arg(i % 6 ? 0 : 500)
                 .toUtf8();
    }
    return m + " ] }";
}

void measure(const char* name, int runs, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    const double first = ms.front();
    std::sort(ms.begin(), ms.end());
    out << name << ": first " << first << " ms, median " << ms[ms.size() / 2] << " ms, slowest " << ms.back()
        << " ms (" << runs << " runs)\n";
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;

    QTemporaryDir journal;
    QTemporaryDir data;
    ScriptedInteraction ui;
    AppPaths paths;
    paths.journalDir = journal.path();
    paths.dataDir = data.path();
    TessivarCore core(paths, {}, ui);

    QDir().mkpath(data.filePath(QStringLiteral("Markets")));
    writeBytes(core.lastShopping().storePath(), store());
    core.cargo().loadingList.setAll(list(0));
    core.construct().lista_materialow.setAll(list(3));
    ShoppingDb& db = core.lastShopping();
    db.edit_find = QStringLiteral("Commodity 499");
    measure("search", runs, [&db] { db.szukaj_towaru(); });
    out << "  found " << db.Wynik_wyszukiwania.ItemType << ", listed "
        << db.Wynik_wyszukiwania.Also_needed.count(QLatin1Char(';')) << " names\n";

    const QString fixture =
        QStringLiteral(TESSIVAR_SHARED_FIXTURES "/companion/Roescoe__elite-colonisation/Market.json");
    const QString market = journal.filePath(QStringLiteral("Market.json"));
    if (QFileInfo::exists(fixture)) {
        QFile::copy(fixture, market);
        out << "Market.json: the 354-item fixture\n";
    } else {
        writeBytes(market, generatedMarket());
        out << "Market.json: generated, 354 items\n";
    }
    MarketModule& m = core.market();
    measure("market", runs, [&m, &journal] { m.przeszukaj_market(journal.path()); });
    out << "  grid rows " << m.sg_Market.rowCount() << "\n";
    out.flush();
    return 0;
}
