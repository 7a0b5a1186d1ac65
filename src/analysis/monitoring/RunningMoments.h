#pragma once

#include "analysis/monitoring/MonitorSample.h"

#include <array>

namespace lumetra::monitoring {

// Means and co-moments of (t, cx, cy, dx, dy) over a set of samples, kept in one pass with the
// updating formulas of Welford and of Chan et al., so that hours of samples neither lose
// precision nor need keeping. Two sets merge exactly into the moments of their union. Extremes
// of the four measured quantities come along for the peak-to-peak figures.
class RunningMoments
{
public:
    enum Quantity { T = 0, Cx = 1, Cy = 2, Dx = 3, Dy = 4 };
    static constexpr int Count = 5;

    void add(const MonitorSample &sample);
    void merge(const RunningMoments &other);

    long long count() const { return m_n; }
    double mean(Quantity q) const { return m_mean[q]; }
    // Sum of (a - mean a)(b - mean b) over the samples.
    double comoment(Quantity a, Quantity b) const { return m_c[a][b]; }
    // Sample covariance (n - 1 in the denominator); 0 with fewer than two samples.
    double covariance(Quantity a, Quantity b) const;
    double minimum(Quantity q) const { return m_min[q]; }
    double maximum(Quantity q) const { return m_max[q]; }

private:
    long long m_n = 0;
    std::array<double, Count> m_mean{};
    std::array<std::array<double, Count>, Count> m_c{};
    std::array<double, Count> m_min{};
    std::array<double, Count> m_max{};
};

} // namespace lumetra::monitoring
