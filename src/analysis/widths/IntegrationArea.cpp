#include "analysis/widths/IntegrationArea.h"

#include "analysis/beam/BeamMoments.h"
#include "analysis/beam/BeamShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumetra::beam {

using namespace detail;

namespace {

// As in measureBeam: the reported estimate integrates the inner two thirds of the mask
// rectangle, fits the dark level in the band out to the mask, and treats beams this round as
// round (a square along the frame's axes).
constexpr double InnerShare = 2.0 / 3.0;
constexpr double MinHalf = 1.5;

TurnedRect rectAround(const BeamResult &r, double sides, double theta)
{
    Shape s;
    s.cx = r.centroidX;
    s.cy = r.centroidY;
    s.dMajor = r.dMajor;
    s.dMinor = r.dMinor;
    s.theta = theta;
    return detail::rectAround(s, sides, MinHalf);
}

} // namespace

IntegrationArea::IntegrationArea(const BeamFrame &frame, const BeamResult &result, const BeamOptions &options,
                                 const BeamFrame *dark)
{
    const std::size_t count = std::size_t(std::max(0, frame.width)) * std::size_t(std::max(0, frame.height));
    if (result.status != BeamStatus::Ok || frame.values.size() != count || count == 0)
        return;
    const double theta = -result.phiDeg * std::numbers::pi / 180.0; // picture rows: y down
    m_cx = result.centroidX;
    m_cy = result.centroidY;
    m_ux = std::cos(theta);
    m_uy = std::sin(theta);

    std::vector<float> corrected;
    FrameView view{frame.values.data(), frame.width, frame.height};
    if (dark && dark->values.size() == count) {
        corrected.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            corrected[i] = frame.values[i] - dark->values[i];
        view.values = corrected.data();
    }

    const TurnedRect inner = rectAround(result, InnerShare * options.maskDiameters, theta);
    TurnedRect outer = rectAround(result, options.maskDiameters, theta);
    outer.halfU = std::max(outer.halfU, inner.halfU + 2);
    outer.halfV = std::max(outer.halfV, inner.halfV + 2);
    Plane plane;
    plane.a = result.background;
    fitBandPlane(view, outer, inner, plane);
    m_halfMajor = inner.halfU;
    m_halfMinor = inner.halfV;

    // The bounding box of the rows and columns the rectangle covers.
    int y0 = frame.height, y1 = -1, x0 = frame.width, x1 = -1;
    std::vector<int> firsts(std::size_t(frame.height)), lasts(std::size_t(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        int first, last;
        rowSpan(inner, y, frame.width, first, last);
        firsts[std::size_t(y)] = first;
        lasts[std::size_t(y)] = last;
        if (first > last)
            continue;
        y0 = std::min(y0, y);
        y1 = y;
        x0 = std::min(x0, first);
        x1 = std::max(x1, last);
    }
    if (y1 < y0 || x1 < x0)
        return;
    m_left = x0;
    m_top = y0;
    m_width = x1 - x0 + 1;
    m_height = y1 - y0 + 1;
    m_first.assign(firsts.begin() + y0, firsts.begin() + y1 + 1);
    m_last.assign(lasts.begin() + y0, lasts.begin() + y1 + 1);
    m_values.resize(std::size_t(m_width) * std::size_t(m_height));
    for (int y = y0; y <= y1; ++y) {
        const float *row = view.values + std::size_t(y) * std::size_t(frame.width);
        const double level0 = plane.a + plane.c * (y - plane.y0) - plane.b * plane.x0;
        float *out = m_values.data() + std::size_t(y - y0) * std::size_t(m_width);
        double sum = 0;
        for (int x = x0; x <= x1; ++x) {
            const float v = static_cast<float>(row[x] - (level0 + plane.b * x));
            out[x - x0] = v;
            if (x >= rowFirst(y) && x <= rowLast(y))
                sum += v;
        }
        m_power += sum;
        if (rowFirst(y) <= rowLast(y))
            m_pixels += rowLast(y) - rowFirst(y) + 1;
    }
}

bool IntegrationArea::inside(int x, int y) const
{
    if (y < m_top || y >= m_top + m_height)
        return false;
    return x >= rowFirst(y) && x <= rowLast(y);
}

double IntegrationArea::sample(double x, double y) const
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

} // namespace lumetra::beam
