#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// Debian's chromium, headless, driven over its DevTools pipe (fd 3 in,
// fd 4 out). While a call waits for its answer this process's event loop
// keeps turning, so servers of the test's own core keep serving the page.
class HeadlessBrowser
{
public:
    HeadlessBrowser() = default;
    ~HeadlessBrowser();
    HeadlessBrowser(const HeadlessBrowser&) = delete;
    HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

    // The chromium program, or empty text when it is not installed.
    static QString program();

    // Starts the browser and opens url in a page as wide as a phone's
    // screen (360 x 780); false with the reason in why.
    bool open(const QString& url, QString* why);

    // Runs a script expression in the page; its value as JSON (null on failure).
    QJsonValue evaluate(const QString& expression);
    // Evaluates the string expression until test(value) holds or timeoutMs
    // passes; returns the last value seen.
    QString waitFor(const QString& expression, const std::function<bool(const QString&)>& test,
                    int timeoutMs);

private:
    QJsonObject call(const QString& method, const QJsonObject& params, int timeoutMs = 20000);

    QTemporaryDir m_profile;
    QProcess m_process;
    int m_toBrowser = -1;
    int m_fromBrowser = -1;
    QByteArray m_received;
    int m_nextId = 1;
    QString m_session;
};
