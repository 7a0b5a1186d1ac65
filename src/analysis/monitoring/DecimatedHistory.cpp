#include "analysis/monitoring/DecimatedHistory.h"

#include <cmath>

namespace lumetra::monitoring {

void DecimatedHistory::add(const MonitorSample &sample)
{
    for (int w = 0; w < WindowCount; ++w) {
        auto &ring = m_buckets[std::size_t(w)];
        const auto index = static_cast<long long>(std::floor(sample.t / bucketSeconds(w)));
        if (ring.empty() || index > ring.back().index)
            ring.push_back(Bucket{index, {}});
        ring.back().moments.add(sample);
        while (ring.front().index < ring.back().index - BucketCount)
            ring.pop_front();
    }
}

void DecimatedHistory::clear()
{
    for (auto &ring : m_buckets)
        ring.clear();
}

RunningMoments DecimatedHistory::windowMoments(int window) const
{
    RunningMoments all;
    for (const Bucket &b : m_buckets[std::size_t(window)])
        all.merge(b.moments);
    return all;
}

std::size_t DecimatedHistory::memoryBytes() const
{
    std::size_t bytes = sizeof(*this);
    for (const auto &ring : m_buckets)
        bytes += ring.size() * sizeof(Bucket);
    return bytes;
}

} // namespace lumetra::monitoring
