#include "ini/IniDocument.h"

#include "common/Error.h"

#include <QSet>

namespace {

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

bool startsWith(const QByteArray& data, const char* prefix, qsizetype n)
{
    return data.size() >= n && std::equal(prefix, prefix + n, data.constData());
}

// One line as found in the file: its text, and where its bytes and its end stand.
struct RawLine
{
    QString text;
    qsizetype offset;
    qsizetype length;
    qsizetype eolLength;
    QLatin1String end;  // the line end as text: "\n", "\r\n", "\r" or none
};

QLatin1String endText(bool cr, bool lf)
{
    return cr ? (lf ? QLatin1String("\r\n") : QLatin1String("\r"))
              : (lf ? QLatin1String("\n") : QLatin1String());
}

// Lines of UTF-8 bytes; a line ends at LF, CR LF or CR.
template <typename F> void splitUtf8(const QByteArray& data, qsizetype from, F&& addLine)
{
    const char* p = data.constData();
    const qsizetype n = data.size();
    qsizetype start = from;
    while (start < n) {
        qsizetype end = start;
        while (end < n && p[end] != '\n' && p[end] != '\r')
            ++end;
        qsizetype eol = end < n ? 1 : 0;
        if (end + 1 < n && p[end] == '\r' && p[end + 1] == '\n')
            eol = 2;
        const bool cr = end < n && p[end] == '\r';
        const bool lf = eol == 2 || (end < n && p[end] == '\n');
        addLine(RawLine{QString::fromUtf8(p + start, end - start), start, end - start, eol, endText(cr, lf)});
        start = end + eol;
    }
}

// Lines of UTF-16 code units, taken as they stand (an unpaired surrogate is
// kept as it is, so the bytes written back are the bytes read).
template <typename F> void splitUtf16(const QByteArray& data, bool bigEndian, F&& addLine)
{
    const auto* b = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = (data.size() - 2) / 2;
    QString units(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i) {
        const uchar lo = b[2 + 2 * i + (bigEndian ? 1 : 0)];
        const uchar hi = b[2 + 2 * i + (bigEndian ? 0 : 1)];
        units[i] = QChar(char16_t(lo | (hi << 8)));
    }
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && units[end] != QLatin1Char('\n') && units[end] != QLatin1Char('\r'))
            ++end;
        qsizetype eol = end < n ? 1 : 0;
        if (end + 1 < n && units[end] == QLatin1Char('\r') && units[end + 1] == QLatin1Char('\n'))
            eol = 2;
        const bool cr = end < n && units[end] == QLatin1Char('\r');
        const bool lf = eol == 2 || (end < n && units[end] == QLatin1Char('\n'));
        addLine(RawLine{units.mid(start, end - start), 2 + 2 * start, 2 * (end - start), 2 * eol,
                        endText(cr, lf)});
        start = end + eol;
    }
}

}  // namespace

QString IniDocument::keyId(const QString& section, const QString& key)
{
    return folded(section) + QChar(0) + folded(key);
}

void IniDocument::reindexKey(const QString& section, const QString& key)
{
    const QString id = keyId(section, key);
    m_keys.remove(id);
    const QList<int>* blocks = blocksOf(section);
    if (!blocks)
        return;
    const QString k = folded(key);
    for (int b : *blocks) {
        const QList<Line>& lines = m_blocks[size_t(b)].lines;
        for (int i = 1; i < lines.size(); ++i) {
            if (lines[i].kind == Line::Entry && folded(lines[i].text) == k) {
                m_keys.insert(id, {b, i});
                return;
            }
        }
    }
}

IniDocument::Line IniDocument::parseLine(const QString& raw)
{
    Line line;
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
    }
    return line;
}

