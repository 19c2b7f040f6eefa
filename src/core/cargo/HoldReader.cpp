#include "cargo/HoldReader.h"

#include "cargo/CargoJson.h"
#include "cargo/LoadingText.h"
#include "commodities/CommodityNames.h"
#include "common/JsonRead.h"
#include "common/ReportSink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

HoldReader::HoldReader(std::function<QString()> journalFolder, ReportSink& reports)
    : m_journalFolder(std::move(journalFolder)), m_reports(reports)
{
    // Row 0 is kept for what mirrors the table (the phone, the replay dump);
    // windows show their own column headers instead.
    table.appendRow({QStringLiteral("TOWAR"), QStringLiteral("ILOSC")});
}

void HoldReader::readFileLines()
{
    const QString path = m_journalFolder() + QStringLiteral("Cargo.json");
    // One message per lasting condition: an unreadable file would otherwise be
    // reported after every pass until the game writes it again.
    const auto fail = [this](const QString& message) {
        const QString text =
            QCoreApplication::translate("HoldReader", "Cannot read the ship's cargo: %1").arg(message);
        if (text != m_lastFailure)
            m_reports.notice(text);
        m_lastFailure = text;
    };
    QFile f(path);
    // The game writes the file once something is in the hold; before that an
    // empty hold is all there is to show.
    if (!f.exists()) {
        m_lastFailure.clear();
        entryLines.clear();
        return;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Cannot open file \"%1\". %2")
                 .arg(QDir::toNativeSeparators(path), f.errorString()));
        return;
    }
    const QByteArray bytes = f.readAll();
    const bool failed = f.error() != QFileDevice::NoError;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    entryLines = lines;
    if (failed)
        fail(f.errorString());
    else
        m_lastFailure.clear();
}

void HoldReader::read()
{
    const QStringList shipEntries = entryLines;
    readFileLines();
    QStringList entries;
    // Text that is not JSON (the game caught writing it) shows an empty hold;
    // JSON of the wrong shape is reported and the list keeps what it showed.
    if (const auto v = parseJsonValue(entryLines.join(QLatin1Char('\n')).toUtf8())) {
        const QString vessel = v->toObject().value(QStringLiteral("Vessel")).toString();
        if (!vessel.isEmpty() && vessel != QLatin1String("Ship")) {
            entryLines = shipEntries;
            return;
        }
        entries = CargoJson::cargoEntryLines(*v);
        m_shownNames = CargoJson::cargoDisplayNames(*v);
    }
    entryLines = entries;
    showEntries();
}

QString HoldReader::displayName(const QString& id) const
{
    return CommodityNames::displayName(id, m_shownNames.value(id));
}

void HoldReader::showEntries()
{
    QList<QStringList> rows{table.row(0)};
    for (const QString& line : std::as_const(entryLines)) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        const qint64 count = LoadingText::quantity(parts[1]).value_or(0);
        rows.append({parts[0].trimmed(), QString::number(count)});
    }
    table.setAll(rows);
}
