#pragma once

#include <deque>

namespace lumetra {

// Frames a second over the last `window` seconds of arrivals.
class FrameRateMeter
{
public:
    explicit FrameRateMeter(double windowSeconds = 2.0) : m_window(windowSeconds) {}

    void frameAt(double seconds);
    // 0 until two frames have arrived.
    double rate() const;
    void reset() { m_times.clear(); }

private:
    double m_window;
    std::deque<double> m_times;
};

} // namespace lumetra
