#pragma once

#include "analysis/monitoring/RunningMoments.h"

#include <optional>

namespace lumetra::monitoring {

// Where the angular figures come from: the distance from the beam's source to the sensor, or the
// focal length of a lens in front of it (the sensor in its focal plane), in mm.
struct AngularReference
{
    double distanceMm = 0; // 0: not given
};

// The pointing and size statistics of a set of samples, lengths in pixels.
//  - centroid mean, sample standard deviation (n - 1) and peak-to-peak along x and y;
//  - the ISO 11670 figures: the azimuth φ of the principal axes of the centroid scatter
//    (φ = ½ atan2(2 s_xy, s_x² - s_y²), the angle of the axis u from the x axis, y down as in the
//    picture), the standard deviations s_u ≥ s_v along those axes, the positional stability
//    Δu = 2 s_u, Δv = 2 s_v and the overall Δ = 2 √(s_x² + s_y²);
//  - the angular stability δ = Δ / L in µrad when L (AngularReference) and the pixel size are known;
//  - the D4σ diameters' means and relative standard deviations (s / mean);
//  - drift: the slope of the least-squares line through centroid against time, px per minute,
//    and the standard deviation of the centroid about that line (the jitter with drift removed).
struct PointingStatistics
{
    long long count = 0;
    double durationS = 0;
    double meanX = 0, meanY = 0;
    double sdX = 0, sdY = 0;
    double ptpX = 0, ptpY = 0;
    double azimuthDeg = 0;
    double sdU = 0, sdV = 0;
    double stabilityU = 0, stabilityV = 0, stability = 0; // 2σ figures
    double meanDx = 0, meanDy = 0;
    double relSdDx = 0, relSdDy = 0;
    double driftX = 0, driftY = 0;             // px / min; 0 when the samples span no time
    double residualSdX = 0, residualSdY = 0;   // about the fitted lines

    // The statistics of the moments (count 0: all zero).
    static PointingStatistics of(const RunningMoments &moments);
};

// δ in µrad of a positional figure given in µm, over L in mm; empty when L is not given.
std::optional<double> angularMicroradians(double lengthUm, const AngularReference &reference);

} // namespace lumetra::monitoring
