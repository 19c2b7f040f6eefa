#include "hub/HubClient.h"

#include "common/JsonRead.h"
#include "common/ReportSink.h"
#include "common/TextTableModel.h"
#include "common/UserInteraction.h"
#include "hub/OrderLines.h"

#include <QCryptographicHash>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QUrl>

Q_LOGGING_CATEGORY(lcHub, "tessivar.hub")

namespace {

constexpr qsizetype kVerifyLogLines = 100;
// Longest hub text shown in a message box or on a button.
constexpr qsizetype kShownReplyChars = 4000;
constexpr qsizetype kShownVersionChars = 100;

QString endpointFrom(const QString& configured, QString& note)
{
    const QString t = configured.trimmed();
    if (t.isEmpty()) {
        note = QStringLiteral(
            "No Kelvane hub address is configured: enter it in Settings (🛠️ in the main window), "
            "tab Kelvane, and start the program again. Nothing is sent to the hub.");
        return {};
    }
    QUrl u(t, QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        u.host().isEmpty()) {
        note = QStringLiteral("The Kelvane hub address \"%1\" is not an http:// or https:// address. "
                              "Nothing is sent to the hub.")
                   .arg(t);
        return {};
    }
    if (u.path().isEmpty() || u.path() == QLatin1String("/"))
        u.setPath(QStringLiteral("/ED/KVN.php"));
    return u.toString();
}

QString field(const QJsonObject& o, const char* name, const QString& missing)
{
    const auto it = o.constFind(QLatin1String(name));
    return it == o.constEnd() ? missing : jsonWrittenText(*it);
}

// Letters A-Z and a-z match each other; every other character must be equal.
bool equalsIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

QString shortened(const QString& text, qsizetype max)
{
    return text.size() <= max ? text : text.left(max) + QStringLiteral("…");
}

}  // namespace

HubClient::HubClient(const GameState& state, const QString& hubUrl, ReportSink& reports, UserInteraction& ui,
                     std::function<bool()> consent, std::function<QString()> ownerCode)
    : m_state(state), m_reports(reports), m_ui(ui), m_consent(std::move(consent)),
      m_ownerCode(std::move(ownerCode))
{
    URL = endpointFrom(hubUrl, endpointNote);
    m_http.setEndpoint(QUrl(URL));
    connect(&m_http, &HubHttpClient::stepFailed, this,
            [this](const QString& error) { m_reports.report(error); });
}

HubClient::~HubClient() = default;

bool HubClient::consentGiven() const
{
    return m_consentAssumed || (m_consent && m_consent());
}

void HubClient::post(const FormFields& fields, Origin origin, std::function<void(const QString&)> onReply,
                     std::function<QString(const QString&)> unreadable)
{
    QString act;
    for (const auto& [name, value] : fields)
        if (name == QLatin1String("act"))
            act = value;
    qCDebug(lcHub) << "request" << act;
    HubHttpClient::Request r;
    r.fields = fields;
    r.onReply = [this, act, origin, onReply = std::move(onReply), unreadable](const QString& reply) {
        // A reply the client cannot use is a failure like a lost connection:
        // reported (once, for automatic requests) and nothing after it runs.
        if (unreadable) {
            const QString why = unreadable(reply);
            if (!why.isEmpty()) {
                reportFailure(act, origin, why);
                return;
            }
        }
        m_autoFailureShown = false;
        if (onReply)
            onReply(reply);
    };
    r.onFailure = [this, act, origin](const QString& error) { reportFailure(act, origin, error); };
    m_http.post(std::move(r));
}

void HubClient::reportFailure(const QString& act, Origin origin, const QString& error)
{
    const QString text = QStringLiteral("Kelvane hub (%1): %2").arg(act, error);
    qCWarning(lcHub).noquote() << text;
    if (origin == Origin::Automatic) {
        // Nobody clicked for it: to the strip, and an outage must not pile up
        // one line per sale or market visit there either.
        if (!m_autoFailureShown)
            m_reports.notice(text);
        m_autoFailureShown = true;
        return;
    }
    m_reports.report(text);
}

// ------------------------------------------------------------ order list

