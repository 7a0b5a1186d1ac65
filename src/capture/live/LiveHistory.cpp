#include "capture/live/LiveHistory.h"

#include <cmath>

namespace lumetra {

void LiveHistory::add(const LivePoint &point)
{
    m_points.push_back(point);
    while (!m_points.empty() && m_points.front().t < point.t - m_span)
        m_points.pop_front();
}

LiveHistory::Spread LiveHistory::spread(double LivePoint::*quantity) const
{
    Spread s;
    const auto n = static_cast<double>(m_points.size());
    if (m_points.empty())
        return s;
    // Two passes: the mean first, then the squared deviations from it (no cancellation on
    // large, nearly equal centroids).
    for (const LivePoint &p : m_points)
        s.mean += p.*quantity;
    s.mean /= n;
    if (m_points.size() < 2)
        return s;
    double sum = 0;
    for (const LivePoint &p : m_points)
        sum += (p.*quantity - s.mean) * (p.*quantity - s.mean);
    s.stddev = std::sqrt(sum / (n - 1));
    return s;
}

} // namespace lumetra
