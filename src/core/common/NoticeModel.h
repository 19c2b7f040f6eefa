#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

// Failures nobody asked for (a journal pass, a file read, the network in the
// background), kept for the main window's message strip. The same text again
// raises its count and its time instead of adding a line, so a fault that
// repeats on every pass stays one line; the oldest lines go beyond a few.
class NoticeModel : public QObject
{
    Q_OBJECT
public:
    struct Notice
    {
        QString text;
        int count = 1;
        QDateTime last;
    };

    static constexpr qsizetype kMaxNotices = 20;

    explicit NoticeModel(QObject* parent = nullptr) : QObject(parent) {}

    void add(const QString& text, const QDateTime& when = QDateTime::currentDateTime());
    void clear();

    // Oldest first; the newest (or last repeated) text is at the end.
    const QList<Notice>& notices() const { return m_notices; }
    bool isEmpty() const { return m_notices.isEmpty(); }
    // One line of the strip: the text, then how often and when last when it repeated.
    static QString line(const Notice& n);

signals:
    void changed();

private:
    QList<Notice> m_notices;
};