void HubClient::get_KVN()
{
    get_KVN(Origin::Automatic);
}

void HubClient::get_KVN(Origin origin, std::function<void()> then)
{
    if (!hasEndpoint())
        return;
    post(
        {{QStringLiteral("act"), QStringLiteral("get_kvn")}}, origin,
        [this, then = std::move(then)](const QString& reply) {
            parse_KVN(reply);
            SyncTreeParents(lista_zlecen, przyjete_zlecenia);
            emit ordersSynced();
            if (then)
                then();
        },
        [](const QString& reply) {
            return isOrderList(reply) ? QString()
                                      : QStringLiteral("the reply is not an order list: \"%1\"")
                                            .arg(shortened(reply.simplified(), 80));
        });
}

bool HubClient::isOrderList(const QString& reply)
{
    QString text = reply;
    text.replace(QStringLiteral("]["), QStringLiteral(","));
    return QJsonDocument::fromJson(text.toUtf8()).isArray();
}

void HubClient::parse_KVN(const QString& reply)
{
    QString text = reply;
    // Several arrays sent back to back become one.
    text.replace(QStringLiteral("]["), QStringLiteral(","));
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());

    // Built apart and shown at once; the hash finds an order's header as
    // FindParentNodeByText would (headers are unique in a tree built here).
    std::vector<std::unique_ptr<OrderNode>> orders;
    QHash<QString, OrderNode*> byHeader;
    const QString missing = QStringLiteral("brak");
    const QString zero = QStringLiteral("0");
    const QJsonArray elements = doc.isArray() ? doc.array() : QJsonArray();
    for (const QJsonValue& v : elements) {
        // An element that is not an object carries no order.
        if (!v.isObject())
            continue;
        const QJsonObject o = v.toObject();
        const QString header = OrderLines::header(field(o, "FC", missing), field(o, "cmdr", missing));
        OrderNode*& order = byHeader[header];
        if (!order) {
            orders.push_back(std::make_unique<OrderNode>(header));
            order = orders.back().get();
            order->addChild(OrderLines::carrierIdLine(field(o, "CarrierID", missing)));
            order->addChild(OrderLines::actionLine(field(o, "action", missing)));
            order->addChild(OrderLines::locationLine(field(o, "location", missing)));
        }
        order->addChild(OrderLines::commodityLine(field(o, "commodity", missing), field(o, "count", zero),
                                                  field(o, "price", zero)));
    }
    lista_zlecen.setTopLevel(std::move(orders));
    emit ordersReloaded();
    emit changed();
}

void HubClient::SyncTreeParents(const OrderTree& source, OrderTree& target)
{
    if (&source == &target)
        return;
    for (const auto& s : source.root().children) {
        OrderNode* t = nullptr;
        for (int i = 0; i < target.topLevelCount() && !t; ++i)
            if (equalsIgnoringAsciiCase(target.topLevel(i)->text, s->text))
                t = target.topLevel(i);
        if (!t)
            continue;
        target.removeChildren(t);
        for (const auto& line : s->children)
            target.append(t, line->text);
    }
    emit changed();
}

// ------------------------------------------------------------ updates

QString HubClient::saleKey(const QByteArray& journalLine)
{
    // Line ends differ between a line read whole and one read again.
    QByteArray line = journalLine;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex());
}

void HubClient::check_update_KVN(const QString& Commodity, const QString& Count, const QString& SaleKey)
{
    if (!hasEndpoint() || !consentGiven())
        return;
    FormFields fields{{QStringLiteral("MarketID"), QString::number(m_state.dane_dokowania.MarketID)},
                      {QStringLiteral("act"), QStringLiteral("update_kvn")},
                      {QStringLiteral("Commodity"), Commodity},
                      {QStringLiteral("Count"), Count}};
    if (!SaleKey.isEmpty())
        fields.append({QStringLiteral("SaleKey"), SaleKey});
    // The hub records who reported a sale; at one's own carrier the owner's
    // code makes the report the owner's (any count, not a stranger's bound).
    fields.append({QStringLiteral("CMDR"), m_state.dane_CMDR.Name});
    appendOwnerCode(fields, m_state.dane_dokowania.MarketID);
    post(fields, Origin::Automatic, [this](const QString& reply) {
        if (reply != QLatin1String("update_ok"))
            return;
        get_KVN(Origin::Automatic, [this] { SyncTreeParents(lista_zlecen, przyjete_zlecenia); });
    });
}

