#include "analysis/beam/estimate/BeamShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumetra::beam::detail {

TurnedRect rectAround(const Shape &s, double sides, double minHalf)
{
    TurnedRect r;
    r.cx = s.cx;
    r.cy = s.cy;
    const bool round = s.dMinor >= RoundEllipticity * s.dMajor;
    r.theta = round ? 0.0 : s.theta;
    r.halfU = std::max(minHalf, 0.5 * sides * s.dMajor);
    r.halfV = std::max(minHalf, 0.5 * sides * (round ? s.dMajor : s.dMinor));
    return r;
}

Shape shapeOf(const Moments &m)
{
    Shape s;
    s.cx = m.cx;
    s.cy = m.cy;
    const double sum = m.sxx + m.syy;
    const double root = std::sqrt((m.sxx - m.syy) * (m.sxx - m.syy) + 4 * m.sxy * m.sxy);
    s.dMajor = 2 * std::numbers::sqrt2 * std::sqrt(std::max(0.0, sum + root));
    s.dMinor = 2 * std::numbers::sqrt2 * std::sqrt(std::max(0.0, sum - root));
    s.dX = 4 * std::sqrt(std::max(0.0, m.sxx));
    s.dY = 4 * std::sqrt(std::max(0.0, m.syy));
    s.theta = 0.5 * std::atan2(2 * m.sxy, m.sxx - m.syy);
    return s;
}

bool settled(const Shape &a, const Shape &b)
{
    const double tolerance = std::max(0.05, 1e-3 * b.dMajor);
    return std::abs(a.cx - b.cx) <= tolerance && std::abs(a.cy - b.cy) <= tolerance &&
           std::abs(a.dMajor - b.dMajor) <= tolerance && std::abs(a.dMinor - b.dMinor) <= tolerance;
}

} // namespace lumetra::beam::detail
