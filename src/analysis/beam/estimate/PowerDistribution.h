#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace lumetra::beam {

// The power of a frame gathered along one coordinate (a position along an axis, or a radius) in
// bins of a quarter pixel. Each pixel's power is spread evenly over one pixel about its centre's
// coordinate, as a knife edge or a circle growing across it would uncover it.
class PowerDistribution
{
public:
    // Coordinates from `low` to `high` (a radius from 0: what spreads below 0 counts as inside).
    PowerDistribution(double low, double high);

    void add(double coordinate, double power)
    {
        // Split between the two nearest bin centres; the spread over one pixel follows in reach().
        const double at = (coordinate - m_low) / Bin - 0.5; // in bin centres
        const double k0 = at < 0 ? 0.0 : at;
        std::size_t k = static_cast<std::size_t>(k0);
        if (k + 1 >= m_bins.size())
            k = m_bins.size() - 2;
        const double f = std::min(1.0, k0 - double(k));
        m_bins[k] += (1 - f) * power;
        m_bins[k + 1] += f * power;
        m_total += power;
    }

    // add(coordinates[i], powers[i]) for i = 0 .. n - 1 in turn; the split between bins is worked
    // out for all of them first, in a loop the compiler vectorises.
    void addAll(const double *coordinates, const float *powers, std::size_t n);
    // a.addAll(atA, powers, n), b.addAll(atB, ...) and c.addAll(atC, ...) in one loop.
    static void addAll(PowerDistribution &a, const double *atA, PowerDistribution &b, const double *atB,
                       PowerDistribution &c, const double *atC, const float *powers, std::size_t n);

    double total() const { return m_total; }
    // Where the cumulative power first reaches `fraction` of the total, counted from the low end
    // (fromLow) or from the high end, interpolated within the bin; nothing for a total <= 0.
    std::optional<double> reach(double fraction, bool fromLow = true) const;

private:
    static constexpr double Bin = 0.25;

    void place(const double *coordinates, std::size_t n);
    void addPlaced(std::size_t i, double power);

    double m_low;
    std::vector<double> m_bins;
    double m_total = 0;
    std::vector<int> m_index;    // addAll's lower bins
    std::vector<double> m_share; // and the shares of the upper ones
};

} // namespace lumetra::beam