void HubClient::appendOwnerCode(FormFields& fields, quint64 market) const
{
    // Only at one's own carrier: elsewhere the code would mean nothing.
    if (market == 0 || market != m_state.dane_carriera.CarrierID || !m_ownerCode)
        return;
    if (const QString code = m_ownerCode(); !code.isEmpty())
        fields.append({QStringLiteral("code"), code});
}

void HubClient::KVN_aktualizuj_zlecenia(quint64 MarketID, const TextTableModel& grid,
                                        const std::function<bool(int, const QString&)>& rowIsCommodity)
{
    emit verificationAnswered(false);
    // A market id of 0 (after a carrier jump) would match almost every order.
    if (MarketID == 0 || !hasEndpoint() || !consentGiven()) {
        finishVerification(false);
        return;
    }
    const QString id = QString::number(MarketID);
    QList<QPair<QString, int>> pending;
    QString countText;
    for (const auto& order : lista_zlecen.root().children) {
        bool atThisMarket = false;
        for (const auto& line : order->children)
            atThisMarket = atThisMarket || line->text.contains(id);
        if (!atThisMarket)
            continue;
        for (const auto& line : order->children) {
            if (!line->text.contains(OrderLines::commodityMark()))
                continue;
            const QString name = OrderLines::commodityName(line->text);
            if (OrderLines::hasCount(line->text))
                countText = OrderLines::commodityCount(line->text);
            bool present = false;
            for (int r = 1; r < grid.rowCount(); ++r) {
                // The market writes "Liquid oxygen" or "Computer Components"
                // where an order says "Liquid Oxygen" or "Components Computer":
                // an order is never lowered for a mere spelling.
                if (!rowIsCommodity(r, name))
                    continue;
                present = true;
                if (grid.cell(r, 2) != countText)
                    pending.append({name, grid.cell(r, 2).toInt()});
            }
            if (!present)
                pending.append({name, 0});
        }
    }
    sendVerifications(MarketID, pending, false);
}

void HubClient::sendVerifications(quint64 MarketID, QList<QPair<QString, int>> pending, bool sent)
{
    if (pending.isEmpty()) {
        finishVerification(sent);
        return;
    }
    const auto [towar, ilosc] = pending.takeFirst();
    wyslij_aktualizacje(MarketID, towar, ilosc,
                        [this, MarketID, pending] { sendVerifications(MarketID, pending, true); });
}

void HubClient::finishVerification(bool sent)
{
    if (sent)
        get_KVN(Origin::Automatic, [this] { emit ordersVerified(); });
    else
        emit ordersVerified();
}

void HubClient::wyslij_aktualizacje(quint64 Market, const QString& Towar, int Ilosc,
                                    std::function<void()> then)
{
    if (!hasEndpoint() || !consentGiven())
        return;
    FormFields fields{{QStringLiteral("act"), QStringLiteral("verify_kvn")},
                      {QStringLiteral("CMDR"), m_state.dane_CMDR.Name},
                      {QStringLiteral("Market"), QString::number(Market)},
                      {QStringLiteral("Towar"), Towar},
                      {QStringLiteral("Ilosc"), QString::number(Ilosc)}};
    appendOwnerCode(fields, Market);
    post(fields, Origin::Automatic, [this, then = std::move(then)](const QString& reply) {
        emit verificationAnswered(true);
        verifyLog.append(shortened(reply, kShownReplyChars));
        while (verifyLog.size() > kVerifyLogLines)
            verifyLog.removeFirst();
        if (then)
            then();
    });
}

// ------------------------------------------------------------ new order

