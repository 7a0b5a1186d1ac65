#include "analysis/beam/condition/StripeCorrection.h"

#include "analysis/WideKernel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace lumetra::beam::detail {

namespace {

constexpr int MinFarSamples = 16;    // a line needs this many samples on a side far from the beam
constexpr int MaxSideSamples = 64;   // and its level is the mean of at most about this many
constexpr int MinNeighbours = 4;     // lines beside the box on each side, to fit the dark level to
constexpr double Significance = 5.0; // standard deviations of the neighbours' scatter
constexpr double NoiseShare = 0.3;   // a stripe is at least this share of the pixel noise ...
constexpr double MinLevel = 0.75;    // ... and at least this many code values (rounding of 8-bit levels)
constexpr double LightShare = 0.10;  // the beam's light box: blocks above this share of the peak ...
constexpr double LightReach = 2.1;   // ... reaching this many times as far from its centre

// The frame seen as lines: columns (line x, position y along it) or rows (line y, position x).
struct Lines
{
    const float *values;
    int width, height;
    bool columns;

    int count() const { return columns ? width : height; }
    int length() const { return columns ? height : width; }
};

// Four doubles side by side (the compiler's generic vectors: AVX where the processor has it).
typedef double Lanes __attribute__((vector_size(32)));
// Lines summed together, their sums kept in registers across all positions.
constexpr std::size_t LineChunk = 16;

// Each line's sum over the positions (samplesAt[p][k] the sample of line k at position p), added in
// the order of the positions; then only the samples within `clip` of their line's mean, counted.
LUMETRA_WIDE_KERNEL
void lineSums(const float *const *samplesAt, std::size_t positions, std::size_t n, double *sum)
{
    std::size_t k = 0;
    for (; k + LineChunk <= n; k += LineChunk) {
        Lanes s[4] = {};
        for (std::size_t p = 0; p < positions; ++p) {
            const float *v = samplesAt[p] + k;
            for (int j = 0; j < 4; ++j) {
                const Lanes x = {v[4 * j], v[4 * j + 1], v[4 * j + 2], v[4 * j + 3]};
                s[j] += x;
            }
        }
        for (int j = 0; j < 4; ++j)
            for (int l = 0; l < 4; ++l)
                sum[k + std::size_t(4 * j + l)] = s[j][l];
    }
    for (; k < n; ++k) {
        double s = 0;
        for (std::size_t p = 0; p < positions; ++p)
            s += samplesAt[p][k];
        sum[k] = s;
    }
}

LUMETRA_WIDE_KERNEL
void lineSumsNear(const float *const *samplesAt, std::size_t positions, std::size_t n, const double *mean,
                  double clip, double *sum, double *count)
{
    const Lanes one = {1, 1, 1, 1};
    std::size_t k = 0;
    for (; k + LineChunk <= n; k += LineChunk) {
        Lanes m[4], s[4] = {}, c[4] = {};
        for (int j = 0; j < 4; ++j)
            m[j] = Lanes{mean[k + std::size_t(4 * j)], mean[k + std::size_t(4 * j + 1)], mean[k + std::size_t(4 * j + 2)],
                         mean[k + std::size_t(4 * j + 3)]};
        for (std::size_t p = 0; p < positions; ++p) {
            const float *v = samplesAt[p] + k;
            for (int j = 0; j < 4; ++j) {
                const Lanes x = {v[4 * j], v[4 * j + 1], v[4 * j + 2], v[4 * j + 3]};
                Lanes d = x - m[j];
                d = d < 0 ? -d : d;
                const auto keep = d <= clip;
                s[j] += keep ? x : Lanes{};
                c[j] += keep ? one : Lanes{};
            }
        }
        for (int j = 0; j < 4; ++j)
            for (int l = 0; l < 4; ++l) {
                sum[k + std::size_t(4 * j + l)] = s[j][l];
                count[k + std::size_t(4 * j + l)] = c[j][l];
            }
    }
    for (; k < n; ++k) {
        double s = 0, c = 0;
        for (std::size_t p = 0; p < positions; ++p) {
            const double x = samplesAt[p][k];
            const bool keep = std::abs(x - mean[k]) <= clip;
            s += keep ? x : 0.0;
            c += keep ? 1.0 : 0.0;
        }
        sum[k] = s;
        count[k] = c;
    }
}

// The mean of each line in [i0, i1] over the positions [j0, j1) (at most MaxSideSamples of them,
// evenly spread), twice more over the samples within `clip` of the previous mean, so that hot
// pixels and a stray spot drop out. Each pass runs across the lines, sixteen at a time.
std::vector<double> sideLevels(const Lines &f, int i0, int i1, int j0, int j1, double clip)
{
    const int stride = std::max(1, (j1 - j0) / MaxSideSamples);
    const std::size_t n = std::size_t(i1 - i0 + 1);
    const std::size_t positions = std::size_t((j1 - j0 + stride - 1) / stride);
    // Columns: a position is a stretch of a frame row already; rows: their samples gathered
    // once, a row of lines per position.
    Samples gathered(f.columns ? 0 : positions * n);
    std::vector<const float *> samplesAt(positions);
    for (std::size_t p = 0; p < positions; ++p)
        samplesAt[p] = f.columns ? f.values + std::size_t(j0 + int(p) * stride) * std::size_t(f.width) + std::size_t(i0)
                                 : gathered.data() + p * n;
    // Gathered sixteen frame rows at a time: each position's samples of them fill a cache line of
    // the gathered lines, and each row is read along its length (down a column every sample
    // would lie on a page of its own).
    if (!f.columns)
        for (std::size_t k0 = 0; k0 < n; k0 += LineChunk) {
            const std::size_t k1 = std::min(n, k0 + LineChunk);
            const float *first = f.values + (std::size_t(i0) + k0) * std::size_t(f.width) + std::size_t(j0);
            for (std::size_t p = 0; p < positions; ++p) {
                const float *sample = first + p * std::size_t(stride);
                float *out = gathered.data() + p * n;
                for (std::size_t k = k0; k < k1; ++k, sample += f.width)
                    out[k] = *sample;
            }
        }
    std::vector<double> mean(n, 0.0), sum(n, 0.0), count(n, 0.0);
    lineSums(samplesAt.data(), positions, n, sum.data());
    for (std::size_t k = 0; k < n; ++k)
        mean[k] = sum[k] / double(positions);
    for (int pass = 1; pass < 3; ++pass) {
        lineSumsNear(samplesAt.data(), positions, n, mean.data(), clip, sum.data(), count.data());
        for (std::size_t k = 0; k < n; ++k)
            if (count[k] > 0)
                mean[k] = sum[k] / count[k];
    }
    return mean;
}

// A smooth dark level across the lines: c0 + c1 t + c2 t^2, t = (i - centre) / scale.
struct Baseline
{
    double c[3] = {0, 0, 0};
    double centre = 0, scale = 1;
    double at(double i) const
    {
        const double t = (i - centre) / scale;
        return c[0] + t * (c[1] + t * c[2]);
    }
};

// Least squares of ys over xs with `terms` coefficients (3: a parabola).
std::optional<Baseline> fitBaseline(const std::vector<double> &xs, const std::vector<double> &ys, int terms)
{
    if (xs.size() < std::size_t(2 * terms))
        return std::nullopt;
    Baseline b;
    double lo = xs.front(), hi = xs.front();
    for (const double x : xs) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    b.centre = 0.5 * (lo + hi);
    b.scale = std::max(1.0, 0.5 * (hi - lo));
    double m[3][4] = {};
    for (std::size_t k = 0; k < xs.size(); ++k) {
        const double t = (xs[k] - b.centre) / b.scale;
        const double p[3] = {1, t, t * t};
        for (int r = 0; r < terms; ++r) {
            for (int c = 0; c < terms; ++c)
                m[r][c] += p[r] * p[c];
            m[r][3] += p[r] * ys[k];
        }
    }
    // Gaussian elimination with partial pivoting.
    for (int col = 0; col < terms; ++col) {
        int pivot = col;
        for (int r = col + 1; r < terms; ++r)
            if (std::abs(m[r][col]) > std::abs(m[pivot][col]))
                pivot = r;
        if (!(std::abs(m[pivot][col]) > 1e-12 * double(xs.size())))
            return std::nullopt;
        std::swap(m[col], m[pivot]);
        for (int r = 0; r < terms; ++r) {
            if (r == col)
                continue;
            const double factor = m[r][col] / m[col][col];
            for (int c = col; c < 4; ++c)
                m[r][c] -= factor * m[col][c];
        }
    }
    for (int r = 0; r < terms; ++r)
        b.c[r] = m[r][3] / m[r][r];
    return b;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    const auto middle = v.begin() + std::ptrdiff_t(v.size() / 2);
    std::nth_element(v.begin(), middle, v.end());
    return *middle;
}

// A parabola through the neighbours' levels (none when the box leaves too few neighbours on either
// side), fitted again without the neighbours more than three deviations off the first fit.
// Appends the kept neighbours' residuals.
std::optional<Baseline> neighbourBaseline(const std::vector<double> &levels, int i0, int b0, int b1,
                                          std::vector<double> &residuals)
{
    std::vector<double> xs, ys;
    int left = 0, right = 0;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const int i = i0 + int(k);
        if (i >= b0 && i <= b1)
            continue;
        (i < b0 ? left : right) += 1;
        xs.push_back(i);
        ys.push_back(levels[k]);
    }
    // Lines beside the box on one side only would leave the dark level across the box to an
    // extrapolation, which a curved dark level (stray light) turns into a false stripe.
    if (left < MinNeighbours || right < MinNeighbours)
        return std::nullopt;
    const int terms = 3;
    std::optional<Baseline> fit = fitBaseline(xs, ys, terms);
    if (!fit)
        return std::nullopt;
    std::vector<double> deviations(xs.size());
    for (std::size_t k = 0; k < xs.size(); ++k)
        deviations[k] = std::abs(ys[k] - fit->at(xs[k]));
    const double limit = 3 * 1.4826 * median(deviations);
    std::vector<double> keptX, keptY;
    for (std::size_t k = 0; k < xs.size(); ++k)
        if (deviations[k] <= limit) {
            keptX.push_back(xs[k]);
            keptY.push_back(ys[k]);
        }
    if (std::optional<Baseline> refit = fitBaseline(keptX, keptY, terms))
        fit = refit;
    for (std::size_t k = 0; k < keptX.size(); ++k)
        residuals.push_back(keptY[k] - fit->at(keptX[k]));
    return fit;
}

