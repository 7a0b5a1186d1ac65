#include "analysis/beam/estimate/IntegrationArea.h"


#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumetra::beam {

using namespace detail;

IntegrationArea::IntegrationArea(const FrameView &view, const MeasurementArea &measured, const BeamResult &result)
{
    if (result.status != BeamStatus::Ok || !measured.valid || !view.values)
        return;
    const double theta = -result.phiDeg * std::numbers::pi / 180.0; // picture rows: y down
    m_cx = result.centroidX;
    m_cy = result.centroidY;
    m_ux = std::cos(theta);
    m_uy = std::sin(theta);
    m_halfMajor = measured.halfU;
    m_halfMinor = measured.halfV;
    const Plane &plane = measured.level;

    // The bounding box of the rows and columns the area covers.
    int y0 = view.height, y1 = -1, x0 = view.width, x1 = -1;
    std::vector<int> firsts(std::size_t(view.height)), lasts(std::size_t(view.height));
    int rowsFrom, rowsTo;
    rowRange(&measured.area, view.height, rowsFrom, rowsTo);
    const RowSpans spans(measured.area, view.width);
    for (int y = rowsFrom; y <= rowsTo; ++y) {
        int first, last;
        spans.at(y, first, last);
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
        const float *row = view.values + std::size_t(y) * std::size_t(view.width);
        // The level along the row as the moments subtract it: level0 + b x.
        const auto level0 = static_cast<float>(plane.a + plane.c * (y - plane.y0) - plane.b * plane.x0);
        const auto slope = static_cast<float>(plane.b);
        float *out = m_values.data() + std::size_t(y - y0) * std::size_t(m_width);
        for (int x = x0; x <= x1; ++x)
            out[x - x0] = row[x] - (level0 + slope * static_cast<float>(x));
        double sum = 0;
        for (int x = rowFirst(y); x <= rowLast(y); ++x)
            sum += out[x - x0];
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

} // namespace lumetra::beam