const QStringList& HubClient::orderCommodities()
{
    static const QString line = QStringLiteral("-----------------------------");
    static const QStringList list{line,
                                  QStringLiteral("BASE:"),
                                  line,
                                  QStringLiteral("Aluminium"),
                                  QStringLiteral("Ceramic Composites"),
                                  QStringLiteral("CMM Composite"),
                                  QStringLiteral("Components Computer"),
                                  QStringLiteral("Copper"),
                                  QStringLiteral("Food Cartridges"),
                                  QStringLiteral("Fruit and Vegetables"),
                                  QStringLiteral("Insulating Membrane"),
                                  QStringLiteral("Liquid Oxygen"),
                                  QStringLiteral("Medical Diagnostic Equipment"),
                                  QStringLiteral("Non-Lethal Weapons"),
                                  QStringLiteral("Polymers"),
                                  QStringLiteral("Power Generators"),
                                  QStringLiteral("Semiconductors"),
                                  QStringLiteral("Steel"),
                                  QStringLiteral("Superconductors"),
                                  QStringLiteral("Titanium"),
                                  QStringLiteral("Water"),
                                  QStringLiteral("Water Purifiers"),
                                  QString(),
                                  line,
                                  QStringLiteral("OTHER:"),
                                  line,
                                  QStringLiteral("Advanced Catalysers"),
                                  QStringLiteral("Agri-Medicines"),
                                  QStringLiteral("Animal Meat"),
                                  QStringLiteral("Basic Medicines"),
                                  QStringLiteral("Battle Weapons"),
                                  QStringLiteral("Beer"),
                                  QStringLiteral("Bioreducing Lichen"),
                                  QStringLiteral("Biowaste"),
                                  QStringLiteral("Building Fabricators"),
                                  QStringLiteral("Coffee"),
                                  QStringLiteral("Combat Stabilizers"),
                                  QStringLiteral("Crop Harvesters"),
                                  QStringLiteral("Emergency Power Cells"),
                                  QStringLiteral("Evacuation Shelter"),
                                  QStringLiteral("Fish"),
                                  QStringLiteral("Geological Equipment"),
                                  QStringLiteral("Grain"),
                                  QStringLiteral("H.E. Suits"),
                                  QStringLiteral("Land Enrichment Systems"),
                                  QStringLiteral("Liquor"),
                                  QStringLiteral("Micro Controllers"),
                                  QStringLiteral("Microbial Furnaces"),
                                  QStringLiteral("Military Grade Fabrics"),
                                  QStringLiteral("Mineral Extractors"),
                                  QStringLiteral("Muon Imager"),
                                  QStringLiteral("Pesticides"),
                                  QStringLiteral("Reactive Armour"),
                                  QStringLiteral("Resonating Separators"),
                                  QStringLiteral("Robotics"),
                                  QStringLiteral("Structural Regulators"),
                                  QStringLiteral("Surface Stabilisers"),
                                  QStringLiteral("Survival Equipment"),
                                  QStringLiteral("Tea"),
                                  QStringLiteral("Thermal Cooling Units"),
                                  QStringLiteral("Wine")};
    return list;
}

bool HubClient::isOrderableCommodity(const QString& entry)
{
    return !entry.isEmpty() && entry != QLatin1String("-----------------------------") &&
           entry != QLatin1String("BASE:") && entry != QLatin1String("OTHER:");
}

bool HubClient::add_kvn(const NewOrder& order)
{
    if (!isOrderableCommodity(order.commodity))
        return false;
    if (!hasEndpoint()) {
        m_reports.report(endpointNote);
        return false;
    }
    post({{QStringLiteral("act"), QStringLiteral("add_kvn")},
          {QStringLiteral("cmdr"), order.cmdr},
          {QStringLiteral("FC"), order.FC},
          {QStringLiteral("CarrierID"), QString::number(m_state.dane_carriera.CarrierID)},
          {QStringLiteral("location"), order.location},
          {QStringLiteral("typ"), order.typ},
          {QStringLiteral("commodity"), order.commodity},
          {QStringLiteral("count"), QString::number(order.count)},
          {QStringLiteral("price"), QString::number(order.price)},
          {QStringLiteral("code"), m_ownerCode()}},
         Origin::User, [this](const QString& reply) {
             m_ui.showMessage(shortened(reply, kShownReplyChars));
             get_KVN(Origin::User, [this] { setDelay(QStringLiteral("60")); });
         });
    return true;
}

