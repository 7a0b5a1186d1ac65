#include "analysis/beam/BeamMeasurement.h"

#include "analysis/beam/BeamMoments.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace lumetra::beam {

using namespace detail;

namespace {

constexpr int MaxIterations = 25;
// The unclipped estimate integrates the inner part of the rectangle and fits the dark level in
// the band around it: for M = 3 the inner rectangle is 2 diameters on a side.
constexpr double InnerShare = 2.0 / 3.0;
// Above this relative difference between the two estimates the background dominates.
constexpr double WarningDifference = 0.10;
// Beyond this the local background fit is not trusted at all.
constexpr double TrustLimit = 0.25;
// How far (in standard deviations) the beam's power must stand out of the noise.
constexpr double PowerSignificance = 5.0;

struct Shape
{
    double cx = 0, cy = 0;
    double dMajor = 0, dMinor = 0, dX = 0, dY = 0;
    double theta = 0; // major axis, radians, picture rows (y down)
};

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

// The rectangle `sides` diameters on a side around the shape, at least minHalf pixels from
// the centre to each side.
TurnedRect rectAround(const Shape &s, double sides, double minHalf)
{
    TurnedRect r;
    r.cx = s.cx;
    r.cy = s.cy;
    r.theta = s.theta;
    r.halfU = std::max(minHalf, 0.5 * sides * s.dMajor);
    r.halfV = std::max(minHalf, 0.5 * sides * s.dMinor);
    return r;
}

bool settled(const Shape &a, const Shape &b)
{
    const double tolerance = std::max(0.01, 1e-4 * b.dMajor);
    return std::abs(a.cx - b.cx) <= tolerance && std::abs(a.cy - b.cy) <= tolerance &&
           std::abs(a.dMajor - b.dMajor) <= tolerance && std::abs(a.dMinor - b.dMinor) <= tolerance;
}

struct Estimate
{
    Moments moments;
    Shape shape;
    int iterations = 0;
    bool converged = false;
    bool valid = false;
};

struct Corners
{
    double mean = 0, deviation = 0;
    long long pixels = 0;
};

// Mean and standard deviation of the four corner rectangles, pooled.
Corners cornerStatistics(const FrameView &f, double fraction)
{
    const auto side = [fraction](int n) {
        const int k = static_cast<int>(std::floor(n * std::clamp(fraction, 0.0, 0.5)));
        return std::max(1, std::min(k, std::max(1, n / 2)));
    };
    const int cw = side(f.width), ch = side(f.height);
    const int xs[2] = {0, f.width - cw};
    const int ys[2] = {0, f.height - ch};
    double sum = 0, sumSq = 0;
    long long n = 0;
    for (int y0 : ys)
        for (int x0 : xs)
            for (int y = y0; y < y0 + ch; ++y)
                for (int x = x0; x < x0 + cw; ++x) {
                    const double v = f.at(x, y);
                    sum += v;
                    sumSq += v * v;
                    ++n;
                }
    Corners c;
    c.pixels = n;
    c.mean = sum / n;
    c.deviation = n > 1 ? std::sqrt(std::max(0.0, (sumSq - sum * c.mean) / (n - 1))) : 0.0;
    return c;
}

// ISO/TR 11146-3 with sub-threshold pixels set to 0: first over the whole frame, then inside
// the principal-axis rectangle of M diameters, until centroid and diameters settle.
Estimate clippedEstimate(const FrameView &f, const Corners &dark, double threshold, double sides)
{
    Estimate e;
    e.moments = clippedMoments(f, dark.mean, threshold, nullptr);
    if (!e.moments.usable())
        return e;
    e.valid = true;
    e.shape = shapeOf(e.moments);
    while (e.iterations < MaxIterations) {
        const TurnedRect area = rectAround(e.shape, sides, 1.0);
        const Moments m = clippedMoments(f, dark.mean, threshold, &area);
        ++e.iterations;
        if (!m.usable())
            break;
        const Shape next = shapeOf(m);
        const bool done = settled(e.shape, next);
        e.moments = m;
        e.shape = next;
        if (done) {
            e.converged = true;
            break;
        }
    }
    return e;
}

// Unclipped moments inside the inner rectangle, the dark level a plane fitted to the band
// between the inner and the outer rectangle, both re-placed on every round.
Estimate localEstimate(const FrameView &f, const Corners &dark, const Shape &start, double sides)
{
    Estimate e;
    e.shape = start;
    Plane flat;
    flat.a = dark.mean;
    while (e.iterations < MaxIterations) {
        const TurnedRect inner = rectAround(e.shape, InnerShare * sides, 1.5);
        TurnedRect outer = rectAround(e.shape, sides, 1.5);
        outer.halfU = std::max(outer.halfU, inner.halfU + 2);
        outer.halfV = std::max(outer.halfV, inner.halfV + 2);
        Plane plane = flat;
        fitBandPlane(f, outer, inner, plane);
        const Moments m = planeMoments(f, plane, inner);
        ++e.iterations;
        if (!m.usable()) {
            e.valid = false;
            return e;
        }
        const Shape next = shapeOf(m);
        const bool done = settled(e.shape, next);
        e.moments = m;
        e.shape = next;
        e.valid = true;
        if (done) {
            e.converged = true;
            break;
        }
    }
    return e;
}

double relativeDifference(double a, double reference)
{
    return reference > 0 ? std::abs(a - reference) / reference : (a > 0 ? 1.0 : 0.0);
}

// Does the power inside the clipped estimate's rectangle stand out of the noise? Counts the
// pixel noise and the uncertainty of the dark level taken from the corners.
bool powerStandsOut(const FrameView &f, const Corners &dark, const Estimate &clipped, double sides)
{
    Plane flat;
    flat.a = dark.mean;
    const Moments m = planeMoments(f, flat, rectAround(clipped.shape, sides, 1.0));
    const double n = static_cast<double>(m.pixels);
    const double noise = dark.deviation * std::sqrt(n + n * n / static_cast<double>(dark.pixels));
    return m.power > 0 && m.power > PowerSignificance * noise;
}

void fill(BeamResult &r, const Shape &s)
{
    r.centroidX = s.cx;
    r.centroidY = s.cy;
    r.dMajor = s.dMajor;
    r.dMinor = s.dMinor;
    r.dX = s.dX;
    r.dY = s.dY;
    double phi = -s.theta * 180.0 / std::numbers::pi; // on screen y points up
    if (phi <= -90.0)
        phi += 180.0;
    if (phi > 90.0)
        phi -= 180.0;
    r.phiDeg = phi == 0 ? 0.0 : phi;
    r.ellipticity = s.dMajor > 0 ? s.dMinor / s.dMajor : 0.0;
}

} // namespace