// The stripe of one direction: the offsets of the lines crossing the beam's box and how far the
// strongest stripe among them stands out (above 1: clearly).
struct Assessment
{
    double score = 0;
    int first = 0;               // line of offsets[0]
    std::vector<double> offsets; // of the lines crossing the box
};

Assessment assess(const Lines &f, const BeamBox &box, double noise)
{
    Assessment a;
    const double across = f.columns ? box.cx : box.cy, acrossHalf = f.columns ? box.halfX : box.halfY;
    const double along = f.columns ? box.cy : box.cx, alongHalf = f.columns ? box.halfY : box.halfX;
    const int b0 = std::max(0, int(std::ceil(across - acrossHalf)));
    const int b1 = std::min(f.count() - 1, int(std::floor(across + acrossHalf)));
    if (b0 > b1)
        return a;
    const int reach = std::max(b1 - b0 + 1, 2 * MinNeighbours);
    const int i0 = std::max(0, b0 - reach), i1 = std::min(f.count() - 1, b1 + reach);

    // The two sides far from the beam along the lines: positions [0, nearEnd) and [farStart, length).
    const int nearEnd = std::clamp(int(std::ceil(along - alongHalf)), 0, f.length());
    const int farStart = std::clamp(int(std::floor(along + alongHalf)) + 1, 0, f.length());
    const double clip = std::max(4 * noise, 1.0);
    std::vector<std::vector<double>> sideOffsets;
    std::vector<double> residuals;
    for (const auto &[j0, j1] : {std::pair{0, nearEnd}, std::pair{farStart, f.length()}}) {
        if (j1 - j0 < MinFarSamples)
            continue;
        const std::vector<double> levels = sideLevels(f, i0, i1, j0, j1, clip);
        const std::optional<Baseline> baseline = neighbourBaseline(levels, i0, b0, b1, residuals);
        if (!baseline)
            return a;
        std::vector<double> offsets;
        for (int i = b0; i <= b1; ++i)
            offsets.push_back(levels[std::size_t(i - i0)] - baseline->at(i));
        sideOffsets.push_back(std::move(offsets));
    }
    if (sideOffsets.empty())
        return a;

    // A stripe runs the whole length of its line: where both sides are seen they must agree, and
    // the smaller offset counts (a stray spot on one side is not a stripe).
    a.first = b0;
    a.offsets = sideOffsets.front();
    if (sideOffsets.size() == 2)
        for (std::size_t k = 0; k < a.offsets.size(); ++k) {
            const double p = sideOffsets[0][k], q = sideOffsets[1][k];
            a.offsets[k] = (p > 0) == (q > 0) ? (std::abs(p) < std::abs(q) ? p : q) : 0.0;
        }

    // Windows of 1, 2, 4, ... lines: a narrow stripe of a few columns and a wide one as broad as
    // the beam are both compared with how much neighbouring lines scatter about their dark level.
    for (double &r : residuals)
        r = std::abs(r);
    const double scatter = 1.4826 * median(residuals);
    const double floor = std::max(NoiseShare * noise, MinLevel);
    std::vector<double> prefix(a.offsets.size() + 1, 0.0);
    for (std::size_t k = 0; k < a.offsets.size(); ++k)
        prefix[k + 1] = prefix[k] + a.offsets[k];
    for (std::size_t w = 1; w <= a.offsets.size(); w *= 2) {
        double strongest = -1e300;
        for (std::size_t k = 0; k + w <= a.offsets.size(); ++k)
            strongest = std::max(strongest, (prefix[k + w] - prefix[k]) / double(w));
        const double threshold = std::max(Significance * scatter / std::sqrt(double(w)), floor);
        a.score = std::max(a.score, strongest / threshold);
    }
    return a;
}

} // namespace

