#include "analysis/beam/BeamMeasurement.h"

#include "analysis/beam/BeamMoments.h"
#include "analysis/beam/BeamShape.h"
#include "analysis/beam/IsoEstimate.h"
#include "analysis/beam/StripeCorrection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
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
// How far (in standard deviations) the beam's power must stand out of the noise.
constexpr double PowerSignificance = 5.0;

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
    double mean = 0;      // dark level: mean of the four corners
    double deviation = 0; // pixel noise: standard deviation within the corners, pooled
    double spread = 0;    // how far the highest corner's mean lies above the dark level
    double plainDeviation = 0; // standard deviation of all corner pixels about the dark level
    long long pixels = 0;
};

// The four corner rectangles. The noise is taken within each corner, so that a tilted or uneven
// dark level does not pass for noise; how uneven it is shows in the spread of the corner means.
Corners cornerStatistics(const FrameView &f, double fraction)
{
    const auto side = [fraction](int n) {
        const int k = static_cast<int>(std::floor(n * std::clamp(fraction, 0.0, 0.5)));
        return std::max(1, std::min(k, std::max(1, n / 2)));
    };
    const int cw = side(f.width), ch = side(f.height);
    const int xs[2] = {0, f.width - cw};
    const int ys[2] = {0, f.height - ch};
    double means[4];
    double squares = 0, total = 0, totalSquares = 0;
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
            means[k++] = sum / n;
            squares += std::max(0.0, sumSq - sum * sum / n);
            total += sum;
            totalSquares += sumSq;
        }
    Corners c;
    c.pixels = 4LL * cw * ch;
    c.mean = total / double(c.pixels);
    c.deviation = c.pixels > 4 ? std::sqrt(squares / double(c.pixels - 4)) : 0.0;
    c.plainDeviation =
        std::sqrt(std::max(0.0, totalSquares - total * c.mean) / double(std::max<long long>(1, c.pixels - 1)));
    for (const double m : means)
        c.spread = std::max(c.spread, m - c.mean);
    return c;
}

