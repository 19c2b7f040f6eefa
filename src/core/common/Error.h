#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the program: an operation that cannot complete throws
// it with a message meant for the user. The journal pass and the window
// boundary catch it and show the text.
class TessivarError : public std::exception
{
public:
    explicit TessivarError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Text of any exception escaping a handler, as the general error report shows it.
QString errorText(const std::exception& e);