IniDocument IniDocument::fromText(const QByteArray& data)
{
    IniDocument doc;
    qsizetype from = 0;
    if (startsWith(data, "\xFF\xFE\0\0", 4) || startsWith(data, "\0\0\xFE\xFF", 4))
        throw TessivarError(QStringLiteral("the file is in UTF-32, which the program cannot edit"));
    if (startsWith(data, "\xEF\xBB\xBF", 3)) {
        doc.m_encoding = Encoding::Utf8Bom;
        from = 3;
    } else if (startsWith(data, "\xFF\xFE", 2)) {
        doc.m_encoding = Encoding::Utf16LE;
    } else if (startsWith(data, "\xFE\xFF", 2)) {
        doc.m_encoding = Encoding::Utf16BE;
    }
    const bool utf16 = doc.m_encoding == Encoding::Utf16LE || doc.m_encoding == Encoding::Utf16BE;
    if (utf16 && data.size() % 2 != 0)
        throw TessivarError(QStringLiteral("the file is cut short in the middle of a UTF-16 character"));
    // NUL bytes in text that claims to be UTF-8 mean UTF-16 without a
    // byte-order mark or no text at all.
    if (!utf16 && data.indexOf('\0', from) >= 0)
        throw TessivarError(QStringLiteral("the file is not UTF-8 text (it holds NUL bytes)"));

    bool sawCrLf = false;
    bool sawLf = false;
    const QByteArray crlf = doc.encode(QStringLiteral("\r\n"));
    const QByteArray lf = doc.encode(QStringLiteral("\n"));
    const QByteArray cr = doc.encode(QStringLiteral("\r"));
    auto addLine = [&](const RawLine& r) {
        Line line = parseLine(r.text);
        line.raw = data.mid(r.offset, r.length);
        // Line ends are shared copies of a few texts, not one allocation per line.
        line.eol = r.end == QLatin1String("\r\n") ? crlf
                   : r.end == QLatin1String("\n") ? lf
                   : r.end.isEmpty()              ? QByteArray()
                                                  : cr;
        sawCrLf = sawCrLf || r.end == QLatin1String("\r\n");
        sawLf = sawLf || r.end == QLatin1String("\n");
        if (line.kind == Line::Section) {
            doc.m_sections[folded(line.text)].append(int(doc.m_blocks.size()));
            doc.m_blocks.emplace_back();
        }
        Block& block = doc.m_blocks.back();
        if (line.kind == Line::Entry && doc.m_blocks.size() > 1) {
            const QString id = keyId(block.lines.first().text, line.text);
            if (!doc.m_keys.contains(id))
                doc.m_keys.insert(id, {int(doc.m_blocks.size()) - 1, int(block.lines.size())});
        }
        block.lines.append(std::move(line));
    };
    if (utf16)
        splitUtf16(data, doc.m_encoding == Encoding::Utf16BE, addLine);
    else
        splitUtf8(data, from, addLine);
    if (sawCrLf)
        doc.m_eol = QStringLiteral("\r\n");
    else if (sawLf)
        doc.m_eol = QStringLiteral("\n");
    return doc;
}

QByteArray IniDocument::encode(const QString& text) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        return text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    const bool big = m_encoding == Encoding::Utf16BE;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        out[2 * i + (big ? 1 : 0)] = char(u & 0xFF);
        out[2 * i + (big ? 0 : 1)] = char(u >> 8);
    }
    return out;
}

QByteArray IniDocument::toText() const
{
    QByteArray out;
    switch (m_encoding) {
    case Encoding::Utf8:
        break;
    case Encoding::Utf8Bom:
        out = "\xEF\xBB\xBF";
        break;
    case Encoding::Utf16LE:
        out = "\xFF\xFE";
        break;
    case Encoding::Utf16BE:
        out = "\xFE\xFF";
        break;
    }
    const QByteArray eol = encode(m_eol);
    bool endPending = false;  // the line before had no end of its own
    for (const Block& block : m_blocks) {
        for (const Line& l : block.lines) {
            if (endPending)
                out += eol;
            if (!l.edited) {
                out += l.raw;
            } else if (l.kind == Line::Section) {
                out += encode(QLatin1Char('[') + l.text + QLatin1Char(']'));
            } else {
                out += encode(l.text + QLatin1Char('=') + l.value);
            }
            out += l.eol;
            endPending = l.eol.isEmpty();
        }
    }
    return out;
}

const QList<int>* IniDocument::blocksOf(const QString& section) const
{
    const auto it = m_sections.constFind(folded(section));
    return it == m_sections.cend() ? nullptr : &it.value();
}

