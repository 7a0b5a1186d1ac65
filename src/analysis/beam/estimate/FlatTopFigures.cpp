#include "analysis/beam/estimate/FlatTopFigures.h"

#include "analysis/beam/estimate/IntegrationArea.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace lumetra::beam {

namespace {

constexpr double HistogramBins = 100; // bins per E_max (at least one code value wide)

constexpr int MaxSide = 9;

// The highest mean over side x side pixels centred on a pixel of the area whose square lies in
// the area's box: running column sums over `side` rows, then a running sum along the row.
double maxDensity(const IntegrationArea &a, int side)
{
    const int r = side / 2;
    const int x0 = a.left(), y0 = a.top(), w = a.width();
    double best = -1e300;
    std::vector<double> columns(std::size_t(w), 0.0);
    for (int y = y0; y < y0 + side - 1; ++y)
        for (int x = x0; x < x0 + w; ++x)
            columns[std::size_t(x - x0)] += a.value(x, y);
    for (int y = y0 + r; y < y0 + a.height() - r; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            double &c = columns[std::size_t(x - x0)];
            c += a.value(x, y + r);
            if (y - r - 1 >= y0)
                c -= a.value(x, y - r - 1);
        }
        const int first = std::max(a.rowFirst(y), x0 + r), last = std::min(a.rowLast(y), x0 + w - 1 - r);
        if (first > last)
            continue;
        double run = 0;
        for (int x = first - r; x <= first + r; ++x)
            run += columns[std::size_t(x - x0)];
        best = std::max(best, run);
        for (int x = first + 1; x <= last; ++x) {
            run += columns[std::size_t(x + r - x0)] - columns[std::size_t(x - r - 1 - x0)];
            best = std::max(best, run);
        }
    }
    return best / (double(side) * side);
}

// Full width at half height of the histogram's highest peak; nothing when the peak does not
// fall to half on its low side within the histogram (no plateau).
std::optional<double> plateauWidth(const std::vector<float> &values, double low, double bin)
{
    const double high = *std::max_element(values.begin(), values.end());
    const std::size_t bins = std::size_t(std::floor((high - low) / bin)) + 1;
    std::vector<double> counts(bins, 0.0);
    for (const float v : values)
        counts[std::min(bins - 1, std::size_t(std::max(0.0, (v - low) / bin)))] += 1;
    // The highest bin; of equal ones the highest in value.
    std::size_t peak = 0;
    for (std::size_t i = 0; i < bins; ++i)
        if (counts[i] >= counts[peak])
            peak = i;
    const double half = counts[peak] / 2;
    const auto centre = [&](double i) { return low + (i + 0.5) * bin; };
    const auto crossing = [&](std::size_t inside, double outsideIndex, double outsideCount) {
        const double t = (counts[inside] - half) / (counts[inside] - outsideCount);
        return centre(double(inside) + t * (outsideIndex - double(inside)));
    };
    std::size_t i = peak;
    while (i > 0 && counts[i - 1] >= half)
        --i;
    if (i == 0)
        return std::nullopt;
    const double lowEnd = crossing(i, double(i) - 1, counts[i - 1]);
    std::size_t j = peak;
    while (j + 1 < bins && counts[j + 1] >= half)
        ++j;
    const double highEnd = j + 1 < bins ? crossing(j, double(j) + 1, counts[j + 1]) : crossing(j, double(j) + 1, 0.0);
    return highEnd - lowEnd;
}

} // namespace

FlatTopFigures flatTopFigures(const IntegrationArea &area, double dMinor)
{
    FlatTopFigures f;
    const int side = std::min(MaxSide, 1 + 2 * static_cast<int>(std::floor(std::max(0.0, dMinor) / 40)));
    if (!area.valid() || area.width() < side || area.height() < side)
        return f;
    f.maxDensity = maxDensity(area, side);
    const double eMax = f.maxDensity;
    const double power = area.power();
    if (!(eMax > 0) || !(power > 0))
        return f;

    // The pixels at 10 % of E_max and above: the effective region lies among them (unless the
    // beam spreads most of its power below 10 %, when all pixels are searched).
    const float tenth = static_cast<float>(0.1 * eMax), ninetieth = static_cast<float>(0.9 * eMax);
    std::vector<float> values;
    values.reserve(std::size_t(area.pixels()));
    long long above90 = 0;
    const auto collect = [&](float floor) {
        values.clear();
        above90 = 0;
        for (int y = area.top(); y < area.top() + area.height(); ++y)
            for (int x = area.rowFirst(y); x <= area.rowLast(y); ++x) {
                const float v = area.value(x, y);
                if (v >= floor)
                    values.push_back(v);
                above90 += v >= ninetieth ? 1 : 0;
            }
    };
    collect(tenth);
    const long long above10 = static_cast<long long>(values.size());
    if (above10 > 0)
        f.edgeSteepness = double(above10 - above90) / double(above10);

    f.effectiveArea = power / eMax;
    // The effective region: the brightest pixels, as many as the effective area holds.
    const auto wanted = static_cast<std::size_t>(std::max(1LL, std::llround(*f.effectiveArea)));
    if (wanted > values.size())
        collect(-std::numeric_limits<float>::infinity());
    if (values.empty())
        return f;
    const std::size_t k = std::min(wanted, values.size());
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(k - 1), values.end(), std::greater<float>());
    const double level = values[k - 1];
    values.resize(k);
    f.effectiveLevel = level / eMax;
    double sum = 0;
    for (const float v : values)
        sum += v;
    const double mean = sum / double(k);
    double squares = 0;
    for (const float v : values)
        squares += (v - mean) * (v - mean);
    f.flatness = mean / eMax;
    if (mean > 0)
        f.uniformity = std::sqrt(squares / double(k)) / mean;
    if (const auto width = plateauWidth(values, level, std::max(eMax / HistogramBins, 1.0)))
        f.plateauUniformity = *width / eMax;
    return f;
}

} // namespace lumetra::beam
