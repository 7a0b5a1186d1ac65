#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamMoments.h"

#include <vector>

// The first stage of the beam measurement: the frame as every estimator reads it. The dark frame
// is subtracted, smear stripes through the beam are taken out, and the dark level and the pixel
// noise are measured in the four corners. The estimators (D4σ, the widths, the Gaussian fit, the
// flat-top figures) and the beam decision all read this one frame and its diagnostics; none of
// them goes back to the raw frame.
namespace lumetra::beam::detail {

// Dark level and noise from the four corner rectangles.
struct DarkLevel
{
    double mean = 0;           // mean of the four corners
    double deviation = 0;      // standard deviation within the corners, pooled: the pixel noise
    double spread = 0;         // how far the highest corner's mean lies above the mean
    double plainDeviation = 0; // standard deviation of all corner pixels about the mean
    double skewness = 0;       // of the pixel noise within the corners, pooled (Poisson counts: 1 / sqrt(mean))
    long long pixels = 0;
};

class ConditionedFrame
{
public:
    // Throws std::invalid_argument for a frame without samples, a dark frame of another size or
    // options out of range.
    ConditionedFrame(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark);
    ConditionedFrame(const ConditionedFrame &) = delete;
    ConditionedFrame &operator=(const ConditionedFrame &) = delete;

    // The conditioned samples (the caller's own when nothing had to be subtracted).
    const FrameView &view() const { return m_view; }
    int width() const { return m_view.width; }
    int height() const { return m_view.height; }
    double topValue() const { return m_topValue; }
    const DarkLevel &dark() const { return m_dark; }
    StripeCorrection stripes() const { return m_stripes; }
    // Highest raw value and the raw pixels at the top code.
    double peak() const { return m_peak; }
    long long saturatedPixels() const { return m_saturated; }
    // The conditioned frame averaged in cells of 2 x 2 pixels, and in blocks of 4 x 4 pixels
    // (frames under 64 pixels a side: 1 x 1, see blockAverages).
    const BlockGrid &cells() const { return m_cells; }
    const BlockGrid &blocks() const { return m_blocks; }

private:
    FrameView m_view;
    std::vector<float> m_copy; // the conditioned samples when they differ from the caller's
    DarkLevel m_dark;
    StripeCorrection m_stripes = StripeCorrection::None;
    void firstPass(const BeamFrameView &frame, const BeamFrameView *dark);
    void average();

    BlockGrid m_cells, m_blocks;
    double m_topValue = 255;
    double m_peak = 0;
    long long m_saturated = 0;
};

} // namespace lumetra::beam::detail