// Where to start: the moments of the frame averaged in blocks of 4 x 4 pixels, counting only
// blocks above half the brightest one. The averaging keeps hot pixels and noise from standing
// out, the half-maximum cut keeps the noise of a large frame out of the first diameters.
Estimate firstEstimate(const FrameView &f, const Corners &dark, double threshold)
{
    const BlockGrid grid = blockAverages(f);
    const int block = grid.block;
    const float top = *std::max_element(grid.values.begin(), grid.values.end());
    const double cut = std::max(threshold / block, 0.5 * (top - dark.mean));
    Estimate e;
    e.moments = clippedMoments(grid.view(), dark.mean, cut, nullptr);
    if (!e.moments.usable())
        return e;
    Moments &m = e.moments;
    const double offset = (block - 1) / 2.0;
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
Estimate clippedEstimate(const FrameView &f, const Corners &dark, double threshold, double sides)
{
    const Estimate first = firstEstimate(f, dark, threshold);
    if (!first.valid)
        return first;
    Estimate e = first;
    iterate(e, [&](const Shape &s) {
        const TurnedRect area = rectAround(s, sides, 1.0);
        return clippedMoments(f, dark.mean, threshold, &area);
    });
    if (!e.valid) { // an empty rectangle: keep the first estimate
        const int rounds = e.iterations;
        e = first;
        e.iterations = rounds;
    }
    return e;
}

// The outer rectangle of the band in which the dark level is fitted around inner: outer, widened
// until the band holds at least MinBandPixels and is 2 pixels wide. Around a small spot the band
// between 2 and 3 diameters has too few pixels, and the error of its level, multiplied over the
// inner rectangle, would decide the diameters.
TurnedRect bandAround(const TurnedRect &inner, TurnedRect outer)
{
    const double hu = inner.halfU, hv = inner.halfV;
    const double margin = std::max(2.0, 0.5 * (std::sqrt((hu + hv) * (hu + hv) + MinBandPixels) - (hu + hv)));
    outer.halfU = std::max(outer.halfU, hu + margin);
    outer.halfV = std::max(outer.halfV, hv + margin);
    return outer;
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

// Unclipped moments inside the inner rectangle, the dark level a plane fitted to the band
// between the inner and the outer rectangle, both re-placed on every round.
Estimate localEstimate(const FrameView &f, const Corners &dark, const Estimate &start, double sides)
{
    Estimate e = start;
    e.iterations = 0;
    e.converged = false;
    iterate(e, [&](const Shape &s) {
        const TurnedRect inner = rectAround(s, InnerShare * sides, 1.5);
        const TurnedRect outer = bandAround(inner, rectAround(s, sides, 1.5));
        Plane plane;
        plane.a = dark.mean;
        fitBandPlane(f, outer, inner, plane);
        return planeMoments(f, plane, aperture(inner));
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

// Does the power inside the clipped estimate's rectangle stand out of the noise? The dark level
// is the plane fitted to a band around the rectangle (where stray light makes it differ from the
// corners'), else the corners' mean; counts the pixel noise and the uncertainty of that level.
bool powerStandsOut(const FrameView &f, const Corners &dark, const Estimate &clipped, double sides)
{
    const TurnedRect area = rectAround(clipped.shape, sides, 1.0);
    const TurnedRect outer = bandAround(area, area);
    Plane level;
    level.a = dark.mean;
    double levelPixels = static_cast<double>(dark.pixels);
    if (fitBandPlane(f, outer, area, level))
        levelPixels = std::min(MinBandPixels, 4 * (outer.halfU * outer.halfV - area.halfU * area.halfV));
    const Moments m = planeMoments(f, level, area);
    const double n = static_cast<double>(m.pixels);
    const double noise = dark.deviation * std::sqrt(n + n * n / levelPixels);
    return m.power > 0 && m.power > PowerSignificance * noise;
}

// The orientation comes from the clipped estimate: clipping drops the wings symmetrically, so
// it does not turn the axes, while the noise far out in the unclipped sums does (by degrees on
// small noisy beams).
void fill(BeamResult &r, const Shape &s, double theta)
{
    r.centroidX = s.cx;
    r.centroidY = s.cy;
    r.dMajor = s.dMajor;
    r.dMinor = s.dMinor;
    r.dX = s.dX;
    r.dY = s.dY;
    double phi = -theta * 180.0 / std::numbers::pi; // on screen y points up
    if (phi <= -90.0)
        phi += 180.0;
    if (phi > 90.0)
        phi -= 180.0;
    r.phiDeg = phi == 0 ? 0.0 : phi;
    r.ellipticity = s.dMajor > 0 ? s.dMinor / s.dMajor : 0.0;
}

// Highest value and the pixels at the top code, in eight lanes the compiler can vectorise.
void scanPeak(const BeamFrameView &frame, BeamResult &result)
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
    result.peak = *std::max_element(std::begin(peaks), std::end(peaks));
    result.saturatedPixels = 0;
    for (const std::int64_t c : counts)
        result.saturatedPixels += c;
}

// Stripes through the box of the beam's light (see lightBox).
Stripes findStripesAround(const FrameView &f, const Corners &corners)
{
    const std::optional<BeamBox> box = lightBox(blockAverages(f), corners.mean);
    if (!box)
        return {};
    return findStripes(f.values, f.width, f.height, *box, corners.deviation);
}

// The textbook procedure in place of the robust estimate: dark level and noise from all corner
// pixels, n_T of that noise for the first estimate. When its diameters and the robust ones
// (`robust`) differ by more than 10 %, the background dominates: the warning is set.
void measureIso(BeamResult &result, const FrameView &f, const Corners &corners, const BeamOptions &options,
                const Shape &robust)
{
    result.background = corners.mean;
    result.backgroundNoise = corners.plainDeviation;
    const IsoEstimate iso =
        isoEstimate(f, corners.mean, options.noiseFactor * corners.plainDeviation, options.maskDiameters);
    if (!iso.valid) { // nothing above the textbook's threshold: no beam by the textbook either
        result.status = BeamStatus::NoBeam;
        result.backgroundWarning = false;
        return;
    }
    fill(result, iso.shape, iso.shape.theta);
    result.iterations = iso.iterations;
    result.converged = iso.converged;
    result.backgroundWarning = result.backgroundWarning ||
                               std::max(relativeDifference(iso.shape.dMajor, robust.dMajor),
                                        relativeDifference(iso.shape.dMinor, robust.dMinor)) > WarningDifference;
}

} // namespace

BeamResult measureBeam(const BeamFrame &frame, const BeamOptions &options, const BeamFrame *dark)
{
    const auto viewOf = [](const BeamFrame &f) {
        const std::size_t count = std::size_t(std::max(0, f.width)) * std::size_t(std::max(0, f.height));
        // A frame whose samples do not fill its size is refused below as having no samples.
        return BeamFrameView{f.values.size() == count ? f.values.data() : nullptr, f.width, f.height,
                             f.topValue};
    };
    const BeamFrameView darkView = dark ? viewOf(*dark) : BeamFrameView{};
    return measureBeam(viewOf(frame), options, dark ? &darkView : nullptr);
}

namespace {
BeamResult measureUnflagged(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark);
}

BeamResult measureBeam(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark)
{
    BeamResult r = measureUnflagged(frame, options, dark);
    if (r.status == BeamStatus::Ok) {
        if (r.backgroundWarning)
            r.warnings.add(BeamWarning::BackgroundStructure);
        if (!r.converged)
            r.warnings.add(BeamWarning::NotConverged);
        if (r.saturatedPixels > 0)
            r.warnings.add(BeamWarning::Saturated);
    }
    return r;
}

namespace {
BeamResult measureUnflagged(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark)
{
    BeamResult result;
    const std::size_t count = std::size_t(std::max(0, frame.width)) * std::size_t(std::max(0, frame.height));
    if (frame.width <= 0 || frame.height <= 0 || !frame.values)
        throw std::invalid_argument("the frame's size does not match its samples");
    if (dark && (dark->width != frame.width || dark->height != frame.height || !dark->values))
        throw std::invalid_argument("the dark frame is " + std::to_string(dark->width) + " x " +
                                    std::to_string(dark->height) + ", the frame " + std::to_string(frame.width) +
                                    " x " + std::to_string(frame.height));
    if (!(options.cornerFraction > 0 && options.cornerFraction <= 0.5) || !(options.noiseFactor >= 0) ||
        !(options.maskDiameters > 0))
        throw std::invalid_argument("corner fraction, noise factor or mask diameters out of range");

    scanPeak(frame, result);

    // The working copy: the frame less the dark frame, pixel by pixel.
    std::vector<float> corrected;
    FrameView view{frame.values, frame.width, frame.height};
    if (dark) {
        corrected.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            corrected[i] = frame.values[i] - dark->values[i];
        view.values = corrected.data();
    }

    Corners corners = cornerStatistics(view, options.cornerFraction);
    if (options.correctStripes) {
        const Stripes stripes = findStripesAround(view, corners);
        if (stripes.direction != StripeDirection::None) {
            if (corrected.empty())
                corrected.assign(frame.values, frame.values + count);
            subtractStripes(corrected, frame.width, frame.height, stripes);
            view.values = corrected.data();
            corners = cornerStatistics(view, options.cornerFraction);
            result.stripeCorrection = stripes.direction == StripeDirection::Columns ? StripeCorrection::Columns
                                                                                    : StripeCorrection::Rows;
        }
    }
    result.method = options.method;
    result.background = corners.mean;
    result.backgroundNoise = corners.deviation;
    // Lit pixels stand n_T noise deviations above the brightest corner's dark level: on a flat
    // dark level that is ISO's n_T x sigma above the dark level.
    const double threshold = options.noiseFactor * corners.deviation + corners.spread;

    const Estimate clipped = clippedEstimate(view, corners, threshold, options.maskDiameters);
    if (!clipped.valid || !powerStandsOut(view, corners, clipped, options.maskDiameters))
        return result; // nothing stands out of the noise

    const Estimate local = localEstimate(view, corners, clipped, options.maskDiameters);
    const Shape &c = clipped.shape;
    double difference = 1.0;
    if (local.valid) {
        const DiameterNoise noise = diameterNoise(local, options.maskDiameters, corners.deviation);
        difference = std::max(relativeDifference(local.shape.dMajor, c.dMajor) - NoiseAllowance * noise.major,
                              relativeDifference(local.shape.dMinor, c.dMinor) - NoiseAllowance * noise.minor);
    }
    result.status = BeamStatus::Ok;
    result.backgroundWarning = difference > WarningDifference;
    const bool localTrusted = local.valid && difference <= TrustLimit;
    const Estimate &robust = localTrusted ? local : clipped;
    if (options.method == BeamMethod::Iso) {
        measureIso(result, view, corners, options, robust.shape);
        return result;
    }
    fill(result, robust.shape, c.theta);
    result.iterations = localTrusted ? clipped.iterations + local.iterations : clipped.iterations;
    result.converged = localTrusted ? clipped.converged && local.converged : clipped.converged;
    return result;
}
} // namespace

const char *methodName(BeamMethod method)
{
    return method == BeamMethod::Iso ? "iso" : "robust";
}

const char *stripeCorrectionName(StripeCorrection stripes)
{
    switch (stripes) {
    case StripeCorrection::Columns:
        return "columns";
    case StripeCorrection::Rows:
        return "rows";
    case StripeCorrection::None:
        break;
    }
    return "";
}

} // namespace lumetra::beam
