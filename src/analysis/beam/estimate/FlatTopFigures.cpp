#include "analysis/beam/estimate/FlatTopFigures.h"

#include "analysis/beam/estimate/IntegrationArea.h"
#include "types/UninitialisedAllocator.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace lumetra::beam {

namespace {

constexpr double HistogramBins = 100; // bins per E_max (at least one code value wide)

constexpr int MaxSide = 9;

// A row's running sums over `side` columns from `first` to `last`, several rows side by side:
// each row's sum is its own chain of additions, which interleaved do not wait on one another.
struct RowRun
{
    const double *columns; // the row's column sums, from the box's left edge
    int first, last;       // window centres, box columns
    double run = 0, best = 0;
};

constexpr int RowsTogether = 4;

// One row's steps from window centre `from` to `last`, its sums kept in registers.
void runFrom(RowRun &row, int from, int r)
{
    const double *c = row.columns;
    double run = row.run, best = row.best;
    for (int x = from; x <= row.last; ++x) {
        run += c[x + r] - c[x - r - 1];
        best = std::max(best, run);
    }
    row.run = run;
    row.best = best;
}

void runRows(RowRun *rows, int count, int r)
{
    int common = rows[0].last - rows[0].first;
    for (int j = 0; j < count; ++j) {
        RowRun &row = rows[j];
        const double *c = row.columns;
        double run = 0;
        for (int x = row.first - r; x <= row.first + r; ++x)
            run += c[x];
        row.run = row.best = run;
        common = std::min(common, row.last - row.first);
    }
    if (count == RowsTogether) {
        // The steps all four rows take, side by side.
        const double *c0 = rows[0].columns + rows[0].first, *c1 = rows[1].columns + rows[1].first;
        const double *c2 = rows[2].columns + rows[2].first, *c3 = rows[3].columns + rows[3].first;
        double run0 = rows[0].run, run1 = rows[1].run, run2 = rows[2].run, run3 = rows[3].run;
        double best0 = run0, best1 = run1, best2 = run2, best3 = run3;
        for (int t = 1; t <= common; ++t) {
            run0 += c0[t + r] - c0[t - r - 1];
            run1 += c1[t + r] - c1[t - r - 1];
            run2 += c2[t + r] - c2[t - r - 1];
            run3 += c3[t + r] - c3[t - r - 1];
            best0 = std::max(best0, run0);
            best1 = std::max(best1, run1);
            best2 = std::max(best2, run2);
            best3 = std::max(best3, run3);
        }
        rows[0].run = run0, rows[1].run = run1, rows[2].run = run2, rows[3].run = run3;
        rows[0].best = best0, rows[1].best = best1, rows[2].best = best2, rows[3].best = best3;
    } else {
        common = 0;
    }
    for (int j = 0; j < count; ++j)
        runFrom(rows[j], rows[j].first + common + 1, r);
}

// The highest mean over side x side pixels centred on a pixel of the area whose square lies in
// the area's box: running column sums over `side` rows, then a running sum along the row.
double maxDensity(const IntegrationArea &a, int side)
{
    const int r = side / 2;
    const int x0 = a.left(), y0 = a.top(), w = a.width();
    const std::size_t n = std::size_t(w);
    double best = -1e300;
    // The column sums of RowsTogether consecutive rows, each made from the one before.
    std::vector<double> columns(n * RowsTogether, 0.0);
    const auto slot = [&](int j) { return columns.data() + n * std::size_t(j); };
    double *previous = slot(RowsTogether - 1);
    for (int y = y0; y < y0 + side - 1; ++y) {
        const float *in = a.row(y);
        for (std::size_t i = 0; i < n; ++i)
            previous[i] += in[i];
    }
    RowRun rows[RowsTogether];
    int count = 0;
    const int yEnd = y0 + a.height() - r;
    for (int y = y0 + r; y < yEnd; ++y) {
        // Each column takes its new row and then gives up its oldest, independently of the others.
        double *c = slot(int((y - y0 - r) % RowsTogether));
        const float *in = a.row(y + r);
        if (y - r - 1 >= y0) {
            const float *out = a.row(y - r - 1);
            for (std::size_t i = 0; i < n; ++i)
                c[i] = (previous[i] + in[i]) - out[i];
        } else {
            for (std::size_t i = 0; i < n; ++i)
                c[i] = previous[i] + in[i];
        }
        previous = c;
        const int first = std::max(a.rowFirst(y), x0 + r), last = std::min(a.rowLast(y), x0 + w - 1 - r);
        if (first <= last)
            rows[count++] = RowRun{c, first - x0, last - x0};
        // The slots are used in turn: the rows waiting must be run before theirs is written again.
        if ((y - y0 - r) % RowsTogether == RowsTogether - 1 || y + 1 == yEnd) {
            if (count > 0) {
                runRows(rows, count, r);
                for (int j = 0; j < count; ++j)
                    best = std::max(best, rows[j].best);
            }
            count = 0;
        }
    }
    return best / (double(side) * side);
}

// Full width at half height of the histogram's highest peak; nothing when the peak does not
// fall to half on its low side within the histogram (no plateau).
std::optional<double> plateauWidth(const Samples &values, double low, double bin)
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
    Samples values;
    long long above90 = 0;
    const auto collect = [&](float floor) {
        // Every pixel is written and only those at the floor or above are kept: no branch on it.
        values.resize(std::size_t(area.pixels()));
        float *kept = values.data();
        std::size_t count = 0;
        above90 = 0;
        for (int y = area.top(); y < area.top() + area.height(); ++y) {
            const float *in = area.row(y);
            for (int x = area.rowFirst(y) - area.left(); x <= area.rowLast(y) - area.left(); ++x) {
                const float v = in[x];
                kept[count] = v;
                count += v >= floor ? 1 : 0;
                above90 += v >= ninetieth ? 1 : 0;
            }
        }
        values.resize(count);
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
