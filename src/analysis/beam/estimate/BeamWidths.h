#pragma once

#include "analysis/beam/estimate/AxisProfile.h"
#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/FlatTopFigures.h"
#include "analysis/beam/estimate/GaussianFit.h"

#include <optional>

namespace lumetra::beam {

// The widths and shape figures beyond D4σ that labs quote, all in pixels, each taken on the
// conditioned frame less the fitted dark level, inside the integration area of the D4σ
// measurement (see IntegrationArea). A figure that cannot be had is absent.
struct BeamWidths
{
    // Diameter of the circle about the centroid that holds 86.5 % of the power.
    std::optional<double> d86;
    // Knife-edge widths: 1.561 x the distance between the 10 % and 90 % points of the power
    // uncovered by a straight edge moving along x, y, the major and the minor axis (2w for a
    // Gaussian).
    std::optional<double> knifeX, knifeY, knifeMajor, knifeMinor;
    // Widths of the profiles through the centroid along the principal axes at 13.5 % (1/e²)
    // and 50 % of their maximum.
    std::optional<double> clipMajor, clipMinor, fwhmMajor, fwhmMinor;
    // The elliptical Gaussian fitted to the area.
    std::optional<GaussianFit> gauss;
    // ISO 13694 figures of a flat-top beam.
    FlatTopFigures iso;
    // The profiles the clip widths are read from (positions from the centroid along the axis).
    AxisProfile profileMajor, profileMinor;
    // The major axis the profiles follow, picture rows (y down); the minor is (-uy, ux).
    double ux = 1, uy = 0;
};

class IntegrationArea;

// The figures of the beam `result` over its integration area. All absent for an empty area.
BeamWidths widthsOver(const IntegrationArea &area, const BeamResult &result);

// The D4σ measurement and every width of one frame, all on the same conditioned frame (see
// measureBeam). widths is absent without a beam. A near-Gaussian beam (knife-edge and Gaussian
// fit agree within 10 %) whose D4σ differs from them by more than 10 % gets the warning
// estimators_disagree.
struct MeasuredBeam
{
    BeamResult result;
    std::optional<BeamWidths> widths;
};
MeasuredBeam measureBeamWithWidths(const BeamFrameView &frame, const BeamOptions &options = {},
                                   const BeamFrameView *dark = nullptr);
MeasuredBeam measureBeamWithWidths(const BeamFrame &frame, const BeamOptions &options = {},
                                   const BeamFrame *dark = nullptr);

// A Gaussian's 1/e² diameter 2w over the distance 1.2816 w between its 10 % and 90 % knife-edge
// points (2 x 1.2816 σ), rounded as labs quote it.
constexpr double KnifeEdgeFactor = 1.561;

} // namespace lumetra::beam
