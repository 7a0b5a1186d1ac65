#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/MeasurementArea.h"
#include "types/UninitialisedAllocator.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumetra::beam {

// The beam's integration area exactly as the reported D4σ estimate summed it in its last round:
// the same pixels of the same conditioned frame (dark frame and smear stripes taken out), less the
// same dark level. The figures beyond D4σ are taken from it.
class IntegrationArea
{
public:
    // Cuts `area` out of the conditioned frame; the principal axes are those of `result`. Empty
    // (valid() false) when the result has no beam or the area holds no pixel.
    IntegrationArea(const detail::FrameView &conditioned, const detail::MeasurementArea &area,
                    const BeamResult &result);

    bool valid() const { return m_width > 0 && m_height > 0; }

    // The bounding box of the area in frame pixels; value(x, y) holds the corrected frame for
    // every pixel of the box, inside(x, y) says whether the pixel belongs to the area.
    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    float value(int x, int y) const { return m_values[index(x, y)]; }
    // The box's values of frame row y, from column left() on.
    const float *row(int y) const { return m_values.data() + index(m_left, y); }
    bool inside(int x, int y) const;
    // Columns [first, last] of frame row y inside the area (first > last: none).
    int rowFirst(int y) const { return m_first[std::size_t(y - m_top)]; }
    int rowLast(int y) const { return m_last[std::size_t(y - m_top)]; }

    // The corrected frame at a point between pixel centres (bilinear), clamped to the box.
    double sample(double x, double y) const
    {
        const double fx = std::clamp(x, double(m_left), double(m_left + m_width - 1));
        const double fy = std::clamp(y, double(m_top), double(m_top + m_height - 1));
        const int ix = std::clamp(static_cast<int>(std::floor(fx)), m_left, std::max(m_left, m_left + m_width - 2));
        const int iy = std::clamp(static_cast<int>(std::floor(fy)), m_top, std::max(m_top, m_top + m_height - 2));
        const int jx = std::min(ix + 1, m_left + m_width - 1);
        const int jy = std::min(iy + 1, m_top + m_height - 1);
        const double ax = fx - ix, ay = fy - iy;
        const double top = value(ix, iy) * (1 - ax) + value(jx, iy) * ax;
        const double bottom = value(ix, jy) * (1 - ax) + value(jx, jy) * ax;
        return top * (1 - ay) + bottom * ay;
    }

    // Centroid and principal axes of the measurement: the major axis points along (ux, uy) in
    // picture rows (y down), the minor along (-uy, ux).
    double cx() const { return m_cx; }
    double cy() const { return m_cy; }
    double ux() const { return m_ux; }
    double uy() const { return m_uy; }
    // Half sides of the area's rectangle (its u and v sides; equal for a round beam's square).
    double halfMajor() const { return m_halfMajor; }
    double halfMinor() const { return m_halfMinor; }

    // Sum of the corrected values inside the area.
    double power() const { return m_power; }
    // Pixels inside the area.
    long long pixels() const { return m_pixels; }

private:
    std::size_t index(int x, int y) const
    {
        return std::size_t(y - m_top) * std::size_t(m_width) + std::size_t(x - m_left);
    }

    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    Samples m_values; // every sample of the box is written
    std::vector<int> m_first, m_last;
    double m_cx = 0, m_cy = 0, m_ux = 1, m_uy = 0;
    double m_halfMajor = 0, m_halfMinor = 0;
    double m_power = 0;
    long long m_pixels = 0;
};

} // namespace lumetra::beam
