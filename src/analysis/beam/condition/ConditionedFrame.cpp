#include "analysis/beam/condition/ConditionedFrame.h"

#include "analysis/beam/condition/StripeCorrection.h"
#include "analysis/WideKernel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumetra::beam::detail {

namespace {

// The four corner rectangles. The noise is taken within each corner, so that a tilted or uneven
// dark level does not pass for noise; how uneven it is shows in the spread of the corner means.
DarkLevel cornerStatistics(const FrameView &f, double fraction)
{
    const auto side = [fraction](int n) {
        const int k = static_cast<int>(std::floor(n * std::clamp(fraction, 0.0, 0.5)));
        return std::max(1, std::min(k, std::max(1, n / 2)));
    };
    const int cw = side(f.width), ch = side(f.height);
    const int xs[2] = {0, f.width - cw};
    const int ys[2] = {0, f.height - ch};
    double means[4];
    double squares = 0, cubes = 0, total = 0, totalSquares = 0;
    int k = 0;
    for (int y0 : ys)
        for (int x0 : xs) {
            double sum = 0, sumSq = 0;
            for (int y = y0; y < y0 + ch; ++y)
                for (int x = x0; x < x0 + cw; ++x) {
                    const double v = f.at(x, y);
                    sum += v;
                    sumSq += v * v;
                }
            const double n = double(cw) * ch;
            const double mean = sum / n;
            means[k++] = mean;
            squares += std::max(0.0, sumSq - sum * sum / n);
            for (int y = y0; y < y0 + ch; ++y)
                for (int x = x0; x < x0 + cw; ++x) {
                    const double d = f.at(x, y) - mean;
                    cubes += d * d * d;
                }
            total += sum;
            totalSquares += sumSq;
        }
    DarkLevel c;
    c.pixels = 4LL * cw * ch;
    c.mean = total / double(c.pixels);
    c.deviation = c.pixels > 4 ? std::sqrt(squares / double(c.pixels - 4)) : 0.0;
    c.plainDeviation =
        std::sqrt(std::max(0.0, totalSquares - total * c.mean) / double(std::max<long long>(1, c.pixels - 1)));
    for (const double m : means)
        c.spread = std::max(c.spread, m - c.mean);
    if (c.deviation > 0)
        c.skewness = cubes / double(c.pixels) / (c.deviation * c.deviation * c.deviation);
    return c;
}

LUMETRA_WIDE_KERNEL
void scanRow(const float *v, float *peaks, std::int32_t *counts, std::size_t n, float top)
{
    for (std::size_t x = 0; x < n; ++x) {
        peaks[x] = v[x] > peaks[x] ? v[x] : peaks[x];
        counts[x] += v[x] >= top ? 1 : 0;
    }
}

// Two rows at once: their peaks and top-code counts kept for even and odd columns apart, and
// the cells of 2 x 2 pixels they make. Each row is read once.
LUMETRA_WIDE_KERNEL
void scanAndHalveRows(const float *__restrict a, const float *__restrict b, float *__restrict evenPeaks,
                      float *__restrict oddPeaks, std::int32_t *__restrict evenCounts,
                      std::int32_t *__restrict oddCounts, std::size_t cells, float top, float *__restrict out)
{
    for (std::size_t x = 0; x < cells; ++x) {
        const float a0 = a[2 * x], a1 = a[2 * x + 1], b0 = b[2 * x], b1 = b[2 * x + 1];
        const float pe = a0 > evenPeaks[x] ? a0 : evenPeaks[x];
        const float po = a1 > oddPeaks[x] ? a1 : oddPeaks[x];
        evenPeaks[x] = b0 > pe ? b0 : pe;
        oddPeaks[x] = b1 > po ? b1 : po;
        evenCounts[x] = evenCounts[x] + (a0 >= top) + (b0 >= top);
        oddCounts[x] = oddCounts[x] + (a1 >= top) + (b1 >= top);
        out[x] = 0.25f * ((a0 + a1) + (b0 + b1));
    }
}

LUMETRA_WIDE_KERNEL
void subtractRow(const float *raw, const float *dark, float *out, int n)
{
    for (int x = 0; x < n; ++x)
        out[x] = raw[x] - dark[x];
}

// Highest value and the pixels at the top code, kept for each column so that the loop over a
// row is one the compiler vectorises; a column's count cannot pass the frame's height. Rows
// taken in pairs keep their even and odd columns apart (the first `pairColumns` columns).
class PeakScan
{
public:
    PeakScan(const float *firstRow, int width, double topValue)
        : m_top(static_cast<float>(topValue) - 1e-3f), m_peaks(firstRow, firstRow + width),
          m_counts(std::size_t(width), 0), m_pairColumns(std::size_t(width / 2))
    {
        for (std::size_t x = 0; x < m_pairColumns; ++x) {
            m_peaks[x] = firstRow[2 * x];
            m_peaks[m_pairColumns + x] = firstRow[2 * x + 1];
        }
    }

    // A single row: its columns in the same places as a pair's.
    void add(const float *v)
    {
        const std::size_t n = m_pairColumns;
        m_single.resize(m_peaks.size());
        for (std::size_t x = 0; x < n; ++x) {
            m_single[x] = v[2 * x];
            m_single[n + x] = v[2 * x + 1];
        }
        std::copy(v + 2 * n, v + m_peaks.size(), m_single.begin() + std::ptrdiff_t(2 * n));
        scanRow(m_single.data(), m_peaks.data(), m_counts.data(), m_peaks.size(), m_top);
    }

