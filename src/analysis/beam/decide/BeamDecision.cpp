#include "analysis/beam/decide/BeamDecision.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

namespace lumetra::beam::detail {

namespace {

constexpr int CentreCells = 2;       // the centre window, cells a side
constexpr int RingReach = 2;         // the ring reaches this many cells beyond it on every side
constexpr int WindowCells = CentreCells + 2 * RingReach;
constexpr double TailAllowance = 1.0; // noise deviations added to the Gaussian threshold
constexpr double MaxSkewness = 2.0;   // of the pixel noise, as the threshold takes it into account
constexpr int Phases = 4;             // the smallest cells start at pixel 0 or 1 along x and y
constexpr int MaxCandidates = 64;     // tried on the pixels, strongest first
constexpr int MaxSamples = 8192;      // positions the noise of a scale is estimated from
constexpr int MinSamples = 64;
constexpr int MaxHitPixels = 6;      // a hit: at most this many bright pixels together ...
constexpr double HitRest = 2.5;      // ... the pixels around which hold no more than this many
constexpr double HitContrast = 0.1;  // deviations of their sum, or a tenth of the hit's light a pixel ...
constexpr double HitLight = 25.0;     // ... which stands this many pixel deviations out of the noise
constexpr int MaxHits = 8;           // hits taken out of one window

// The statistic at every position of a grid whose window lies in it: index (y, x) of the window's
// top-left cell, as centre mean less ring mean.
struct Responses
{
    int width = 0, height = 0; // positions
    std::vector<float> values;
    float at(int x, int y) const { return values[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

Responses respond(const BlockGrid &g)
{
    Responses r;
    r.width = g.width - WindowCells + 1;
    r.height = g.height - WindowCells + 1;
    if (r.width <= 0 || r.height <= 0)
        return r;
    // Sums along the rows: over the centre's two cells and over the window's six.
    const std::size_t rows = std::size_t(r.width) * std::size_t(g.height);
    const std::unique_ptr<float[]> twoRows(new float[rows]), sixRows(new float[rows]);
    float *const two = twoRows.get(), *const six = sixRows.get();
    for (int y = 0; y < g.height; ++y) {
        const float *row = g.values.data() + std::size_t(y) * std::size_t(g.width);
        float *t = two + std::size_t(y) * std::size_t(r.width);
        float *s = six + std::size_t(y) * std::size_t(r.width);
        for (int x = 0; x < r.width; ++x) {
            const float *w = row + x;
            t[x] = w[2] + w[3];
            s[x] = (w[0] + w[1]) + (w[2] + w[3]) + (w[4] + w[5]);
        }
    }
    constexpr float centreCells = CentreCells * CentreCells;
    constexpr float ringCells = WindowCells * WindowCells - centreCells;
    r.values.resize(std::size_t(r.width) * std::size_t(r.height));
    for (int y = 0; y < r.height; ++y) {
        const auto rowOf = [&](const float *v, int k) { return v + std::size_t(y + k) * std::size_t(r.width); };
        const float *t0 = rowOf(two, 2), *t1 = rowOf(two, 3);
        const float *s0 = rowOf(six, 0), *s1 = rowOf(six, 1), *s2 = rowOf(six, 2), *s3 = rowOf(six, 3),
                    *s4 = rowOf(six, 4), *s5 = rowOf(six, 5);
        float *out = r.values.data() + std::size_t(y) * std::size_t(r.width);
        for (int x = 0; x < r.width; ++x) {
            const float centre = t0[x] + t1[x];
            const float window = (s0[x] + s1[x]) + (s2[x] + s3[x]) + (s4[x] + s5[x]);
            out[x] = centre / centreCells - (window - centre) / ringCells;
        }
    }
    return r;
}

// The statistic's spread over positions more than a window from the strongest one (at most
// MaxSamples of them, evenly spread); 0 when too few remain.
double robustSpread(const Responses &r)
{
    const auto strongest = std::max_element(r.values.begin(), r.values.end());
    const long long at = strongest - r.values.begin();
    const int sx = int(at % r.width), sy = int(at / r.width);
    const long long positions = (long long)r.width * r.height;
    const int stride = std::max(1, int(std::sqrt(double(positions) / MaxSamples)));
    std::vector<float> magnitudes;
    for (int y = 0; y < r.height; y += stride)
        for (int x = 0; x < r.width; x += stride)
            if (std::abs(x - sx) > WindowCells || std::abs(y - sy) > WindowCells)
                magnitudes.push_back(std::abs(r.at(x, y)));
    if (int(magnitudes.size()) < MinSamples)
        return 0;
    auto middle = magnitudes.begin() + std::ptrdiff_t(magnitudes.size() / 2);
    std::nth_element(magnitudes.begin(), middle, magnitudes.end());
    return 1.4826 * *middle;
}

// z with a one-sided Gaussian tail probability p (p < 0.5), by bisection.
double gaussianQuantile(double p)
{
    double lo = 0, hi = 40;
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (lo + hi);
        (0.5 * std::erfc(mid / std::numbers::sqrt2) > p ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

struct Candidate
{
    double z = 0;
    int x0 = 0, y0 = 0; // top-left pixel of the centre window
    int side = 0;       // centre window, pixels
    double noise = 0;   // the statistic's noise at its scale
    double threshold = 0; // and the threshold there
    double centre = 0, ring = 0; // the means of the centre window and of the ring
};

// Local maxima of the statistic above the threshold.
void collectCandidates(const BlockGrid &g, const Responses &r, double noise, double threshold, int ox, int oy,
                       std::vector<Candidate> &out)
{
    const int cell = g.block;
    const float limit = static_cast<float>(threshold * noise);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const float v = r.at(x, y);
            if (!(v >= limit))
                continue;
            bool peak = true;
            for (int dy = -1; dy <= 1 && peak; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx || dy) && nx >= 0 && ny >= 0 && nx < r.width && ny < r.height) {
                        const float n = r.at(nx, ny);
                        // Ties go to the first position in reading order.
                        if (n > v || (n == v && (dy < 0 || (dy == 0 && dx < 0)))) {
                            peak = false;
                            break;
                        }
                    }
                }
            if (!peak)
                continue;
            const auto at = [&](int cx, int cy) {
                return double(g.values[std::size_t(y + RingReach + cy) * std::size_t(g.width) +
                                       std::size_t(x + RingReach + cx)]);
            };
            const double centre = 0.25 * (at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1));
            out.push_back({v / noise, (x + RingReach) * cell + ox, (y + RingReach) * cell + oy, CentreCells * cell,
                           noise, threshold, centre, centre - v});
        }
}

// The frame's pixel held to the brightest of its eight neighbours.
float despiked(const FrameView &f, int x, int y)
{
    float brightest = -std::numeric_limits<float>::infinity();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if ((dx || dy) && nx >= 0 && ny >= 0 && nx < f.width && ny < f.height)
                brightest = std::max(brightest, f.at(nx, ny));
        }
    return std::min(f.at(x, y), brightest);
}

// A pixel of the centre window that stands this many pixel deviations above the ring is looked at
// as a possible spike.
constexpr double SpikeFloor = 4.0;

struct Bright
{
    int x, y;
    double value; // despiked
};

// The candidate's statistic with every pixel of the centre window held to the brightest of its
// neighbours (hot pixels of any brightness drop out); bright receives the window's pixels above
// SpikeFloor, despiked, brightest first.
double despikedStatistic(const FrameView &f, const Candidate &c, double pixelNoise, std::vector<Bright> &bright)
{
    const auto floor = static_cast<float>(c.ring + SpikeFloor * pixelNoise);
    double excess = 0;
    bright.clear();
    for (int y = c.y0; y < c.y0 + c.side; ++y) {
        const float *row = f.values + std::size_t(y) * std::size_t(f.width);
        for (int x = c.x0; x < c.x0 + c.side; ++x) {
            if (!(row[x] > floor))
                continue;
            const float d = despiked(f, x, y);
            excess += row[x] - d;
            bright.push_back({x, y, d});
        }
    }
    std::sort(bright.begin(), bright.end(), [](const Bright &a, const Bright &b) { return a.value > b.value; });
    const double centrePixels = double(c.side) * c.side;
    return (c.centre - excess / centrePixels - c.ring) / c.noise;
}

// The light of the hits in the centre window. A hit: the pixels above SpikeFloor joined to the
// brightest one left (touching, diagonals too) are at most MaxHitPixels, their light stands
// clearly out of the noise, and the pixels around them hold no more than 2.5 deviations of their
// noise, or a tenth of the hit's light a pixel each (a spot of D4σ 4 px keeps a fifth of its
// core's brightness in the pixels around it, and a bright one has more than six pixels above the
// floor). Its pixels
// are then left out and the next brightest is tried, up to MaxHits times.
double hitLight(const FrameView &f, const Candidate &c, double pixelNoise, const std::vector<Bright> &bright)
{
    using Pixel = std::pair<int, int>;
    std::vector<Pixel> removed;
    const auto isRemoved = [&](const Pixel &p) { return std::find(removed.begin(), removed.end(), p) != removed.end(); };
    const auto inFrame = [&](const Pixel &p) {
        return p.first >= 0 && p.second >= 0 && p.first < f.width && p.second < f.height;
    };
    const double floor = c.ring + SpikeFloor * pixelNoise;
    double total = 0;
    auto next = bright.begin();
    for (int hit = 0; hit < MaxHits; ++hit) {
        while (next != bright.end() && isRemoved({next->x, next->y}))
            ++next;
        if (next == bright.end())
            break;
        std::vector<Pixel> cluster{{next->x, next->y}};
        for (std::size_t i = 0; i < cluster.size() && cluster.size() <= std::size_t(MaxHitPixels); ++i)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const Pixel p{cluster[i].first + dx, cluster[i].second + dy};
                    if (inFrame(p) && f.at(p.first, p.second) > floor && !isRemoved(p) &&
                        std::find(cluster.begin(), cluster.end(), p) == cluster.end())
                        cluster.push_back(p);
                }
        if (cluster.size() > std::size_t(MaxHitPixels))
            break; // too large for a hit
        double light = 0, inWindow = 0, around = 0;
        std::vector<Pixel> seen = cluster;
        for (const Pixel &q : cluster) {
            const double v = f.at(q.first, q.second) - c.ring;
            light += v;
            if (q.first >= c.x0 && q.first < c.x0 + c.side && q.second >= c.y0 && q.second < c.y0 + c.side)
                inWindow += v;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const Pixel p{q.first + dx, q.second + dy};
                    if (!inFrame(p) || isRemoved(p) || std::find(seen.begin(), seen.end(), p) != seen.end())
                        continue;
                    seen.push_back(p);
                    around += f.at(p.first, p.second) - c.ring;
                }
        }
        const double aroundPixels = double(seen.size() - cluster.size());
        const double allowed = std::max(HitRest * pixelNoise * std::sqrt(aroundPixels),
                                        HitContrast * light / double(cluster.size()) * aroundPixels);
        if (!(light > HitLight * pixelNoise && around < allowed))
            break;
        removed.insert(removed.end(), cluster.begin(), cluster.end());
        total += inWindow;
    }
    return total;
}

} // namespace

