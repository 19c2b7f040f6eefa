#include "FormData.h"

#include <QStringDecoder>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<QString> decodeComponent(QByteArrayView part, QString* error)
{
    QByteArray bytes;
    bytes.reserve(part.size());
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c == '+') {
            bytes.append(' ');
        } else if (c == '%') {
            const int high = i + 2 < part.size() ? hexValue(part[i + 1]) : -1;
            const int low = high >= 0 ? hexValue(part[i + 2]) : -1;
            if (low < 0) {
                if (error)
                    *error = QStringLiteral("invalid percent-encoding");
                return std::nullopt;
            }
            bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            bytes.append(c);
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        if (error)
            *error = QStringLiteral("field is not UTF-8");
        return std::nullopt;
    }
    return text;
}

}  // namespace

std::optional<FormData> FormData::decode(const QByteArray& body, QString* error)
{
    FormData form;
    const QList<QByteArray> parts = body.split('&');
    for (const QByteArray& field : parts) {
        if (field.isEmpty())
            continue;
        const qsizetype eq = field.indexOf('=');
        const auto name =
            decodeComponent(eq < 0 ? QByteArrayView(field) : QByteArrayView(field).first(eq), error);
        if (!name)
            return std::nullopt;
        const auto value =
            decodeComponent(eq < 0 ? QByteArrayView() : QByteArrayView(field).sliced(eq + 1), error);
        if (!value)
            return std::nullopt;
        if (form.contains(*name)) {
            if (error)
                *error = QStringLiteral("field %1 given twice").arg(*name);
            return std::nullopt;
        }
        form.m_fields.append({*name, *value});
    }
    return form;
}

bool FormData::contains(const QString& name) const
{
    for (const auto& field : m_fields) {
        if (field.first == name)
            return true;
    }
    return false;
}

QString FormData::value(const QString& name) const
{
    for (const auto& field : m_fields) {
        if (field.first == name)
            return field.second;
    }
    return {};
}
