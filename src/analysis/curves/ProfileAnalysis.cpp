// The analysed profile of the current cut: nine lines averaged across the cut, then a centred
// moving average along it, and the range of the result.
#include "analysis/curves/ProfileAnalysis.h"
#include "types/Rounding.h"
#include "types/WorkspaceRaster.h"

#include <algorithm>
#include <array>

namespace lumetra::profile {

namespace {

constexpr int HorizontalSamples = WorkspaceRasterWidth;
constexpr int VerticalSamples = WorkspaceRasterHeight;

// The working copy of a profile, samples 0..L. A vertical profile is stored in 16-bit integers,
// so every value written to it is rounded half to even at once and later sums read the rounded
// values; a horizontal one keeps its fractions.
class Profile
{
public:
    Profile(int samples, bool roundEachStore) : m_last(samples), m_round(roundEachStore) {}

    int last() const { return m_last; }
    double operator[](int i) const { return m_values[static_cast<size_t>(i)]; }
    void store(int i, double v) { m_values[static_cast<size_t>(i)] = m_round ? rounding::halfEven(v) : v; }
    double *data() { return m_values.data(); }

private:
    std::array<double, HorizontalSamples + 1> m_values{};
    int m_last;
    bool m_round;
};

// P(i) = (P(i) + sum over k = 1..n of (P(i+k) + P(i-k))) / (2n + 1), in place for
// i = n+1 .. L-n ascending, so the samples below i are already smoothed when they are read.
void smoothInterior(Profile &p, int n)
{
    const double divisor = 2.0 * n + 1.0;
    const double *v = p.data();
    for (int i = n + 1; i <= p.last() - n; ++i) {
        double sum = v[i];
        for (int k = 1; k <= n; ++k)
            sum += v[i + k] + v[i - k];
        p.store(i, sum / divisor);
    }
}

// The edges: P(i) becomes the mean of the 2n+1 samples at that end over their current contents,
// summed from the lowest index up. For i = first..first+n-1 the window is from..from+2n. Only
// samples below i have changed since the previous i, so the running sum over the changed part
// continues from one i to the next; the sum continues over the unchanged samples from there.
// This adds the same values in the same order as summing the whole window afresh.
void smoothEdge(Profile &p, int n, int first, int from)
{
    const double divisor = 2.0 * n + 1.0;
    const double *v = p.data();
    const int to = from + 2 * n;
    // Samples from..first-1 lie before the changing part and stay as they are during this pass.
    double prefix = 0.0;
    bool started = false;
    for (int j = from; j < first; ++j) {
        prefix = started ? prefix + v[j] : v[j];
        started = true;
    }
    for (int i = first; i < first + n; ++i) {
        double sum = prefix;
        bool sumStarted = started;
        for (int j = i; j <= to; ++j) {
            sum = sumStarted ? sum + v[j] : v[j];
            sumStarted = true;
        }
        p.store(i, sum / divisor);
        prefix = started ? prefix + v[i] : v[i];
        started = true;
    }
}

// The samples along the cut: a fitted picture ends before the raster does, and its extremes are
// the picture's.
int sampleCount(const AnalysisState &state, bool horizontal)
{
    const int full = horizontal ? HorizontalSamples : VerticalSamples;
    const int extent = horizontal ? state.picture.PictureExtentX : state.picture.PictureExtentY;
    return extent < full ? extent - 1 : full;
}

} // namespace

int SmoothingHalfWidth(const AnalysisState &state)
{
    // The smoothing window must fit the profile: N = 0 .. (L - 1) / 2.
    const int samples = sampleCount(state, state.cut.CutOrientation == 1);
    return static_cast<int>(
        rounding::halfEven(std::clamp(state.cut.IntegrationWidth, 0.0, static_cast<double>((samples - 1) / 2))));
}

void AnalyseProfile(AnalysisState &state)
{
    if (!state.cut.Active)
        return;
    const bool horizontal = state.cut.CutOrientation == 1;
    if (!horizontal && state.cut.CutOrientation != 2)
        return;
    const int samples = sampleCount(state, horizontal);
    const int across = horizontal ? VerticalSamples : HorizontalSamples; // lines across the cut
    // A cut outside the picture is not a valid state; the band would be empty.
    const int c = static_cast<int>(rounding::halfEven(state.cut.CutPosition));
    if (c < 0 || c > across)
        return;
    const int n = SmoothingHalfWidth(state);

    // Band of nine lines around the cut, cut off at the picture's edges; line 0 holds zeros and
    // counts like any other.
    const int firstLine = std::max(c - 4, 0);
    const int lastLine = std::min(c + 4, across);
    const double count = lastLine - firstLine + 1;

    Profile p(samples, !horizontal);
    if (horizontal) {
        std::array<int, HorizontalSamples + 1> sums{};
        for (int line = firstLine; line <= lastLine; ++line) {
            const int *row = state.picture.GreyMap.row(line);
            for (int i = 1; i <= samples; ++i)
                sums[static_cast<size_t>(i)] += row[i];
        }
        for (int i = 1; i <= samples; ++i)
            p.store(i, sums[static_cast<size_t>(i)] / count);
    } else {
        for (int i = 1; i <= samples; ++i) {
            const int *row = state.picture.GreyMap.row(i);
            int sum = 0;
            for (int line = firstLine; line <= lastLine; ++line)
                sum += row[line];
            p.store(i, sum / count);
        }
    }

    if (n > 0) {
        smoothInterior(p, n);
        smoothEdge(p, n, 1, 1);
        smoothEdge(p, n, samples - n + 1, samples - 2 * n);
    }

    for (int i = 1; i <= samples; ++i) {
        const double v = p[i];
        if (v < state.picture.GreyMin && v != 0)
            state.picture.GreyMin = v;
        if (v > state.picture.GreyMax)
            state.picture.GreyMax = v;
        if (horizontal)
            state.cut.ProfileH[static_cast<size_t>(i)] = v;
        else
            state.cut.ProfileV[static_cast<size_t>(i)] = static_cast<int16_t>(v);
    }
}

namespace {

// Runs `take` over the current profile from sample 2 on, seeded with sample 1; the working value
// is a 16-bit integer, so a fractional sample is rounded half to even when it is taken.
template <typename Take> bool profileExtreme(const AnalysisState &state, Take take, int16_t &result)
{
    const bool horizontal = state.cut.CutOrientation == 1;
    if (!horizontal && state.cut.CutOrientation != 2)
        return false;
    // A fitted picture ends before the raster does: its extremes are the picture's.
    const int full = horizontal ? HorizontalSamples : VerticalSamples;
    const int extent = horizontal ? state.picture.PictureExtentX : state.picture.PictureExtentY;
    const int samples = extent < full ? extent - 1 : full;
    const auto value = [&](int i) {
        return horizontal ? state.cut.ProfileH[static_cast<size_t>(i)]
                          : static_cast<double>(state.cut.ProfileV[static_cast<size_t>(i)]);
    };
    int16_t working = rounding::toInt16(value(1));
    for (int i = 2; i <= samples; ++i) {
        const double v = value(i);
        if (take(v, working))
            working = rounding::toInt16(v);
    }
    result = working;
    return true;
}

} // namespace

void FindProfileMin(AnalysisState &state)
{
    int16_t result = 0;
    if (profileExtreme(
            state, [](double v, int16_t working) { return v < working && v != 0; }, result))
        state.cut.ProfileMin = result;
}

void FindProfileMax(AnalysisState &state)
{
    int16_t result = 0;
    if (profileExtreme(
            state, [](double v, int16_t working) { return v > working; }, result))
        state.cut.ProfileMax = result;
}

} // namespace lumetra::profile