std::optional<BeamBox> lightBox(const BlockGrid &grid, double darkLevel)
{
    if (grid.values.empty())
        return std::nullopt;
    const auto top = std::max_element(grid.values.begin(), grid.values.end());
    if (!(*top > darkLevel))
        return std::nullopt;
    const float level = static_cast<float>(darkLevel + LightShare * (*top - darkLevel));
    // Flood fill from the brightest block, four neighbours.
    std::vector<unsigned char> seen(grid.values.size(), 0);
    std::vector<std::size_t> pending{std::size_t(top - grid.values.begin())};
    seen[pending.front()] = 1;
    int x0 = grid.width, x1 = -1, y0 = grid.height, y1 = -1;
    while (!pending.empty()) {
        const std::size_t at = pending.back();
        pending.pop_back();
        const int x = int(at % std::size_t(grid.width)), y = int(at / std::size_t(grid.width));
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
        const auto visit = [&](int nx, int ny) {
            if (nx < 0 || ny < 0 || nx >= grid.width || ny >= grid.height)
                return;
            const std::size_t n = std::size_t(ny) * std::size_t(grid.width) + std::size_t(nx);
            if (!seen[n] && grid.values[n] > level) {
                seen[n] = 1;
                pending.push_back(n);
            }
        };
        visit(x - 1, y);
        visit(x + 1, y);
        visit(x, y - 1);
        visit(x, y + 1);
    }
    const double b = grid.block;
    BeamBox box;
    box.cx = 0.5 * (x0 + x1 + 1) * b - 0.5;
    box.cy = 0.5 * (y0 + y1 + 1) * b - 0.5;
    box.halfX = LightReach * 0.5 * (x1 - x0 + 1) * b + 3;
    box.halfY = LightReach * 0.5 * (y1 - y0 + 1) * b + 3;
    return box;
}

