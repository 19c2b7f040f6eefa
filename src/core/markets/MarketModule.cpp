#include "markets/MarketModule.h"

#include "commodities/CommodityNames.h"
#include "common/Error.h"
#include "common/JsonRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <exception>

namespace {

const JsonPlace kWhere{QStringLiteral("Market.json")};

QStringList headingRow()
{
    return {MarketModule::tr("COMMODITY"), MarketModule::tr("PRICE"), MarketModule::tr("DEMAND"),
            MarketModule::tr("STOCK"), QString()};
}

// The price a commander pays at this market. Not a field the grid depends on,
// so an item without it is still listed, with an empty price.
QString buyPriceText(const QJsonObject& item)
{
    const QJsonValue v = item.value(QStringLiteral("BuyPrice"));
    return v.isDouble() ? QString::number(v.toInteger()) : QString();
}

}  // namespace

MarketModule::MarketModule(const GameState& state) : m_state(state)
{
    sg_Market.appendRow(headingRow());
}

void MarketModule::FormShow()
{
    if (sg_Market.rowCount() == 0)
        sg_Market.appendRow(headingRow());
    else
        sg_Market.setRow(0, headingRow());
}

QString MarketModule::LoadJSONFromFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw TessivarError(
            MarketModule::tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), f.errorString()));
    const QByteArray bytes = f.readAll();
    const auto encoding = QStringConverter::encodingForData(bytes);
    // The decoder drops the byte-order mark itself.
    QStringDecoder decode(encoding.value_or(QStringConverter::Utf8));
    return decode(bytes);
}

void MarketModule::przeszukaj_market(const QString& JournalFolder)
{
    // The rows are gathered first and put into the grid at once (one reset for
    // the view); on a fault the rows read so far are put there all the same.
    QList<QStringList> rows{sg_Market.rowCount() > 0 ? sg_Market.row(0) : headingRow()};
    QStringList internalNames{QString()};
    auto show = [&] {
        sg_Market.setAll(rows);
        m_internalNames = internalNames;
        emit changed();
    };
    // Without a journal folder the name alone would be read from the working directory.
    const QString path =
        JournalFolder.isEmpty() ? QString() : QDir(JournalFolder).filePath(QStringLiteral("Market.json"));
    // The game writes the file at its first market screen: until then
    // there is simply no market to show, which is not a fault.
    if (!path.isEmpty() && !QFileInfo::exists(path)) {
        rows.erase(rows.begin() + 1, rows.end());
        show();
        return;
    }
    std::exception_ptr failure;
    try {
        if (path.isEmpty())
            throw TessivarError(MarketModule::tr("Market.json: the game's journal folder is not known"));
        const QString text = LoadJSONFromFile(path);
        QJsonParseError err{};
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &err);
        if (err.error != QJsonParseError::NoError)
            throw TessivarError(
                MarketModule::tr("Market.json: %1 at offset %2").arg(err.errorString()).arg(err.offset));
        if (!doc.isObject())
            throw TessivarError(MarketModule::tr("Market.json: the file does not hold a JSON object"));
        const QJsonObject market = doc.object();
        requiredJsonUnsigned64(market, QStringLiteral("MarketID"), kWhere);
        if (!market.contains(QStringLiteral("Items")))
            throw TessivarError(MarketModule::tr("Market.json: the field \"Items\" is missing"));
        const QJsonValue items = market.value(QStringLiteral("Items"));
        if (!items.isArray())
            throw TessivarError(MarketModule::tr("Market.json: the field \"Items\" is not a list"));
        const QJsonArray list = items.toArray();
        rows.reserve(list.size() + 1);
        for (qsizetype i = 0; i < list.size(); ++i) {
            const JsonPlace where{MarketModule::tr("Market.json, item %1").arg(i + 1)};
            if (!list[i].isObject())
                throw TessivarError(where.name + MarketModule::tr(": not a JSON object"));
            const QJsonObject item = list[i].toObject();
            const qint64 demand = requiredJsonWhole(item, QStringLiteral("Demand"), where);
            const qint64 stock = requiredJsonWhole(item, QStringLiteral("Stock"), where);
            if (demand <= 0 && stock <= 0)
                continue;
            rows.append({requiredJsonText(item, QStringLiteral("Name_Localised"), where), buyPriceText(item),
                         QString::number(demand), QString::number(stock), QString()});
            internalNames.append(item.value(QStringLiteral("Name")).toString());
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // The rows read so far are shown all the same, announced outside the read.
    if (failure) {
        show();
        std::rethrow_exception(failure);
    }

    // The caption names the station docked at, not the market id inside the file.
    const TDaneSystemu& sys = m_state.dane_systemu;
    label_market_info = QStringLiteral("🪐 ") + sys.StarSystem + QStringLiteral("\r\n🛰️ ") +
                        m_state.dane_dokowania.StationName + QStringLiteral("\r\n🆔 ") +
                        QString::number(sys.MarketID);
    show();
    KVN_aktualizuj_zlecenia(sys.MarketID);
}

bool MarketModule::rowIsCommodity(int row, const QString& name) const
{
    const QString shown = sg_Market.cell(row, 0);
    return shown.compare(name, Qt::CaseInsensitive) == 0 || CommodityNames::same(shown, name) ||
           CommodityNames::same(m_internalNames.value(row), name);
}

void MarketModule::KVN_aktualizuj_zlecenia(quint64 MarketID)
{
    // The hub client keeps the orders and the requests; it reads sg_Market.
    emit marketRead(MarketID);
}

QJsonObject MarketModule::dumpJson() const
{
    return QJsonObject{{"sg_Market", sg_Market.toJson()}, {"label_market_info", label_market_info}};
}
