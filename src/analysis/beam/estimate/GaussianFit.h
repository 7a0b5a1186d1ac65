#pragma once

#include <optional>

namespace lumetra::beam {

class IntegrationArea;

// An elliptical Gaussian E(x, y) = offset + amplitude exp(-2 (u² / w_major² + v² / w_minor²)),
// u and v along its axes from the centre, fitted to a beam.
struct GaussianFit
{
    double x = 0, y = 0;           // centre, frame pixels
    double major = 0, minor = 0;   // 2w (1/e² diameters), pixels
    double phiDeg = 0;             // major axis as seen on screen (y up), (-90, 90]
    double amplitude = 0, offset = 0; // corrected frame units
    double r2 = 0;                 // goodness: 1 - residual / total sum of squares of the fitted points
    int iterations = 0;
    bool converged = false;

    // The fitted surface at a point of the frame.
    double at(double px, double py) const;
};

// Levenberg–Marquardt fit over the integration area. The area is averaged in square blocks of b
// pixels, b about a quarter of the D4σ minor deviation (σ_minor / 4, at least 1), so that the fit
// sees some thousand points whatever the beam's size; the block mean widens the Gaussian by
// (b² - 1) / 12 px² in every direction, which is taken off the fitted widths (and the amplitude
// raised to keep the power). The start is the D4σ ellipse (diameters dMajor, dMinor along the
// area's axes) about the centroid. Nothing when the area is too small, the fit finds no peak, or
// its 2w exceeds twice the area's diagonal or its centre lies outside the area (the data do not
// bear such a surface).
std::optional<GaussianFit> fitGaussian(const IntegrationArea &area, double dMajor, double dMinor);

} // namespace lumetra::beam