Stripes findStripes(const float *values, int width, int height, const BeamBox &beam, double noise)
{
    const Assessment byColumn = assess(Lines{values, width, height, true}, beam, noise);
    const Assessment byRow = assess(Lines{values, width, height, false}, beam, noise);
    const bool columns = byColumn.score >= byRow.score;
    const Assessment &stronger = columns ? byColumn : byRow;
    Stripes stripes;
    if (!(stronger.score > 1))
        return stripes;
    stripes.direction = columns ? StripeDirection::Columns : StripeDirection::Rows;
    stripes.first = stronger.first;
    stripes.offsets = stronger.offsets;
    return stripes;
}

void subtractStripes(std::vector<float> &values, int width, int height, const Stripes &stripes)
{
    if (stripes.direction == StripeDirection::None)
        return;
    for (std::size_t k = 0; k < stripes.offsets.size(); ++k) {
        const int line = stripes.first + int(k);
        const float offset = static_cast<float>(stripes.offsets[k]);
        if (stripes.direction == StripeDirection::Columns)
            for (int y = 0; y < height; ++y)
                values[std::size_t(y) * std::size_t(width) + std::size_t(line)] -= offset;
        else
            for (float *v = values.data() + std::size_t(line) * std::size_t(width), *end = v + width; v != end; ++v)
                *v -= offset;
    }
}

} // namespace lumetra::beam::detail
