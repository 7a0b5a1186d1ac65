#pragma once

#include "analysis/monitoring/RunningMoments.h"

#include <array>
#include <deque>

namespace lumetra::monitoring {

// The monitoring plots' memory: for each of the windows 1 min, 10 min, 1 h and 8 h, the last
// window's worth of samples in BucketCount buckets of equal length, each keeping the extremes and
// the moments of its samples (not the samples). An 8-hour run at 25 frames a second (720 000
// samples) thus takes the same few hundred kilobytes as a minute, and the statistics over a
// window merge its buckets (exact up to the window's edge, which moves a bucket at a time).
class DecimatedHistory
{
public:
    static constexpr int WindowCount = 4;
    static constexpr int BucketCount = 600;
    static constexpr std::array<double, WindowCount> WindowSeconds{60.0, 600.0, 3600.0, 28800.0};

    struct Bucket
    {
        long long index = 0; // start time = index * bucket length
        RunningMoments moments;
    };

    // Samples must come in time order (a sample earlier than the newest bucket joins that bucket).
    void add(const MonitorSample &sample);
    void clear();

    static double bucketSeconds(int window) { return WindowSeconds[std::size_t(window)] / BucketCount; }
    // Oldest first; at most BucketCount + 1 (the one filling now and a full window behind it).
    const std::deque<Bucket> &buckets(int window) const { return m_buckets[std::size_t(window)]; }
    // Every bucket of the window merged.
    RunningMoments windowMoments(int window) const;
    // Bytes held by the buckets (for the benchmark's memory figure).
    std::size_t memoryBytes() const;

private:
    std::array<std::deque<Bucket>, WindowCount> m_buckets;
};

} // namespace lumetra::monitoring
