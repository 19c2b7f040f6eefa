#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QString>

// How many costly requests (changes, owner's code checks) each client address
// may make: up to `perMinute` at once, the budget filling again at that rate.
// Addresses whose budget is full again are forgotten, so the table holds only
// those that spent some of it lately.
class AddressBudget
{
public:
    explicit AddressBudget(int perMinute);

    // Takes one request from the address's budget; false when it is spent.
    bool take(const QString& address);

private:
    struct Bucket
    {
        double left = 0;
        qint64 atMs = 0;
    };
    double refilled(const Bucket& bucket, qint64 nowMs) const;
    void forgetFull(qint64 nowMs);

    double m_perMinute;
    QElapsedTimer m_clock;
    QHash<QString, Bucket> m_buckets;
};
