#include "analysis/monitoring/RunningMoments.h"

#include <algorithm>

namespace lumetra::monitoring {

namespace {

std::array<double, RunningMoments::Count> valuesOf(const MonitorSample &s)
{
    return {s.t, s.cx, s.cy, s.dx, s.dy};
}

} // namespace

void RunningMoments::add(const MonitorSample &sample)
{
    const auto v = valuesOf(sample);
    ++m_n;
    const double n = double(m_n);
    std::array<double, Count> before{};
    for (int i = 0; i < Count; ++i) {
        before[i] = v[i] - m_mean[i];
        m_mean[i] += before[i] / n;
        m_min[i] = m_n == 1 ? v[i] : std::min(m_min[i], v[i]);
        m_max[i] = m_n == 1 ? v[i] : std::max(m_max[i], v[i]);
    }
    // C_ab += (a - old mean a)(b - new mean b): exact for the updated set.
    for (int a = 0; a < Count; ++a)
        for (int b = 0; b < Count; ++b)
            m_c[a][b] += before[a] * (v[b] - m_mean[b]);
}

void RunningMoments::merge(const RunningMoments &other)
{
    if (other.m_n == 0)
        return;
    if (m_n == 0) {
        *this = other;
        return;
    }
    const double na = double(m_n), nb = double(other.m_n), n = na + nb;
    std::array<double, Count> delta{};
    for (int i = 0; i < Count; ++i)
        delta[i] = other.m_mean[i] - m_mean[i];
    for (int a = 0; a < Count; ++a)
        for (int b = 0; b < Count; ++b)
            m_c[a][b] += other.m_c[a][b] + delta[a] * delta[b] * na * nb / n;
    for (int i = 0; i < Count; ++i) {
        m_mean[i] += delta[i] * nb / n;
        m_min[i] = std::min(m_min[i], other.m_min[i]);
        m_max[i] = std::max(m_max[i], other.m_max[i]);
    }
    m_n += other.m_n;
}

double RunningMoments::covariance(Quantity a, Quantity b) const
{
    return m_n < 2 ? 0.0 : m_c[a][b] / double(m_n - 1);
}

} // namespace lumetra::monitoring
