#pragma once

#include <deque>

namespace lumetra {

// One live measurement as the stability plots keep it: when (seconds on the live clock), where
// the centroid was and how wide the beam was (D4σ along x and y), in pixels.
struct LivePoint
{
    double t = 0;
    double cx = 0, cy = 0;
    double dx = 0, dy = 0;
};

// The last `span` seconds of live measurements, oldest first, and the spread of each quantity
// over them (pointing and size stability).
class LiveHistory
{
public:
    explicit LiveHistory(double spanSeconds = 60.0) : m_span(spanSeconds) {}

    // Appends a point (times must not go back) and forgets those older than span before it.
    void add(const LivePoint &point);
    void clear() { m_points.clear(); }

    const std::deque<LivePoint> &points() const { return m_points; }
    double span() const { return m_span; }

    struct Spread
    {
        double mean = 0;
        double stddev = 0; // sample standard deviation; 0 with fewer than two points
    };
    Spread spread(double LivePoint::*quantity) const;

private:
    double m_span;
    std::deque<LivePoint> m_points;
};

} // namespace lumetra
