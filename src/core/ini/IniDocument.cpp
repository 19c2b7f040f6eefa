#include "ini/IniDocument.h"

#include "common/Error.h"

#include <QSet>

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

}  // namespace

IniDocument IniDocument::fromText(const QByteArray& utf8)
{
    IniDocument doc;
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.contains(QLatin1String("\r\n")))
        doc.m_eol = QStringLiteral("\r\n");
    else if (text.contains(QLatin1Char('\n')))
        doc.m_eol = QStringLiteral("\n");

    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        const QString raw = text.mid(start, end - start);
        if (end < n && text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;

        Line line;
        line.raw = raw;
        line.edited = false;
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'))) {
            line.kind = Line::Section;
            line.text = t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
        } else if (!t.isEmpty() && !t.startsWith(QLatin1Char(';')) && t.contains(QLatin1Char('='))) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            line.kind = Line::Entry;
            line.text = t.left(eq).trimmed();
            line.value = t.mid(eq + 1).trimmed();
        } else {
            line.text = raw;
        }
        doc.m_lines.append(line);
    }
    return doc;
}

QByteArray IniDocument::toText() const
{
    QString out;
    for (const Line& l : m_lines) {
        if (!l.edited) {
            out += l.raw + m_eol;
            continue;
        }
        switch (l.kind) {
        case Line::Section:
            out += QLatin1Char('[') + l.text + QLatin1Char(']');
            break;
        case Line::Entry:
            out += l.text + QLatin1Char('=') + l.value;
            break;
        case Line::Other:
            out += l.text;
            break;
        }
        out += m_eol;
    }
    return out.toUtf8();
}

int IniDocument::findSection(const QString& section) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].text, section))
            return i;
    return -1;
}

int IniDocument::sectionEnd(int headerIndex) const
{
    int i = headerIndex + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int IniDocument::findKey(int headerIndex, const QString& key) const
{
    const int end = sectionEnd(headerIndex);
    for (int i = headerIndex + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Entry && sameName(m_lines[i].text, key))
            return i;
    return -1;
}

QStringList IniDocument::sections() const
{
    QStringList out;
    QSet<QString> seen;  // case-folded: a store of hundreds of sections is walked on every search
    for (const Line& l : m_lines) {
        if (l.kind == Line::Section && !seen.contains(l.text.toCaseFolded())) {
            seen.insert(l.text.toCaseFolded());
            out.append(l.text);
        }
    }
    return out;
}

bool IniDocument::sectionExists(const QString& section) const
{
    return findSection(section) >= 0;
}

bool IniDocument::valueExists(const QString& section, const QString& key) const
{
    return value(section, key).has_value();
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    // A section may appear more than once in a hand-edited file; look in each.
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Line::Section || !sameName(m_lines[i].text, section))
            continue;
        const int k = findKey(i, key);
        if (k >= 0)
            return m_lines[k].value;
    }
    return std::nullopt;
}

QList<QPair<QString, QString>> IniDocument::sectionValues(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    for (const auto& line : sectionLines(section)) {
        bool dup = false;
        for (const auto& p : out)
            dup = dup || sameName(p.first, line.first);
        if (!dup)
            out.append(line);
    }
    return out;
}

QList<QPair<QString, QString>> IniDocument::sectionLines(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Line::Section || !sameName(m_lines[i].text, section))
            continue;
        const int end = sectionEnd(i);
        for (int j = i + 1; j < end; ++j)
            if (m_lines[j].kind == Line::Entry)
                out.append({m_lines[j].text, m_lines[j].value});
    }
    return out;
}

QStringList IniDocument::sectionKeys(const QString& section) const
{
    QStringList keys;
    for (const auto& p : sectionValues(section))
        keys.append(p.first);
    return keys;
}

void IniDocument::checkSection(const QString& section)
{
    if (section.trimmed().isEmpty() || hasLineBreak(section) || section.contains(QLatin1Char(']')) ||
        section.trimmed() != section)
        throw TessivarError(QStringLiteral("Invalid INI section name: \"%1\"").arg(section));
}

void IniDocument::checkKey(const QString& key)
{
    if (key.trimmed().isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) ||
        key.trimmed().startsWith(QLatin1Char('[')) || key.trimmed().startsWith(QLatin1Char(';')) ||
        key.trimmed() != key)
        throw TessivarError(QStringLiteral("Invalid INI key: \"%1\"").arg(key));
}

void IniDocument::checkValue(const QString& value)
{
    if (hasLineBreak(value))
        throw TessivarError(QStringLiteral("Invalid INI value (line break): \"%1\"").arg(value));
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    checkSection(section);
    checkKey(key);
    checkValue(value);
    // Surrounding blanks would be lost on the next read.
    const QString v = value.trimmed();
    int header = findSection(section);
    if (header < 0) {
        Line h;
        h.kind = Line::Section;
        h.text = section;
        m_lines.append(h);
        header = int(m_lines.size()) - 1;
    }
    for (int i = header; i >= 0 && i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Line::Section || !sameName(m_lines[i].text, section))
            continue;
        const int k = findKey(i, key);
        if (k >= 0) {
            m_lines[k].value = v;
            m_lines[k].edited = true;
            return;
        }
    }
    // New key: after the last entry of the first section of that name, so that
    // blank separator lines stay between sections.
    int insertAt = header + 1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Entry)
            insertAt = i + 1;
    Line e;
    e.kind = Line::Entry;
    e.text = key;
    e.value = v;
    m_lines.insert(insertAt, e);
}

void IniDocument::deleteKey(const QString& section, const QString& key)
{
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Line::Section || !sameName(m_lines[i].text, section))
            continue;
        const int k = findKey(i, key);
        if (k >= 0) {
            m_lines.removeAt(k);
            return;
        }
    }
}

void IniDocument::eraseSection(const QString& section)
{
    int i;
    while ((i = findSection(section)) >= 0)
        m_lines.remove(i, sectionEnd(i) - i);
}
