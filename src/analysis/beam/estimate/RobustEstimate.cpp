#include "analysis/beam/estimate/RobustEstimate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumetra::beam::detail {

namespace {

constexpr int MaxIterations = 25;
// The unclipped estimate integrates the inner part of the rectangle and fits the dark level in
// the band around it: for M = 3 the inner rectangle is 2 diameters on a side.
constexpr double InnerShare = 2.0 / 3.0;
// Above this relative difference between the two estimates the background dominates.
constexpr double WarningDifference = 0.10;
// Beyond this the local background fit is not trusted at all.
constexpr double TrustLimit = 0.25;
// The unclipped moments are summed over the ellipse whose semi-axes are this share of the inner
// rectangle's half sides: 1.9 diameters across, 3.8 standard deviations of a Gaussian from its
// centre. The pixel noise of second moments grows with the cube of that size (and decides the
// diameters of small spots); what lies beyond is 0.3 % of a Gaussian's diameter.
constexpr double ApertureShare = 0.95;
// A difference between the two estimates up to this many standard deviations of what the pixel
// noise does to the local estimate is put down to the noise, not to the background.
constexpr double NoiseAllowance = 3.0;
// The band in which the dark level is fitted holds at least this many pixels (inside the frame).
constexpr double MinBandPixels = 2500;
// The first estimate looks this many centre windows of the decision's beam around it (and at
// least this many pixels).
constexpr double SearchWindows = 4.0;
constexpr double SearchPixels = 16.0;

struct Estimate
{
    Moments moments;
    Shape shape;
    int iterations = 0;
    bool converged = false;
    bool valid = false;
};

// Where to start: the moments of the blocks of 4 x 4 pixels around the beam the decision found,
// counting only blocks above half the brightest one there. The averaging keeps hot pixels and
// noise from standing out, the half-maximum cut keeps the noise of a large area out of the first
// diameters.
Estimate firstEstimate(const ConditionedFrame &frame, double threshold, const BeamDecision &decision)
{
    const BlockGrid &grid = frame.blocks();
    const int block = grid.block;
    const double offset = (block - 1) / 2.0;
    TurnedRect search;
    search.cx = (decision.cx - offset) / block;
    search.cy = (decision.cy - offset) / block;
    search.halfU = search.halfV = (SearchWindows * decision.side + SearchPixels) / block;
    float top = -std::numeric_limits<float>::infinity();
    const RowSpans searchSpans(search, grid.width);
    for (int y = 0; y < grid.height; ++y) {
        int first, last;
        searchSpans.at(y, first, last);
        for (int x = first; x <= last; ++x)
            top = std::max(top, grid.values[std::size_t(y) * std::size_t(grid.width) + std::size_t(x)]);
    }
    Estimate e;
    if (!std::isfinite(top))
        return e;
    const double dark = frame.dark().mean;
    const double cut = std::max(threshold / block, 0.5 * (top - dark));
    e.moments = clippedMoments(grid.view(), dark, cut, &search);
    if (!e.moments.usable())
        return e;
    Moments &m = e.moments;
    m.cx = m.cx * block + offset;
    m.cy = m.cy * block + offset;
    m.sxx *= block * block;
    m.syy *= block * block;
    m.sxy *= block * block;
    e.shape = shapeOf(m);
    e.valid = true;
    return e;
}

// Re-places the rectangle on the latest estimate and measures again until centroid and
// diameters settle. The pixels entering and leaving at the rectangle's edge can make the last
// two rounds alternate for good; such a pair is settled too, and its mean is the estimate.
// measure(shape) returns the moments inside the rectangle around shape.
template <typename Measure>
void iterate(Estimate &e, Measure measure)
{
    Estimate twoBack;
    while (e.iterations < MaxIterations) {
        const Moments m = measure(e.shape);
        ++e.iterations;
        if (!m.usable()) {
            e.valid = false;
            return;
        }
        const Shape next = shapeOf(m);
        if (settled(e.shape, next)) {
            e.moments = m;
            e.shape = next;
            e.converged = true;
            return;
        }
        if (twoBack.valid && settled(twoBack.shape, next)) {
            Moments mean = m;
            mean.cx = 0.5 * (m.cx + e.moments.cx);
            mean.cy = 0.5 * (m.cy + e.moments.cy);
            mean.sxx = 0.5 * (m.sxx + e.moments.sxx);
            mean.syy = 0.5 * (m.syy + e.moments.syy);
            mean.sxy = 0.5 * (m.sxy + e.moments.sxy);
            e.moments = mean;
            e.shape = shapeOf(mean);
            e.converged = true;
            return;
        }
        twoBack = e;
        e.moments = m;
        e.shape = next;
        e.valid = true;
    }
}

// ISO/TR 11146-3 with sub-threshold pixels set to 0 inside the principal-axis rectangle of M
// diameters, from the first estimate until centroid and diameters settle.
Estimate clippedEstimate(const ConditionedFrame &frame, double threshold, double sides, const BeamDecision &decision)
{
    const Estimate first = firstEstimate(frame, threshold, decision);
    if (!first.valid)
        return first;
    Estimate e = first;
    iterate(e, [&](const Shape &s) {
        const TurnedRect area = rectAround(s, sides, 1.0);
        return clippedMoments(frame.view(), frame.dark().mean, threshold, &area);
    });
    if (!e.valid) { // an empty rectangle: keep the first estimate
        const int rounds = e.iterations;
        e = first;
        e.iterations = rounds;
    }
    return e;
}

// The area of the unclipped moments: the ellipse inside the inner rectangle, its semi-axes
// ApertureShare of the rectangle's half sides.
TurnedRect aperture(const TurnedRect &inner)
{
    TurnedRect e = inner;
    e.halfU *= ApertureShare;
    e.halfV *= ApertureShare;
    e.inscribedEllipse = true;
    return e;
}

// The ellipse and the band-fitted level around a shape.
MeasurementArea localArea(const FrameView &f, double darkLevel, const Shape &s, double sides)
{
    MeasurementArea a;
    const TurnedRect inner = rectAround(s, InnerShare * sides, 1.5);
    const TurnedRect outer = bandAround(inner, rectAround(s, sides, 1.5));
    a.level.a = darkLevel;
    fitBandPlane(f, outer, inner, a.level);
    a.area = aperture(inner);
    a.halfU = inner.halfU;
    a.halfV = inner.halfV;
    a.valid = true;
    return a;
}

// Unclipped moments inside the inner rectangle's ellipse, the dark level a plane fitted to the
// band between the inner and the outer rectangle, both re-placed on every round. area receives
// those of the last round.
Estimate localEstimate(const ConditionedFrame &frame, const Estimate &start, double sides, MeasurementArea &area)
{
    Estimate e = start;
    e.iterations = 0;
    e.converged = false;
    iterate(e, [&](const Shape &s) {
        area = localArea(frame.view(), frame.dark().mean, s, sides);
        return planeMoments(frame.view(), area.level, area.area);
    });
    return e;
}

// How far the pixel noise alone moves the local estimate's diameters (relative standard
// deviations): the noise of the second-moment sums over the inner ellipse (semi-axes a, b along
// the principal axes) and that of the dark level fitted in the band, multiplied over the ellipse.
struct DiameterNoise
{
    double major = 0, minor = 0;
};

DiameterNoise diameterNoise(const Estimate &local, double sides, double pixelNoise)
{
    DiameterNoise n;
    const Shape &s = local.shape;
    const double power = local.moments.power;
    if (!(power > 0) || !(s.dMinor > 0))
        return n;
    const TurnedRect ellipse = aperture(rectAround(s, InnerShare * sides, 1.5));
    const double a = ellipse.halfU, b = ellipse.halfV;
    const double band = MinBandPixels;
    const auto relative = [&](double along, double across, double d) {
        // Sum of u^4 and of u^2 over the ellipse, u along the axis.
        const double u4 = std::numbers::pi * std::pow(along, 5) * across / 8;
        const double u2 = std::numbers::pi * std::pow(along, 3) * across / 4;
        const double variance = d * d / 16;
        const double sd = pixelNoise * std::sqrt(u4 + u2 * u2 / band) / power;
        return 0.5 * sd / variance; // a diameter goes with the square root of its variance
    };
    n.major = relative(a, b, s.dMajor);
    n.minor = relative(b, a, s.dMinor);
    return n;
}

double relativeDifference(double a, double reference)
{
    return reference > 0 ? std::abs(a - reference) / reference : (a > 0 ? 1.0 : 0.0);
}

} // namespace

