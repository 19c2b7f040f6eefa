#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <initializer_list>
#include <optional>

// Units per commodity in the order each was first named. A name finds its
// entry whatever spelling it uses: the same text in another letter case, or
// any name CommodityNames takes for the same cargo. The entry keeps the
// spelling it was created with.
//
// Look-ups go through two hash indexes kept in step with every change, so
// filling a tally from thousands of lines costs time in proportion to their
// number.
class CommodityTally
{
public:
    using Entry = QPair<QString, int>;

    CommodityTally() = default;
    CommodityTally(std::initializer_list<Entry> entries);

    // Index of the first entry for that name, -1 when none.
    int indexOf(const QString& name) const;
    std::optional<int> units(const QString& name) const;

    // Adds an entry at the end (no look-up: a second entry for the same cargo
    // is kept as given, and found only after the first is gone).
    void append(const Entry& entry);
    // Sets the units of the entry for that name, created at the end when missing.
    void set(const QString& name, int units);
    void setUnitsAt(int index, int units) { m_entries[index].second = units; }
    void removeAt(int index);
    void clear();

    const Entry& at(int index) const { return m_entries.at(index); }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    QList<Entry>::const_iterator begin() const { return m_entries.cbegin(); }
    QList<Entry>::const_iterator end() const { return m_entries.cend(); }
    const QList<Entry>& entries() const { return m_entries; }

private:
    void index(int position);
    void reindex();

    QList<Entry> m_entries;
    QHash<QString, int> m_byKey;     // CommodityNames::key -> first entry
    QHash<QString, int> m_byFolded;  // name without letter case -> first entry
};