    // Two rows, and their cells of 2 x 2 pixels into out.
    void addPair(const float *a, const float *b, float *out)
    {
        const std::size_t n = m_pairColumns;
        scanAndHalveRows(a, b, m_peaks.data(), m_peaks.data() + n, m_counts.data(), m_counts.data() + n, n, m_top, out);
        if (m_peaks.size() > 2 * n) { // the last column of an odd width
            const std::size_t last = m_peaks.size() - 1;
            scanRow(a + last, m_peaks.data() + last, m_counts.data() + last, 1, m_top);
            scanRow(b + last, m_peaks.data() + last, m_counts.data() + last, 1, m_top);
        }
    }

    double peak() const { return *std::max_element(m_peaks.begin(), m_peaks.end()); }
    long long saturated() const
    {
        long long total = 0;
        for (const std::int32_t c : m_counts)
            total += c;
        return total;
    }

private:
    float m_top;
    std::vector<float> m_peaks; // even columns, odd columns, the last of an odd width
    std::vector<std::int32_t> m_counts;
    std::size_t m_pairColumns;
    std::vector<float> m_single;
};

void checkArguments(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark)
{
    if (frame.width <= 0 || frame.height <= 0 || !frame.values)
        throw std::invalid_argument("the frame's size does not match its samples");
    if (dark && (dark->width != frame.width || dark->height != frame.height || !dark->values))
        throw std::invalid_argument("the dark frame is " + std::to_string(dark->width) + " x " +
                                    std::to_string(dark->height) + ", the frame " + std::to_string(frame.width) +
                                    " x " + std::to_string(frame.height));
    if (!(options.cornerFraction > 0 && options.cornerFraction <= 0.5) || !(options.noiseFactor >= 0) ||
        !(options.maskDiameters > 0))
        throw std::invalid_argument("corner fraction, noise factor or mask diameters out of range");
}

} // namespace

ConditionedFrame::ConditionedFrame(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark)
{
    checkArguments(frame, options, dark);
    m_topValue = frame.topValue;
    const std::size_t count = std::size_t(frame.width) * std::size_t(frame.height);
    m_view = FrameView{frame.values, frame.width, frame.height};
    firstPass(frame, dark);
    m_dark = cornerStatistics(m_view, options.cornerFraction);
    if (!options.correctStripes)
        return;
    const std::optional<BeamBox> box = lightBox(m_blocks, m_dark.mean);
    if (!box)
        return;
    const Stripes stripes = findStripes(m_view.values, frame.width, frame.height, *box, m_dark.deviation);
    if (stripes.direction == StripeDirection::None)
        return;
    if (m_copy.empty())
        m_copy.assign(frame.values, frame.values + count);
    subtractStripes(m_copy, frame.width, frame.height, stripes);
    m_view.values = m_copy.data();
    m_dark = cornerStatistics(m_view, options.cornerFraction);
    average();
    m_stripes = stripes.direction == StripeDirection::Columns ? StripeCorrection::Columns : StripeCorrection::Rows;
}

// The raw frame is read once, a pair of rows at a time: its peak and saturated pixels, the dark
// frame taken off (into the copy), and the cells and blocks of the result while its rows are in
// the cache.
void ConditionedFrame::firstPass(const BeamFrameView &frame, const BeamFrameView *dark)
{
    const int w = frame.width, h = frame.height;
    if (dark) {
        m_copy.resize(std::size_t(w) * std::size_t(h));
        m_view.values = m_copy.data();
    }
    const bool blocks = std::min(w, h) >= 64;
    m_cells = BlockGrid{2, w / 2, h / 2, {}};
    m_cells.values.resize(std::size_t(m_cells.width) * std::size_t(m_cells.height));
    if (blocks) {
        m_blocks = BlockGrid{4, m_cells.width / 2, m_cells.height / 2, {}};
        m_blocks.values.resize(std::size_t(m_blocks.width) * std::size_t(m_blocks.height));
    }
    PeakScan scan(frame.values, w, frame.topValue);
    const auto cellRow = [this](int y) { return m_cells.values.data() + std::size_t(y) * std::size_t(m_cells.width); };
    int y = 0;
    for (; y + 1 < h; y += 2) {
        const std::size_t at = std::size_t(y) * std::size_t(w);
        const float *raw = frame.values + at;
        float *cells = cellRow(y / 2);
        if (dark) {
            scan.add(raw);
            scan.add(raw + w);
            subtractRow(raw, dark->values + at, m_copy.data() + at, 2 * w);
            halveRow(m_copy.data() + at, m_copy.data() + at + w, m_cells.width, cells);
        } else {
            scan.addPair(raw, raw + w, cells);
        }
        if (blocks && y % 4 == 2)
            halveRow(cellRow(y / 2 - 1), cells, m_blocks.width,
                     m_blocks.values.data() + std::size_t(y / 4) * std::size_t(m_blocks.width));
    }
    if (y < h) { // the last row of an odd height
        const std::size_t at = std::size_t(y) * std::size_t(w);
        scan.add(frame.values + at);
        if (dark)
            subtractRow(frame.values + at, dark->values + at, m_copy.data() + at, w);
    }
    if (!blocks)
        m_blocks = blockAverages(m_view);
    m_peak = scan.peak();
    m_saturated = scan.saturated();
}

void ConditionedFrame::average()
{
    m_cells = halved(m_view.values, m_view.width, m_view.height, 1);
    m_blocks = std::min(m_view.width, m_view.height) >= 64
                   ? halved(m_cells.values.data(), m_cells.width, m_cells.height, m_cells.block)
                   : blockAverages(m_view);
}

} // namespace lumetra::beam::detail
