#pragma once

#include "journal/JournalBatch.h"

#include <QAbstractListModel>
#include <deque>

// The log view's lines: every journal line read, oldest first. Lines stay the
// bytes of their batch and become text only when shown.
class LogModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The view keeps the newest lines only, so a long journal read at start-up
    // does not stay in memory.
    static constexpr qsizetype maxLines = 1000;

    void append(const JournalBatchPtr& batch);
    void removeFirst();
    // A line of the program's own (which journal folder it follows, say).
    void appendNote(const QString& text) { append(JournalBatch::fromLines({text.toUtf8()})); }
    qsizetype count() const { return qsizetype(m_lines.size()); }
    QString lineText(qsizetype i) const;

private:
    struct Entry
    {
        JournalBatchPtr batch;
        qsizetype index;
    };
    std::deque<Entry> m_lines;
};
