#include "analysis/beam/estimate/AxisProfile.h"

#include "analysis/beam/estimate/IntegrationArea.h"
#include "analysis/WideKernel.h"

#include <algorithm>
#include <cmath>

namespace lumetra::beam {

namespace {

constexpr double Step = 0.5;         // pixels between samples along the axis
constexpr int MaxStripHalf = 3;      // lines either side across the axis
constexpr double StripShare = 0.05;  // of the diameter across
constexpr double SmoothShare = 0.025; // of the profile's samples, for the maximum
constexpr int MaxSmooth = 15;
constexpr double FitBand = 0.15;     // samples within this share of the level's room are fitted

// The crossing of `level` between samples i (at or above) and j (below), j = i ± 1.
double interpolate(const AxisProfile &p, std::size_t i, std::size_t j, double level)
{
    const double a = p.value[i], b = p.value[j];
    const double t = a == b ? 0.5 : (a - level) / (a - b);
    return p.position[i] + t * (p.position[j] - p.position[i]);
}

// Refines a crossing near samples i/j with a least-squares line through the contiguous samples
// around it whose values lie within `band` of the level.
double refine(const AxisProfile &p, std::size_t i, std::size_t j, double level, double band)
{
    const auto near = [&](std::size_t k) { return std::abs(p.value[k] - level) <= band; };
    std::size_t lo = std::min(i, j), hi = std::max(i, j);
    while (lo > 0 && near(lo - 1))
        --lo;
    while (hi + 1 < p.value.size() && near(hi + 1))
        ++hi;
    if (!near(lo))
        ++lo;
    if (hi > 0 && !near(hi))
        --hi;
    if (hi < lo + 3)
        return interpolate(p, i, j, level);
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t k = lo; k <= hi; ++k) {
        const double x = p.position[k], y = p.value[k];
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double det = n * sxx - sx * sx;
    const double slope = det != 0 ? (n * sxy - sx * sy) / det : 0.0;
    if (slope == 0)
        return interpolate(p, i, j, level);
    const double intercept = (sy - slope * sx) / n;
    const double x = (level - intercept) / slope;
    // A line that crosses far from the samples it was fitted to is not trusted.
    if (x < p.position[lo] - Step || x > p.position[hi] + Step)
        return interpolate(p, i, j, level);
    return x;
}

} // namespace

LUMETRA_WIDE_UNFUSED_KERNEL
AxisProfile sampleAxisProfile(const IntegrationArea &area, double ux, double uy, double half, double acrossDiameter)
{
    AxisProfile p;
    if (!area.valid() || !(half > 0))
        return p;
    const int strip = std::clamp(static_cast<int>(std::floor(StripShare * acrossDiameter)), 0, MaxStripHalf);
    const int steps = static_cast<int>(std::floor(half / Step));
    p.position.reserve(std::size_t(2 * steps + 1));
    p.value.reserve(std::size_t(2 * steps + 1));
    for (int k = -steps; k <= steps; ++k) {
        const double t = k * Step;
        double sum = 0;
        for (int s = -strip; s <= strip; ++s)
            sum += area.sample(area.cx() + t * ux - s * uy, area.cy() + t * uy + s * ux);
        p.position.push_back(t);
        p.value.push_back(sum / (2 * strip + 1));
    }
    return p;
}

std::optional<double> clipWidth(const AxisProfile &p, double fraction)
{
    const std::size_t n = p.value.size();
    if (n < 3 || !(fraction > 0 && fraction < 1))
        return std::nullopt;
    const int box = std::clamp(static_cast<int>(std::lround(SmoothShare * double(n))) | 1, 1, MaxSmooth);
    const int reach = box / 2;
    std::size_t top = 0;
    double peak = -1e300;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t a = i >= std::size_t(reach) ? i - std::size_t(reach) : 0;
        const std::size_t b = std::min(n - 1, i + std::size_t(reach));
        double sum = 0;
        for (std::size_t k = a; k <= b; ++k)
            sum += p.value[k];
        const double mean = sum / double(b - a + 1);
        if (mean > peak) {
            peak = mean;
            top = i;
        }
    }
    if (!(peak > 0))
        return std::nullopt;
    const double level = fraction * peak;
    const double band = FitBand * std::min(level, peak - level);
    // From the maximum outward to the first sample below the level; its neighbour towards the
    // maximum is at or above it.
    std::optional<double> ends[2];
    for (int side = 0; side < 2; ++side) {
        std::size_t i = top;
        while (true) {
            const bool more = side == 0 ? i > 0 : i + 1 < n;
            if (!more)
                break;
            const std::size_t j = side == 0 ? i - 1 : i + 1;
            if (p.value[j] < level) {
                ends[side] = refine(p, p.value[i] >= level ? i : j, j, level, band);
                break;
            }
            i = j;
        }
    }
    if (!ends[0] || !ends[1])
        return std::nullopt;
    return *ends[1] - *ends[0];
}

} // namespace lumetra::beam