namespace {

// A beam that stands far out of everything: the brightest block of 4 x 4 pixels lies this many
// thresholds of pixel noise (not of block noise) above the dark level and twice the corners'
// spread, and stays so without spikes and hits. Such a frame needs no search at every scale.
constexpr double ObviousMargin = 3.0;

// A frame too small for the search at any scale (under 12 pixels a side): a beam when its
// brightest pixel, held to its brightest neighbour, stands out of the noise by the threshold
// for as many positions as it has pixels.
BeamDecision &brightestPixel(const ConditionedFrame &frame, double pixelNoise, BeamDecision &d)
{
    const FrameView &f = frame.view();
    double best = -std::numeric_limits<double>::infinity();
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            best = std::max(best, double(despiked(f, x, y)));
    d.threshold = gaussianQuantile(FalseAlarmRate / (double(f.width) * f.height)) + TailAllowance;
    d.significance = (best - frame.dark().mean - frame.dark().spread) / pixelNoise;
    d.beam = d.significance >= d.threshold;
    d.cx = 0.5 * (f.width - 1);
    d.cy = 0.5 * (f.height - 1);
    d.side = std::max(f.width, f.height);
    return d;
}

bool obviousBeam(const ConditionedFrame &frame, double pixelNoise, double threshold, BeamDecision &d)
{
    const BlockGrid &blocks = frame.blocks();
    if (blocks.block != 4 || blocks.width < WindowCells || blocks.height < WindowCells)
        return false;
    const auto brightest = std::max_element(blocks.values.begin(), blocks.values.end());
    const DarkLevel &dark = frame.dark();
    const double level = dark.mean + 2 * dark.spread;
    if (!(*brightest - level > ObviousMargin * threshold * pixelNoise))
        return false;
    const long long at = brightest - blocks.values.begin();
    Candidate c;
    c.side = 2 * blocks.block;
    c.x0 = std::clamp(int(at % blocks.width) * blocks.block - blocks.block / 2, 0, frame.width() - c.side);
    c.y0 = std::clamp(int(at / blocks.width) * blocks.block - blocks.block / 2, 0, frame.height() - c.side);
    c.noise = pixelNoise;
    c.ring = level;
    double centre = 0;
    for (int y = c.y0; y < c.y0 + c.side; ++y)
        for (int x = c.x0; x < c.x0 + c.side; ++x)
            centre += frame.view().at(x, y);
    c.centre = centre / (double(c.side) * c.side);
    std::vector<Bright> bright;
    double z = despikedStatistic(frame.view(), c, pixelNoise, bright);
    z -= hitLight(frame.view(), c, pixelNoise, bright) / (double(c.side) * c.side) / c.noise;
    if (!(z > ObviousMargin * threshold))
        return false;
    d.beam = true;
    d.significance = z;
    // The whole frame is the beam's neighbourhood: its first estimate looks everywhere.
    d.cx = 0.5 * (frame.width() - 1);
    d.cy = 0.5 * (frame.height() - 1);
    d.side = std::max(frame.width(), frame.height());
    return true;
}

} // namespace

