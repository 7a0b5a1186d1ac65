#pragma once

#include "analysis/widths/AxisProfile.h"
#include "analysis/beam/BeamMeasurement.h"
#include "analysis/widths/FlatTopFigures.h"
#include "analysis/widths/GaussianFit.h"

#include <optional>

namespace lumetra::beam {

// The widths and shape figures beyond D4σ that labs quote, all in pixels, each taken on the
// frame less the dark frame and less the fitted dark level, inside the integration area of the
// D4σ measurement (see IntegrationArea). A figure that cannot be had is absent.
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

// The figures of the beam `result` (measureBeam's on the same frame, options and dark frame).
// All absent for a result without a beam.
BeamWidths measureWidths(const BeamFrame &frame, const BeamResult &result, const BeamOptions &options = {},
                         const BeamFrame *dark = nullptr);

// A Gaussian's 1/e² diameter 2w over the distance 1.2816 w between its 10 % and 90 % knife-edge
// points (2 x 1.2816 σ), rounded as labs quote it.
constexpr double KnifeEdgeFactor = 1.561;

} // namespace lumetra::beam
