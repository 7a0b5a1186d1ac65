#include "analysis/beam/estimate/IsoEstimate.h"

#include <algorithm>
#include <cmath>

namespace lumetra::beam::detail {

IsoEstimate isoEstimate(const FrameView &f, double darkLevel, double threshold, double sides)
{
    IsoEstimate e;
    const Moments first = clippedMoments(f, darkLevel, threshold, nullptr);
    if (!first.usable())
        return e;
    e.shape = shapeOf(first);
    e.valid = true;
    Plane level;
    level.a = darkLevel;
    while (e.iterations < IsoMaxIterations) {
        const Shape &s = e.shape;
        TurnedRect area;
        area.cx = s.cx;
        area.cy = s.cy;
        if (s.dMinor >= RoundEllipticity * s.dMajor) {
            // A circular beam's diameter is 2 sqrt(2) (sx^2 + sy^2)^(1/2); its rectangle is the
            // square of that along the frame's axes.
            area.halfU = area.halfV = std::max(1.0, 0.5 * sides * std::sqrt(0.5 * (s.dMajor * s.dMajor + s.dMinor * s.dMinor)));
        } else {
            area.theta = s.theta;
            area.halfU = std::max(1.0, 0.5 * sides * s.dMajor);
            area.halfV = std::max(1.0, 0.5 * sides * s.dMinor);
        }
        const Moments m = planeMoments(f, level, area);
        ++e.iterations;
        if (!m.usable())
            return e;
        e.area = area;
        const Shape next = shapeOf(m);
        const bool done = settled(e.shape, next);
        e.shape = next;
        if (done) {
            e.converged = true;
            return e;
        }
    }
    return e;
}

} // namespace lumetra::beam::detail