BeamDecision decideBeam(const ConditionedFrame &frame)
{
    BeamDecision d;
    const FrameView &f = frame.view();
    // The pixel noise, not below a ten-thousandth of full scale (a frame without noise; without a
    // top code, of the peak's height above the dark level).
    const double scale = std::isfinite(frame.topValue()) ? std::abs(frame.topValue())
                                                         : std::abs(frame.peak() - frame.dark().mean);
    const double pixelNoise = std::max({frame.dark().deviation, 1e-4 * scale, std::numeric_limits<double>::min()});
    // The statistic's noise for white pixel noise: centre and ring means of n and m pixels.
    const auto whiteNoise = [pixelNoise](int cell) {
        const double centre = double(CentreCells * CentreCells) * cell * cell;
        const double ring = double(WindowCells * WindowCells - CentreCells * CentreCells) * cell * cell;
        return pixelNoise * std::sqrt(1 / centre + 1 / ring);
    };

    // How many positions are tried at all scales (the smallest in four phases): the threshold
    // follows from it.
    long long positions = 0;
    for (int w = frame.cells().width, h = frame.cells().height; w >= WindowCells && h >= WindowCells; w /= 2, h /= 2)
        positions += (long long)(w - WindowCells + 1) * (h - WindowCells + 1) * (positions == 0 ? Phases : 1);
    if (positions == 0)
        return brightestPixel(frame, pixelNoise, d);
    // The Gaussian threshold, corrected for the skewness of the centre window's sum of pixels
    // (Cornish-Fisher), with TailAllowance to spare.
    const double z = gaussianQuantile(FalseAlarmRate / double(positions));
    const double skewness = std::clamp(frame.dark().skewness, 0.0, MaxSkewness);
    const auto thresholdAt = [&](int cell) {
        const double centrePixels = double(CentreCells * CentreCells) * cell * cell;
        return z + (z * z - 1) * skewness / (6 * std::sqrt(centrePixels)) + TailAllowance;
    };
    d.threshold = thresholdAt(2);
    if (obviousBeam(frame, pixelNoise, d.threshold, d))
        return d;

    std::vector<Candidate> candidates;
    double previous = 0;
    const auto search = [&](const BlockGrid &grid, int ox, int oy) {
        const Responses r = respond(grid);
        const double white = whiteNoise(grid.block);
        // Noise made of whole rows or columns (fixed pattern) falls by no more than 1 / sqrt(2)
        // a scale, and at coarse scales too few rows remain to tell its spread: it is not taken
        // to fall faster.
        const double floor = std::max(white, previous * std::numbers::sqrt2 * 0.5);
        const double noise = std::max(robustSpread(r), floor);
        d.significance = std::max(d.significance, *std::max_element(r.values.begin(), r.values.end()) / noise);
        collectCandidates(grid, r, noise, thresholdAt(grid.block), ox, oy, candidates);
        return noise;
    };
    // The smallest cells in their four phases: a beam of a few pixels lies well inside one
    // window of them wherever it sits.
    for (int phase = 1; phase < Phases; ++phase) {
        const int ox = phase & 1, oy = phase >> 1;
        search(halved(f.values + std::size_t(oy) * std::size_t(f.width) + std::size_t(ox), f.width - ox,
                      f.height - oy, 1, f.width),
               ox, oy);
    }
    BlockGrid coarser;
    for (const BlockGrid *grid = &frame.cells(); grid->width >= WindowCells && grid->height >= WindowCells;) {
        previous = search(*grid, 0, 0);
        coarser = halved(grid->values.data(), grid->width, grid->height, grid->block);
        grid = &coarser;
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) { return a.z > b.z; });
    std::vector<Bright> bright;
    for (std::size_t i = 0; i < candidates.size() && i < std::size_t(MaxCandidates); ++i) {
        const Candidate &c = candidates[i];
        double z = despikedStatistic(f, c, pixelNoise, bright);
        if (z < c.threshold)
            continue;
        // Without a hit in it, does the window still stand out?
        z -= hitLight(f, c, pixelNoise, bright) / (double(c.side) * c.side) / c.noise;
        if (z < c.threshold)
            continue;
        d.beam = true;
        d.significance = z;
        d.cx = c.x0 + 0.5 * c.side - 0.5;
        d.cy = c.y0 + 0.5 * c.side - 0.5;
        d.side = c.side;
        return d;
    }
    return d;
}

} // namespace lumetra::beam::detail
