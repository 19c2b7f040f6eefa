#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The fields of an application/x-www-form-urlencoded body.
class FormData
{
public:
    // Decodes a body: fields joined by "&", "+" for a blank, %HH for a byte,
    // names and values UTF-8. A stray "%", bytes that are not UTF-8 or a name
    // given twice make the body unreadable (nullopt, reason in `error`).
    static std::optional<FormData> decode(const QByteArray& body, QString* error = nullptr);

    bool contains(const QString& name) const;
    // Empty when absent.
    QString value(const QString& name) const;
    const QList<std::pair<QString, QString>>& fields() const { return m_fields; }

private:
    QList<std::pair<QString, QString>> m_fields;
};