std::optional<std::pair<int, int>> IniDocument::findKey(const QString& section, const QString& key) const
{
    const auto it = m_keys.constFind(keyId(section, key));
    if (it == m_keys.cend())
        return std::nullopt;
    return std::make_pair(it->block, it->line);
}

QStringList IniDocument::sections() const
{
    QStringList out;
    QSet<QString> seen;
    for (size_t b = 1; b < m_blocks.size(); ++b) {
        if (m_blocks[b].erased)
            continue;
        const QString& name = m_blocks[b].lines.first().text;
        if (!seen.contains(folded(name))) {
            seen.insert(folded(name));
            out.append(name);
        }
    }
    return out;
}

bool IniDocument::sectionExists(const QString& section) const
{
    return blocksOf(section) != nullptr;
}

bool IniDocument::valueExists(const QString& section, const QString& key) const
{
    return findKey(section, key).has_value();
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const auto at = findKey(section, key);
    if (!at)
        return std::nullopt;
    return m_blocks[size_t(at->first)].lines[at->second].value;
}

QList<QPair<QString, QString>> IniDocument::sectionValues(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    const QList<int>* blocks = blocksOf(section);
    if (!blocks)
        return out;
    QSet<QString> seen;
    for (int b : *blocks) {
        for (const Line& l : m_blocks[size_t(b)].lines) {
            if (l.kind != Line::Entry)
                continue;
            const QString k = folded(l.text);
            if (!seen.contains(k)) {
                seen.insert(k);
                out.append({l.text, l.value});
            }
        }
    }
    return out;
}

QList<QPair<QString, QString>> IniDocument::sectionLines(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    if (const QList<int>* blocks = blocksOf(section))
        for (int b : *blocks)
            for (const Line& l : m_blocks[size_t(b)].lines)
                if (l.kind == Line::Entry)
                    out.append({l.text, l.value});
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
    if (const auto at = findKey(section, key)) {
        Line& line = m_blocks[size_t(at->first)].lines[at->second];
        line.value = v;
        line.edited = true;
        return;
    }
    int b;
    if (const QList<int>* blocks = blocksOf(section)) {
        b = blocks->first();
    } else {
        Line h;
        h.kind = Line::Section;
        h.text = section;
        h.eol = encode(m_eol);
        b = int(m_blocks.size());
        m_blocks.emplace_back();
        m_blocks.back().lines.append(h);
        m_sections[folded(section)].append(b);
    }
    // New key: after the last entry of the first section of that name, so that
    // blank separator lines stay between sections. No entry follows it, so the
    // key index of the section stays valid.
    Block& block = m_blocks[size_t(b)];
    int insertAt = int(block.lines.size()) - 1;
    while (insertAt > 0 && block.lines[insertAt].kind != Line::Entry)
        --insertAt;
    ++insertAt;
    Line e;
    e.kind = Line::Entry;
    e.text = key;
    e.value = v;
    e.eol = encode(m_eol);
    block.lines.insert(insertAt, e);
    m_keys.insert(keyId(section, key), {b, insertAt});
}

void IniDocument::deleteKey(const QString& section, const QString& key)
{
    const auto at = findKey(section, key);
    if (!at)
        return;
    const int b = at->first;
    QList<Line>& lines = m_blocks[size_t(b)].lines;
    lines.removeAt(at->second);
    // The entries below it moved up a line.
    const QString name = lines.first().text;
    for (int i = at->second; i < lines.size(); ++i) {
        if (lines[i].kind != Line::Entry)
            continue;
        const auto it = m_keys.find(keyId(name, lines[i].text));
        if (it != m_keys.end() && *it == Where{b, i + 1})
            *it = Where{b, i};
    }
    // A later line of the same key now counts.
    reindexKey(section, key);
}

void IniDocument::eraseSection(const QString& section)
{
    const QList<int>* blocks = blocksOf(section);
    if (!blocks)
        return;
    for (int b : *blocks) {
        for (const Line& l : m_blocks[size_t(b)].lines)
            if (l.kind == Line::Entry)
                m_keys.remove(keyId(section, l.text));
        m_blocks[size_t(b)] = Block();
        m_blocks[size_t(b)].erased = true;
    }
    m_sections.remove(folded(section));
}