// ------------------------------------------------------------ contracts window

void HubClient::setDelay(const QString& text)
{
    label_delay = text;
    emit changed();
}

void HubClient::FormShow()
{
    if (label_delay == QLatin1String("0"))
        get_KVN(Origin::User, [this] { setDelay(QStringLiteral("60")); });
}

void HubClient::btn_refreshClick()
{
    get_KVN(Origin::User, [this] { setDelay(QStringLiteral("60")); });
}

void HubClient::Timer_delayTimer()
{
    bool ok = false;
    int value = label_delay.toInt(&ok);
    if (!ok)
        return;
    const bool wasEnabled = btn_refresh_enabled;
    if (value > 0) {
        --value;
        btn_refresh_enabled = false;
    } else {
        btn_refresh_enabled = true;
    }
    const QString text = QString::number(value);
    if (text == label_delay && wasEnabled == btn_refresh_enabled)
        return;
    label_delay = text;
    emit changed();
}

bool HubClient::addButtonEnabled() const
{
    return m_state.dane_carriera.CarrierID != 0;
}

bool HubClient::Getcontract1Click(const OrderNode* selected)
{
    if (!selected)
        return false;
    const OrderNode* order = selected;
    while (order->parent && order->parent->parent)
        order = order->parent;
    CopyNodeWithChildren(*order, przyjete_zlecenia);
    const QString id = GetCarrierIDFromParent(*order);
    emit changed();

    emit contractTaken(id);
    return true;
}

bool HubClient::takeContract(int orderIndex)
{
    return Getcontract1Click(lista_zlecen.topLevel(orderIndex));
}

// ------------------------------------------------------------ cargo list

QList<QPair<QString, QStringList>> HubClient::acceptedContracts() const
{
    QList<QPair<QString, QStringList>> out;
    for (const auto& order : przyjete_zlecenia.root().children) {
        QStringList lines;
        for (const auto& line : order->children)
            lines.append(line->text);
        out.append({order->text, lines});
    }
    return out;
}

std::optional<QList<QPair<QString, QString>>> HubClient::acceptedContractRows(const QString& carrierId) const
{
    const QString search = OrderLines::carrierIdPrefix() + carrierId;
    std::optional<QList<QPair<QString, QString>>> rows;
    for (const auto& order : przyjete_zlecenia.root().children) {
        bool match = false;
        for (const auto& line : order->children)
            match = match || line->text.contains(search);
        if (!match)
            continue;
        // Every matching contract starts afresh: the last one in the tree wins.
        QStringList lines;
        for (const auto& line : order->children)
            lines.append(line->text);
        rows = OrderLines::commodityRows(lines);
    }
    return rows;
}

// ------------------------------------------------------------ version

QString HubClient::GetAppVersion()
{
    static const QRegularExpression fourNumbers(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"));
    const QString v = QStringLiteral(TESSIVAR_VERSION_TEXT);
    return fourNumbers.match(v).hasMatch() ? v : QStringLiteral("Unknown");
}

void HubClient::check_version()
{
    if (!hasEndpoint())
        return;
    post({{QStringLiteral("act"), QStringLiteral("check_version")}}, Origin::Automatic,
         [this](const QString& reply) {
             // Any difference counts: versions are compared as texts, not ordered.
             if (reply == GetAppVersion())
                 return;
             newVersionCaption =
                 QStringLiteral("New version available: ") + shortened(reply, kShownVersionChars);
             emit newVersionAnnounced(newVersionCaption);
             emit changed();
         });
}

// ------------------------------------------------------------ dump

QJsonObject HubClient::dumpJson() const
{
    return QJsonObject{
        {QStringLiteral("lista_zlecen"), lista_zlecen.toJson()},
        {QStringLiteral("przyjete_zlecenia"), przyjete_zlecenia.toJson()},
        {QStringLiteral("label_delay"), label_delay},
        {QStringLiteral("kvn_url"), URL},
        {QStringLiteral("kvn_new_version"), newVersionCaption},
        {QStringLiteral("kvn_verify_log"), QJsonArray::fromStringList(verifyLog)},
    };
}
