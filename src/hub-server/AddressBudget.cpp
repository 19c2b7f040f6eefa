#include "AddressBudget.h"

#include <algorithm>

namespace {

// Beyond this many addresses the full budgets are swept out.
constexpr qsizetype kSweepAbove = 4096;

}  // namespace

AddressBudget::AddressBudget(int perMinute) : m_perMinute(perMinute)
{
    m_clock.start();
}

double AddressBudget::refilled(const Bucket& bucket, qint64 nowMs) const
{
    return std::min(m_perMinute,
                    bucket.left + static_cast<double>(nowMs - bucket.atMs) * m_perMinute / 60000.0);
}

bool AddressBudget::take(const QString& address)
{
    const qint64 now = m_clock.elapsed();
    if (m_buckets.size() > kSweepAbove)
        forgetFull(now);
    auto found = m_buckets.find(address);
    if (found == m_buckets.end())
        found = m_buckets.insert(address, Bucket{m_perMinute, now});
    found->left = refilled(*found, now);
    found->atMs = now;
    if (found->left < 1.0)
        return false;
    found->left -= 1.0;
    return true;
}

void AddressBudget::forgetFull(qint64 nowMs)
{
    m_buckets.removeIf([&](const auto& entry) { return refilled(entry.value(), nowMs) >= m_perMinute; });
}