BeamResult measureBeam(const BeamFrame &frame, const BeamOptions &options, const BeamFrame *dark)
{
    BeamResult result;
    const std::size_t count = std::size_t(std::max(0, frame.width)) * std::size_t(std::max(0, frame.height));
    if (frame.width <= 0 || frame.height <= 0 || frame.values.size() != count)
        throw std::invalid_argument("the frame's size does not match its samples");
    if (dark && (dark->width != frame.width || dark->height != frame.height || dark->values.size() != count))
        throw std::invalid_argument("the dark frame is " + std::to_string(dark->width) + " x " +
                                    std::to_string(dark->height) + ", the frame " + std::to_string(frame.width) +
                                    " x " + std::to_string(frame.height));
    if (!(options.cornerFraction > 0 && options.cornerFraction <= 0.5) || !(options.noiseFactor >= 0) ||
        !(options.maskDiameters > 0))
        throw std::invalid_argument("corner fraction, noise factor or mask diameters out of range");

    float peak = frame.values.front();
    long long saturated = 0;
    const float top = static_cast<float>(frame.topValue) - 1e-3f;
    for (const float v : frame.values) {
        peak = std::max(peak, v);
        saturated += v >= top ? 1 : 0;
    }
    result.peak = peak;
    result.saturatedPixels = saturated;

    // The working copy: the frame less the dark frame, pixel by pixel.
    std::vector<float> corrected;
    FrameView view{frame.values.data(), frame.width, frame.height};
    if (dark) {
        corrected.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            corrected[i] = frame.values[i] - dark->values[i];
        view.values = corrected.data();
    }

    const Corners corners = cornerStatistics(view, options.cornerFraction);
    result.background = corners.mean;
    result.backgroundNoise = corners.deviation;
    const double threshold = options.noiseFactor * corners.deviation;

    const Estimate clipped = clippedEstimate(view, corners, threshold, options.maskDiameters);
    if (!clipped.valid || !powerStandsOut(view, corners, clipped, options.maskDiameters))
        return result; // nothing stands out of the noise

    const Estimate local = localEstimate(view, corners, clipped.shape, options.maskDiameters);
    const Shape &c = clipped.shape;
    double difference = 1.0;
    if (local.valid)
        difference = std::max(relativeDifference(local.shape.dMajor, c.dMajor),
                              relativeDifference(local.shape.dMinor, c.dMinor));
    result.status = BeamStatus::Ok;
    result.backgroundWarning = difference > WarningDifference;
    if (local.valid && difference <= TrustLimit) {
        fill(result, local.shape);
        result.iterations = clipped.iterations + local.iterations;
        result.converged = clipped.converged && local.converged;
    } else {
        fill(result, c);
        result.iterations = clipped.iterations;
        result.converged = clipped.converged;
    }
    return result;
}

} // namespace lumetra::beam
