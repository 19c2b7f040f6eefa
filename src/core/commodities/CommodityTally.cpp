#include "commodities/CommodityTally.h"

#include "commodities/CommodityNames.h"

CommodityTally::CommodityTally(std::initializer_list<Entry> entries)
{
    for (const Entry& e : entries)
        append(e);
}

int CommodityTally::indexOf(const QString& name) const
{
    // The first entry matching either way: an entry spelled the same but for
    // letter case, or one naming the same cargo.
    int found = m_byFolded.value(name.toCaseFolded(), -1);
    const QString key = CommodityNames::key(name);
    if (!key.isEmpty()) {
        const int byKey = m_byKey.value(key, -1);
        if (byKey >= 0 && (found < 0 || byKey < found))
            found = byKey;
    }
    return found;
}

std::optional<int> CommodityTally::units(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        return std::nullopt;
    return m_entries[i].second;
}

void CommodityTally::append(const Entry& entry)
{
    m_entries.append(entry);
    index(int(m_entries.size()) - 1);
}

void CommodityTally::set(const QString& name, int units)
{
    const int i = indexOf(name);
    if (i < 0)
        append({name, units});
    else
        m_entries[i].second = units;
}

void CommodityTally::removeAt(int position)
{
    m_entries.removeAt(position);
    reindex();
}

void CommodityTally::clear()
{
    m_entries.clear();
    m_byKey.clear();
    m_byFolded.clear();
}

void CommodityTally::index(int position)
{
    const QString& name = m_entries[position].first;
    // Earlier entries win: an index entry is only made for the first of its kind.
    const QString folded = name.toCaseFolded();
    if (!m_byFolded.contains(folded))
        m_byFolded.insert(folded, position);
    const QString key = CommodityNames::key(name);
    if (!key.isEmpty() && !m_byKey.contains(key))
        m_byKey.insert(key, position);
}

void CommodityTally::reindex()
{
    m_byKey.clear();
    m_byFolded.clear();
    for (int i = 0; i < m_entries.size(); ++i)
        index(i);
}
