#include "analysis/beam/estimate/PowerDistribution.h"

#include "analysis/WideKernel.h"

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

namespace {

// As add(): the lower bin of each coordinate, kept below the last, and the share of the upper one.
LUMETRA_WIDE_UNFUSED_KERNEL
void placeAll(const double *coordinates, std::size_t n, double low, double lastLower, int *index, double *share)
{
    for (std::size_t i = 0; i < n; ++i) {
        const double at = (coordinates[i] - low) / 0.25 - 0.5;
        const double k0 = at < 0 ? 0.0 : at;
        const int k = static_cast<int>(k0 < lastLower ? k0 : lastLower);
        index[i] = k;
        share[i] = std::min(1.0, k0 - double(k));
    }
}

} // namespace

void PowerDistribution::place(const double *coordinates, std::size_t n)
{
    static_assert(Bin == 0.25);
    m_index.resize(n);
    m_share.resize(n);
    placeAll(coordinates, n, m_low, double(m_bins.size() - 2), m_index.data(), m_share.data());
}

inline void PowerDistribution::addPlaced(std::size_t i, double power)
{
    const double f = m_share[i];
    const std::size_t k = std::size_t(m_index[i]);
    m_bins[k] += (1 - f) * power;
    m_bins[k + 1] += f * power;
}

void PowerDistribution::addAll(const double *coordinates, const float *powers, std::size_t n)
{
    place(coordinates, n);
    // The total in a register: kept in the object it would wait on every bin's store.
    double total = m_total;
    for (std::size_t i = 0; i < n; ++i) {
        addPlaced(i, powers[i]);
        total += powers[i];
    }
    m_total = total;
}

void PowerDistribution::addAll(PowerDistribution &a, const double *atA, PowerDistribution &b, const double *atB,
                               PowerDistribution &c, const double *atC, const float *powers, std::size_t n)
{
    a.place(atA, n);
    b.place(atB, n);
    c.place(atC, n);
    // Each distribution's bins take the same additions in the same order as from addAll alone;
    // interleaved, the three chains of additions run side by side. The totals are kept in
    // registers.
    double totalA = a.m_total, totalB = b.m_total, totalC = c.m_total;
    for (std::size_t i = 0; i < n; ++i) {
        const double power = powers[i];
        a.addPlaced(i, power);
        b.addPlaced(i, power);
        c.addPlaced(i, power);
        totalA += power;
        totalB += power;
        totalC += power;
    }
    a.m_total = totalA;
    b.m_total = totalB;
    c.m_total = totalC;
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
