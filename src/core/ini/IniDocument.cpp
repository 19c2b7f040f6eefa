#include "ini/IniDocument.h"

#include "common/Error.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace {

constexpr int kLinearScanLimit = 16;  // longer blocks get a key index

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

QString folded(QStringView name)
{
    return name.toString().toCaseFolded();
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

bool startsWith(const QByteArray& data, const char* prefix, qsizetype n)
{
    return data.size() >= n && std::equal(prefix, prefix + n, data.constData());
}

// Where one line stands: its bytes in the file and its decoded text.
struct LinePlace
{
    qsizetype rawFrom;
    qsizetype rawLength;
    qsizetype textFrom;
    qsizetype textLength;
    bool cr;
    bool lf;
};

// The end of the line starting at `start` among `n` units: the index of its
// first line-end unit (or n) and the length of that end (0, 1 or 2).
template <typename At> std::pair<qsizetype, qsizetype> lineEnd(qsizetype start, qsizetype n, At&& at)
{
    qsizetype end = start;
    while (end < n && at(end) != '\n' && at(end) != '\r')
        ++end;
    qsizetype eol = end < n ? 1 : 0;
    if (end + 1 < n && at(end) == '\r' && at(end + 1) == '\n')
        eol = 2;
    return {end, eol};
}

}  // namespace

std::span<const IniDocument::Line> IniDocument::lines(const Block& b) const
{
    if (b.owned)
        return b.own;
    return std::span<const Line>(m_lines).subspan(size_t(b.first), size_t(b.count));
}

std::vector<IniDocument::Line>& IniDocument::ownLines(Block& b)
{
    if (!b.owned) {
        const std::span<const Line> read = lines(b);
        b.own.assign(read.begin(), read.end());
        b.owned = true;
    }
    return b.own;
}

QStringView IniDocument::name(const Line& l) const
{
    if (l.edit >= 0)
        return m_edits[size_t(l.edit)].name;
    return QStringView(m_text).mid(l.nameFrom, l.nameLength);
}

QStringView IniDocument::value(const Line& l) const
{
    if (l.edit >= 0)
        return m_edits[size_t(l.edit)].value;
    return QStringView(m_text).mid(l.valueFrom, l.valueLength);
}

