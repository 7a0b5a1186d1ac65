#include "analysis/beam/condition/ConditionedFrame.h"

#include "analysis/beam/condition/StripeCorrection.h"

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

// Highest value and the pixels at the top code, in eight lanes the compiler can vectorise.
void scanPeak(const BeamFrameView &frame, double &peak, long long &saturated)
{
    const float top = static_cast<float>(frame.topValue) - 1e-3f;
    const std::size_t n = std::size_t(frame.width) * std::size_t(frame.height);
    const float *v = frame.values;
    float peaks[8];
    std::int64_t counts[8] = {};
    std::fill(std::begin(peaks), std::end(peaks), v[0]);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (int k = 0; k < 8; ++k) {
            peaks[k] = v[i + k] > peaks[k] ? v[i + k] : peaks[k];
            counts[k] += v[i + k] >= top ? 1 : 0;
        }
    for (; i < n; ++i) {
        peaks[0] = std::max(peaks[0], v[i]);
        counts[0] += v[i] >= top ? 1 : 0;
    }
    peak = *std::max_element(std::begin(peaks), std::end(peaks));
    saturated = 0;
    for (const std::int64_t c : counts)
        saturated += c;
}

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
    scanPeak(frame, m_peak, m_saturated);
    const std::size_t count = std::size_t(frame.width) * std::size_t(frame.height);
    m_view = FrameView{frame.values, frame.width, frame.height};
    if (dark) {
        m_copy.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            m_copy[i] = frame.values[i] - dark->values[i];
        m_view.values = m_copy.data();
    }
    m_dark = cornerStatistics(m_view, options.cornerFraction);
    average();
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

void ConditionedFrame::average()
{
    m_cells = halved(m_view.values, m_view.width, m_view.height, 1);
    m_blocks = std::min(m_view.width, m_view.height) >= 64
                   ? halved(m_cells.values.data(), m_cells.width, m_cells.height, m_cells.block)
                   : blockAverages(m_view);
}

} // namespace lumetra::beam::detail
