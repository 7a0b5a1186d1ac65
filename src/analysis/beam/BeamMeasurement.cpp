#include "analysis/beam/BeamMeasurement.h"

#include "analysis/beam/condition/ConditionedFrame.h"
#include "analysis/beam/decide/BeamDecision.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "analysis/beam/estimate/IntegrationArea.h"
#include "analysis/beam/estimate/IsoEstimate.h"
#include "analysis/beam/estimate/RobustEstimate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// The measurement as one pipeline: condition (dark frame, smear stripes, dark level and noise),
// decide (is there a beam), estimate (D4σ, then every width on the same area of the same frame),
// report (the warnings).
namespace lumetra::beam {

using namespace detail;

namespace {

// Above this relative difference the estimators of a near-Gaussian beam disagree, and the ISO
// estimate differs from the robust one.
constexpr double WarningDifference = 0.10;

double relativeDifference(double a, double reference)
{
    return reference > 0 ? std::abs(a - reference) / reference : (a > 0 ? 1.0 : 0.0);
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

// A relative standard deviation of the diameters from the pixel noise above this is flagged.
constexpr double LowSignalNoise = 0.05;

struct Measured
{
    BeamResult result;
    MeasurementArea area;
    double diameterNoise = 0;
};

// The textbook procedure in place of the robust estimate: dark level and noise from all corner
// pixels, n_T of that noise for the first estimate. When its diameters and the robust ones
// differ by more than 10 %, the background dominates: the warning is set.
void measureIso(Measured &m, const ConditionedFrame &frame, const BeamOptions &options, const Shape &robust)
{
    BeamResult &result = m.result;
    const DarkLevel &dark = frame.dark();
    result.background = dark.mean;
    result.backgroundNoise = dark.plainDeviation;
    const IsoEstimate iso =
        isoEstimate(frame.view(), dark.mean, options.noiseFactor * dark.plainDeviation, options.maskDiameters);
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
    m.area.area = iso.area;
    m.area.level = Plane{};
    m.area.level.a = dark.mean;
    m.area.halfU = iso.area.halfU;
    m.area.halfV = iso.area.halfV;
    m.area.valid = true;
}

// Half extents of an area along x and y.
void extents(const TurnedRect &r, double &ex, double &ey)
{
    const double c = std::abs(std::cos(r.theta)), s = std::abs(std::sin(r.theta));
    if (r.inscribedEllipse) {
        ex = std::sqrt(r.halfU * r.halfU * c * c + r.halfV * r.halfV * s * s);
        ey = std::sqrt(r.halfU * r.halfU * s * s + r.halfV * r.halfV * c * c);
    } else {
        ex = r.halfU * c + r.halfV * s;
        ey = r.halfU * s + r.halfV * c;
    }
}

// The warnings a D4σ result carries by itself.
void flag(Measured &m, const ConditionedFrame &frame)
{
    BeamResult &r = m.result;
    if (r.status != BeamStatus::Ok)
        return;
    if (r.backgroundWarning)
        r.warnings.add(BeamWarning::BackgroundStructure);
    if (!r.converged)
        r.warnings.add(BeamWarning::NotConverged);
    if (r.saturatedPixels > 0)
        r.warnings.add(BeamWarning::Saturated);
    double ex = 0, ey = 0;
    extents(m.area.area, ex, ey);
    const double cx = m.area.area.cx, cy = m.area.area.cy;
    if (cx - ex < -0.5 || cy - ey < -0.5 || cx + ex > frame.width() - 0.5 || cy + ey > frame.height() - 0.5)
        r.warnings.add(BeamWarning::BeamClipped);
    if (r.dX > frame.width() || r.dY > frame.height())
        r.warnings.add(BeamWarning::LargerThanFrame);
    if (m.diameterNoise > LowSignalNoise)
        r.warnings.add(BeamWarning::LowSignal);
}

// A near-Gaussian beam (its knife-edge widths and its Gaussian fit agree within 10 %) whose D4σ
// diameters differ from either by more than 10 %.
void checkEstimators(BeamResult &r, const BeamWidths &w)
{
    if (!w.gauss || !w.knifeMajor || !w.knifeMinor)
        return;
    const double knife[2] = {*w.knifeMajor, *w.knifeMinor};
    const double gauss[2] = {w.gauss->major, w.gauss->minor};
    const double d4s[2] = {r.dMajor, r.dMinor};
    for (int k = 0; k < 2; ++k)
        if (relativeDifference(knife[k], gauss[k]) > WarningDifference)
            return;
    for (int k = 0; k < 2; ++k)
        if (relativeDifference(d4s[k], knife[k]) > WarningDifference ||
            relativeDifference(d4s[k], gauss[k]) > WarningDifference)
            r.warnings.add(BeamWarning::EstimatorsDisagree);
}

Measured measure(const ConditionedFrame &frame, const BeamOptions &options)
{
    Measured m;
    BeamResult &result = m.result;
    result.peak = frame.peak();
    result.saturatedPixels = frame.saturatedPixels();
    result.method = options.method;
    result.stripeCorrection = frame.stripes();
    result.background = frame.dark().mean;
    result.backgroundNoise = frame.dark().deviation;

    const BeamDecision decision = decideBeam(frame);
    if (!decision.beam)
        return m; // nothing stands out of the noise
    const RobustEstimate robust = robustEstimate(frame, options, decision);
    if (!robust.valid)
        return m;
    result.status = BeamStatus::Ok;
    result.backgroundWarning = robust.backgroundWarning;
    m.diameterNoise = robust.diameterNoise;
    if (options.method == BeamMethod::Iso) {
        measureIso(m, frame, options, robust.shape);
    } else {
        fill(result, robust.shape, robust.clipped.theta);
        result.iterations = robust.iterations;
        result.converged = robust.converged;
        m.area = robust.area;
    }
    flag(m, frame);
    return m;
}

BeamFrameView viewOf(const BeamFrame &f)
{
    const std::size_t count = std::size_t(std::max(0, f.width)) * std::size_t(std::max(0, f.height));
    // A frame whose samples do not fill its size is refused as having no samples.
    return BeamFrameView{f.values.size() == count ? f.values.data() : nullptr, f.width, f.height, f.topValue};
}

} // namespace

BeamResult measureBeam(const BeamFrame &frame, const BeamOptions &options, const BeamFrame *dark)
{
    const BeamFrameView darkView = dark ? viewOf(*dark) : BeamFrameView{};
    return measureBeam(viewOf(frame), options, dark ? &darkView : nullptr);
}

BeamResult measureBeam(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark)
{
    const ConditionedFrame conditioned(frame, options, dark);
    return measure(conditioned, options).result;
}

MeasuredBeam measureBeamWithWidths(const BeamFrame &frame, const BeamOptions &options, const BeamFrame *dark)
{
    const BeamFrameView darkView = dark ? viewOf(*dark) : BeamFrameView{};
    return measureBeamWithWidths(viewOf(frame), options, dark ? &darkView : nullptr);
}

MeasuredBeam measureBeamWithWidths(const BeamFrameView &frame, const BeamOptions &options, const BeamFrameView *dark)
{
    const ConditionedFrame conditioned(frame, options, dark);
    Measured m = measure(conditioned, options);
    MeasuredBeam out;
    if (m.result.status == BeamStatus::Ok) {
        const IntegrationArea area(conditioned.view(), m.area, m.result);
        out.widths = widthsOver(area, m.result);
        checkEstimators(m.result, *out.widths);
    }
    out.result = m.result;
    return out;
}

const char *methodName(BeamMethod method)
{
    return method == BeamMethod::Iso ? "iso" : "robust";
}

const char *stripeCorrectionName(StripeCorrection stripes)
{
    return stripes == StripeCorrection::Columns ? "columns" : stripes == StripeCorrection::Rows ? "rows" : "";
}

} // namespace lumetra::beam
