#include "journal/CreditsScan.h"

#include "journal/EventScan.h"
#include "journal/JournalReader.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<qint64> creditsOf(QByteArrayView line)
{
    const char* field = nullptr;
    if (lineContains(line, "\"event\":\"LoadGame\""))
        field = "Credits";
    else if (lineContains(line, "\"event\":\"CarrierBankTransfer\""))
        field = "PlayerBalance";
    else
        return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(line.toByteArray()).object();
    const QJsonValue v = o.value(QLatin1String(field));
    if (!v.isDouble())
        return std::nullopt;
    return qint64(v.toDouble());
}

}  // namespace

std::optional<qint64> newestCredits(JournalReader& journal)
{
    std::optional<qint64> found;
    journal.visitNewestFirst([&](const JournalBatchPtr& piece) {
        for (qsizetype i = piece->size() - 1; i >= 0; --i)
            if ((found = creditsOf(piece->line(i))))
                return false;
        return true;
    });
    return found;
}