IniDocument IniDocument::fromText(const QByteArray& data)
{
    IniDocument doc;
    qsizetype from = 0;
    if (startsWith(data, "\xFF\xFE\0\0", 4) || startsWith(data, "\0\0\xFE\xFF", 4))
        throw TessivarError(QCoreApplication::translate(
            "IniDocument", "the file is in UTF-32, which the program cannot edit"));
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
        throw TessivarError(QCoreApplication::translate(
            "IniDocument", "the file is cut short in the middle of a UTF-16 character"));
    // NUL bytes in text that claims to be UTF-8 mean UTF-16 without a
    // byte-order mark or no text at all.
    if (!utf16 && data.indexOf('\0', from) >= 0)
        throw TessivarError(
            QCoreApplication::translate("IniDocument", "the file is not UTF-8 text (it holds NUL bytes)"));
    // Every position is kept in 32 bits; nothing near that size is an INI file.
    if (data.size() > std::numeric_limits<qint32>::max() / 2)
        throw TessivarError(
            QCoreApplication::translate("IniDocument", "the file is too large to be an INI file"));
    doc.m_raw = data;

    bool sawCrLf = false;
    bool sawLf = false;
    // The lines are gathered first and then parted into blocks.
    std::vector<Line>& all = doc.m_lines;
    std::vector<size_t> headers;  // where each section header stands in `all`
    all.reserve(size_t(std::count(data.cbegin(), data.cend(), '\n')) + 1);
    auto addLine = [&](const LinePlace& at) {
        Line line;
        line.rawFrom = qint32(at.rawFrom);
        line.rawLength = qint32(at.rawLength);
        line.end = at.cr ? (at.lf ? Line::CrLf : Line::Cr) : (at.lf ? Line::Lf : Line::None);
        sawCrLf = sawCrLf || line.end == Line::CrLf;
        sawLf = sawLf || line.end == Line::Lf;

        const QStringView whole = QStringView(doc.m_text).mid(at.textFrom, at.textLength);
        const QStringView t = whole.trimmed();
        const auto place = [&](QStringView part, qint32& pos, qint32& length) {
            const QStringView p = part.trimmed();
            pos = p.isEmpty() ? 0 : qint32(p.data() - doc.m_text.constData());
            length = qint32(p.size());
        };
        if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'))) {
            line.kind = Line::Section;
            place(t.mid(1, t.indexOf(QLatin1Char(']')) - 1), line.nameFrom, line.nameLength);
        } else if (!t.isEmpty() && !t.startsWith(QLatin1Char(';')) && t.contains(QLatin1Char('='))) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            line.kind = Line::Entry;
            place(t.left(eq), line.nameFrom, line.nameLength);
            place(t.mid(eq + 1), line.valueFrom, line.valueLength);
        }

        if (line.kind == Line::Section)
            headers.push_back(all.size());
        all.push_back(line);
    };

    if (utf16) {
        // UTF-16 code units are taken as they stand (an unpaired surrogate is
        // kept as it is, so the bytes written back are the bytes read).
        const auto* b = reinterpret_cast<const uchar*>(data.constData());
        const bool big = doc.m_encoding == Encoding::Utf16BE;
        const qsizetype n = (data.size() - 2) / 2;
        doc.m_text = QString(n, Qt::Uninitialized);
        QChar* units = doc.m_text.data();
        for (qsizetype i = 0; i < n; ++i) {
            const uchar lo = b[2 + 2 * i + (big ? 1 : 0)];
            const uchar hi = b[2 + 2 * i + (big ? 0 : 1)];
            units[i] = QChar(char16_t(lo | (hi << 8)));
        }
        const auto at = [units](qsizetype i) { return units[i].unicode(); };
        for (qsizetype start = 0; start < n;) {
            const auto [end, eol] = lineEnd(start, n, at);
            addLine({2 + 2 * start, 2 * (end - start), start, end - start, end < n && at(end) == '\r',
                     eol == 2 || (end < n && at(end) == '\n')});
            start = end + eol;
        }
    } else {
        // Each line is decoded on its own, as the line it is: bytes that are
        // not UTF-8 become replacement characters in the text and are kept in
        // the file.
        const char* p = data.constData();
        const qsizetype n = data.size();
        doc.m_text = QString(n - from, Qt::Uninitialized);  // UTF-8 never decodes to more units than bytes
        QChar* const base = doc.m_text.data();
        QChar* out = base;
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const auto at = [p](qsizetype i) { return p[i]; };
        for (qsizetype start = from; start < n;) {
            const auto [end, eol] = lineEnd(start, n, at);
            QChar* const lineText = out;
            out = decoder.appendToBuffer(out, QByteArrayView(p + start, end - start));
            addLine({start, end - start, lineText - base, out - lineText, end < n && p[end] == '\r',
                     eol == 2 || (end < n && p[end] == '\n')});
            start = end + eol;
        }
        doc.m_text.truncate(out - base);
    }

    doc.m_blocks.clear();
    doc.m_blocks.reserve(headers.size() + 1);
    doc.m_sections.reserve(qsizetype(headers.size()));
    QHash<QString, int> lastOfName;  // folded section name -> its last block so far
    for (size_t h = 0; h <= headers.size(); ++h) {
        const size_t from = h == 0 ? 0 : headers[h - 1];
        const size_t to = h < headers.size() ? headers[h] : all.size();
        Block& block = doc.m_blocks.emplace_back();
        block.first = qint32(from);
        block.count = qint32(to - from);
        if (h == 0)
            continue;
        const int b = int(doc.m_blocks.size()) - 1;
        const QString id = folded(doc.name(all[from]));
        const auto last = lastOfName.find(id);
        if (last == lastOfName.end()) {
            block.firstOfName = true;
            doc.m_sections.insert(id, b);
            lastOfName.insert(id, b);
        } else {
            doc.m_blocks[size_t(*last)].nextOfName = b;
            *last = b;
        }
    }
    if (sawCrLf)
        doc.m_eol = Line::CrLf;
    else if (sawLf)
        doc.m_eol = Line::Lf;
    return doc;
}

QByteArray IniDocument::encode(QStringView text) const
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

QByteArray IniDocument::endBytes(Line::End end) const
{
    switch (end) {
    case Line::None:
        break;
    case Line::Lf:
        return encode(u"\n");
    case Line::CrLf:
        return encode(u"\r\n");
    case Line::Cr:
        return encode(u"\r");
    }
    return {};
}

