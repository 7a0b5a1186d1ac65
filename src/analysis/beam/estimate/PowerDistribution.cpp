#include "analysis/beam/estimate/PowerDistribution.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lumetra::beam {

namespace {
constexpr int BinsPerPixel = 4;
} // namespace

PowerDistribution::PowerDistribution(double low, double high) : m_low(low - 1.0)
{
    // A pixel of room on either side for the spread of the outermost pixels.
    const double span = std::max(0.0, high - low) + 2.0;
    m_bins.assign(std::size_t(std::ceil(span / Bin)) + 2, 0.0);
}

void PowerDistribution::place(const double *coordinates, std::size_t n)
{
    m_index.resize(n);
    m_share.resize(n);
    // As add(): the lower bin, kept below the last, and the share of the upper one.
    const double lastLower = double(m_bins.size() - 2);
    for (std::size_t i = 0; i < n; ++i) {
        const double at = (coordinates[i] - m_low) / Bin - 0.5;
        const double k0 = at < 0 ? 0.0 : at;
        const int k = static_cast<int>(k0 < lastLower ? k0 : lastLower);
        m_index[i] = k;
        m_share[i] = std::min(1.0, k0 - double(k));
    }
}

inline void PowerDistribution::addPlaced(std::size_t i, double power)
{
    const double f = m_share[i];
    const std::size_t k = std::size_t(m_index[i]);
    m_bins[k] += (1 - f) * power;
    m_bins[k + 1] += f * power;
    m_total += power;
}

void PowerDistribution::addAll(const double *coordinates, const float *powers, std::size_t n)
{
    place(coordinates, n);
    for (std::size_t i = 0; i < n; ++i)
        addPlaced(i, powers[i]);
}

void PowerDistribution::addAll(PowerDistribution &a, const double *atA, PowerDistribution &b, const double *atB,
                               PowerDistribution &c, const double *atC, const float *powers, std::size_t n)
{
    a.place(atA, n);
    b.place(atB, n);
    c.place(atC, n);
    // Each distribution's bins take the same additions in the same order as from addAll alone;
    // interleaved, the three chains of additions run side by side.
    for (std::size_t i = 0; i < n; ++i) {
        const double power = powers[i];
        a.addPlaced(i, power);
        b.addPlaced(i, power);
        c.addPlaced(i, power);
    }
}

std::optional<double> PowerDistribution::reach(double fraction, bool fromLow) const
{
    if (!(m_total > 0))
        return std::nullopt;
    // Each bin's power spread evenly over one pixel (four bins) about the bin's centre: the bin
    // and the one either side whole, the next ones half.
    const std::size_t n = m_bins.size();
    std::vector<double> spread(n, 0.0);
    const auto at = [&](std::size_t i, int d) {
        const auto j = static_cast<std::ptrdiff_t>(i) + d;
        return j < 0 || j >= static_cast<std::ptrdiff_t>(n) ? 0.0 : m_bins[std::size_t(j)];
    };
    for (std::size_t i = 0; i < n; ++i)
        spread[i] = (0.5 * at(i, -2) + at(i, -1) + at(i, 0) + at(i, 1) + 0.5 * at(i, 2)) / BinsPerPixel;
    const double target = fraction * m_total;
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = fromLow ? i : n - 1 - i;
        const double b = spread[k];
        if (sum + b >= target && b > 0) {
            const double t = (target - sum) / b; // share of the bin, from the side counting starts
            const double edge = m_low + Bin * double(k);
            return fromLow ? edge + t * Bin : edge + (1 - t) * Bin;
        }
        sum += b;
    }
    return std::nullopt;
}

} // namespace lumetra::beam