TurnedRect bandAround(const TurnedRect &inner, TurnedRect outer)
{
    const double hu = inner.halfU, hv = inner.halfV;
    const double margin = std::max(2.0, 0.5 * (std::sqrt((hu + hv) * (hu + hv) + MinBandPixels) - (hu + hv)));
    outer.halfU = std::max(outer.halfU, hu + margin);
    outer.halfV = std::max(outer.halfV, hv + margin);
    return outer;
}

RobustEstimate robustEstimate(const ConditionedFrame &frame, const BeamOptions &options, const BeamDecision &decision)
{
    RobustEstimate r;
    const DarkLevel &dark = frame.dark();
    // Lit pixels stand n_T noise deviations above the brightest corner's dark level: on a flat
    // dark level that is ISO's n_T x sigma above the dark level.
    const double threshold = options.noiseFactor * dark.deviation + dark.spread;
    const Estimate clipped = clippedEstimate(frame, threshold, options.maskDiameters, decision);
    if (!clipped.valid)
        return r;

    MeasurementArea localArea_;
    const Estimate local = localEstimate(frame, clipped, options.maskDiameters, localArea_);
    const Shape &c = clipped.shape;
    double difference = 1.0;
    if (local.valid) {
        const DiameterNoise noise = diameterNoise(local, options.maskDiameters, dark.deviation);
        r.diameterNoise = std::max(noise.major, noise.minor);
        difference = std::max(relativeDifference(local.shape.dMajor, c.dMajor) - NoiseAllowance * noise.major,
                              relativeDifference(local.shape.dMinor, c.dMinor) - NoiseAllowance * noise.minor);
    }
    r.valid = true;
    r.clipped = c;
    r.backgroundWarning = difference > WarningDifference;
    const bool localTrusted = local.valid && difference <= TrustLimit;
    if (localTrusted) {
        r.shape = local.shape;
        r.iterations = clipped.iterations + local.iterations;
        r.converged = clipped.converged && local.converged;
        r.area = localArea_;
    } else {
        r.shape = c;
        r.iterations = clipped.iterations;
        r.converged = clipped.converged;
        r.area = localArea(frame.view(), dark.mean, c, options.maskDiameters);
    }
    return r;
}

} // namespace lumetra::beam::detail