QByteArray IniDocument::toText() const
{
    QByteArray out;
    out.reserve(m_raw.size() + 64);
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
    const QByteArray ends[] = {{}, endBytes(Line::Lf), endBytes(Line::CrLf), endBytes(Line::Cr)};
    bool endPending = false;  // the line before had no end of its own
    for (const Block& block : m_blocks) {
        for (const Line& l : lines(block)) {
            if (endPending)
                out += ends[m_eol];
            if (l.edit < 0)
                out.append(m_raw.constData() + l.rawFrom, l.rawLength);
            else if (l.kind == Line::Section)
                out += encode(QString(QLatin1Char('[') + name(l).toString() + QLatin1Char(']')));
            else
                out += encode(QString(name(l).toString() + QLatin1Char('=') + value(l).toString()));
            out += ends[l.end];
            endPending = l.end == Line::None;
        }
    }
    return out;
}

int IniDocument::firstBlock(const QString& section) const
{
    return m_sections.value(folded(section), -1);
}

int IniDocument::findInBlock(const Block& b, QStringView key) const
{
    const std::span<const Line> l = lines(b);
    if (l.size() <= kLinearScanLimit) {
        for (size_t i = 1; i < l.size(); ++i)
            if (l[i].kind == Line::Entry && name(l[i]).compare(key, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
    if (!b.keysMade) {
        b.keys.clear();
        for (size_t i = 1; i < l.size(); ++i) {
            if (l[i].kind != Line::Entry)
                continue;
            // Of a repeated key the first line counts.
            const QString k = folded(name(l[i]));
            if (!b.keys.contains(k))
                b.keys.insert(k, int(i));
        }
        b.keysMade = true;
    }
    return b.keys.value(folded(key), -1);
}

std::optional<std::pair<int, int>> IniDocument::findKey(const QString& section, const QString& key) const
{
    return findKey(firstBlock(section), key);
}

std::optional<std::pair<int, int>> IniDocument::findKey(int firstBlock, QStringView key) const
{
    for (int b = firstBlock; b >= 0; b = m_blocks[size_t(b)].nextOfName) {
        const int i = findInBlock(m_blocks[size_t(b)], key);
        if (i >= 0)
            return std::make_pair(b, i);
    }
    return std::nullopt;
}

QStringList IniDocument::sections() const
{
    QStringList out;
    for (size_t b = 1; b < m_blocks.size(); ++b)
        if (m_blocks[b].firstOfName && !m_blocks[b].erased)
            out.append(sectionName(m_blocks[b]));
    return out;
}

bool IniDocument::sectionExists(const QString& section) const
{
    return firstBlock(section) >= 0;
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
    return value(lines(m_blocks[size_t(at->first)])[size_t(at->second)]).toString();
}

QList<QPair<QString, QString>> IniDocument::sectionValues(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    QSet<QString> seen;
    for (int b = firstBlock(section); b >= 0; b = m_blocks[size_t(b)].nextOfName) {
        for (const Line& l : lines(m_blocks[size_t(b)])) {
            if (l.kind != Line::Entry)
                continue;
            QString key = name(l).toString();
            // Folding a key already in lower case shares its text.
            const QString k = key.toCaseFolded();
            if (!seen.contains(k)) {
                seen.insert(k);
                out.append({std::move(key), value(l).toString()});
            }
        }
    }
    return out;
}

QList<QPair<QString, QString>> IniDocument::sectionLines(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    for (int b = firstBlock(section); b >= 0; b = m_blocks[size_t(b)].nextOfName)
        for (const Line& l : lines(m_blocks[size_t(b)]))
            if (l.kind == Line::Entry)
                out.append({name(l).toString(), value(l).toString()});
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
        throw TessivarError(
            QCoreApplication::translate("IniDocument", "Invalid INI section name: \"%1\"").arg(section));
}

bool IniDocument::canBeKey(const QString& key)
{
    return !(key.trimmed().isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) ||
             key.trimmed().startsWith(QLatin1Char('[')) || key.trimmed().startsWith(QLatin1Char(';')) ||
             key.trimmed() != key);
}

void IniDocument::checkKey(const QString& key)
{
    if (!canBeKey(key))
        throw TessivarError(QCoreApplication::translate("IniDocument", "Invalid INI key: \"%1\"").arg(key));
}

void IniDocument::checkValue(const QString& value)
{
    if (hasLineBreak(value))
        throw TessivarError(
            QCoreApplication::translate("IniDocument", "Invalid INI value (line break): \"%1\"").arg(value));
}

IniDocument::Line IniDocument::newLine(Line::Kind kind, const QString& name, const QString& value)
{
    Line line;
    line.kind = kind;
    line.end = m_eol;
    line.edit = int(m_edits.size());
    m_edits.push_back({name, value});
    return line;
}

int IniDocument::appendBlock(const QString& section)
{
    const int b = int(m_blocks.size());
    Block block;
    block.firstOfName = true;
    block.owned = true;
    block.own.push_back(newLine(Line::Section, section, {}));
    m_blocks.push_back(std::move(block));
    m_sections.insert(folded(section), b);
    return b;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    checkSection(section);
    checkKey(key);
    checkValue(value);
    // Surrounding blanks would be lost on the next read.
    const QString v = value.trimmed();
    if (const auto at = findKey(section, key)) {
        Block& block = m_blocks[size_t(at->first)];
        Line& line = block.owned ? block.own[size_t(at->second)] : m_lines[size_t(block.first + at->second)];
        if (line.edit < 0) {
            m_edits.push_back({name(line).toString(), v});
            line.edit = int(m_edits.size()) - 1;
        } else {
            m_edits[size_t(line.edit)].value = v;
        }
        return;
    }
    const int first = firstBlock(section);
    const int b = first >= 0 ? first : appendBlock(section);
    // New key: after the last entry of the first section of that name, so that
    // blank separator lines stay between sections. No entry follows it, so
    // the block's key index stays valid.
    Block& block = m_blocks[size_t(b)];
    std::vector<Line>& lines = ownLines(block);
    size_t insertAt = lines.size() - 1;
    while (insertAt > 0 && lines[insertAt].kind != Line::Entry)
        --insertAt;
    ++insertAt;
    lines.insert(lines.begin() + std::ptrdiff_t(insertAt), newLine(Line::Entry, key, v));
    if (block.keysMade)
        block.keys.insert(folded(key), int(insertAt));
}

void IniDocument::deleteKey(const QString& section, const QString& key)
{
    const auto at = findKey(section, key);
    if (!at)
        return;
    Block& block = m_blocks[size_t(at->first)];
    std::vector<Line>& lines = ownLines(block);
    lines.erase(lines.begin() + at->second);
    // The lines below moved up, and a later line of the same key now counts.
    block.keys.clear();
    block.keysMade = false;
}

void IniDocument::eraseSection(const QString& section)
{
    const int first = firstBlock(section);
    for (int b = first; b >= 0;) {
        Block& block = m_blocks[size_t(b)];
        const int next = block.nextOfName;
        block = Block();
        block.erased = true;
        b = next;
    }
    if (first >= 0)
        m_sections.remove(folded(section));
}

namespace {

// Every character of text a plain key could not hold where it stands, and
// every '%', in %XX or %uXXXX.
QString escapeAll(const QString& text)
{
    const auto hex = [](char16_t u, int digits) {
        return QString::number(uint(u), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
    };
    QString out;
    out.reserve(text.size() + 8);
    qsizetype lastInner = text.size() - 1;
    while (lastInner >= 0 && text[lastInner].isSpace())
        --lastInner;
    bool leading = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool edge =
            (leading && (c.isSpace() || c == QLatin1Char('[') || c == QLatin1Char(';'))) || i > lastInner;
        if (edge || c == QLatin1Char('=') || c == QLatin1Char('%') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r')) {
            out += c.unicode() <= 0xFF ? QLatin1Char('%') + hex(c.unicode(), 2)
                                       : QStringLiteral("%u") + hex(c.unicode(), 4);
        } else {
            out += c;
        }
        leading = leading && c.isSpace();
    }
    return out;
}

// The text behind %-escapes, nothing when key holds a '%' that starts none.
std::optional<QString> unescapeAll(const QString& key)
{
    QString out;
    out.reserve(key.size());
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (key[i] != QLatin1Char('%')) {
            out += key[i];
            continue;
        }
        const bool wide = i + 1 < key.size() && key[i + 1] == QLatin1Char('u');
        const qsizetype from = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        if (from + digits > key.size())
            return std::nullopt;
        bool ok = false;
        const uint u = key.mid(from, digits).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        out += QChar(char16_t(u));
        i = from + digits - 1;
    }
    return out;
}

}  // namespace

QString IniKey::fromText(const QString& text)
{
    if (text.isEmpty())
        return {};
    if (IniDocument::canBeKey(text)) {
        // Kept as it stands unless it would read back as another text.
        const auto read = unescapeAll(text);
        if (!read || *read == text || escapeAll(*read) != text)
            return text;
    }
    return escapeAll(text);
}

QString IniKey::toText(const QString& key)
{
    if (!key.contains(QLatin1Char('%')))
        return key;
    const auto text = unescapeAll(key);
    return text && fromText(*text) == key ? *text : key;
}
