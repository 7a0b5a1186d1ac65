#pragma once

#include <optional>

namespace lumetra::beam {

class IntegrationArea;

// The ISO 13694 figures of a power density distribution E(x, y), taken over the integration area
// of the corrected frame. E_max is the highest mean over s x s pixels, s = 1 + 2 floor(d / 40) up
// to 9 for a D4σ minor diameter d (about a twentieth of the beam: a single pixel's noise would
// raise it), P the power in the area, A(η) the area of the pixels with E >= η E_max.
struct FlatTopFigures
{
    double maxDensity = 0;                 // E_max, corrected frame units
    std::optional<double> effectiveArea;   // A_eff = P / E_max, px²
    std::optional<double> effectiveLevel;  // η_eff: the level whose A(η) is A_eff (the effective region)
    std::optional<double> flatness;        // F = mean E over the effective region / E_max
    std::optional<double> uniformity;      // U = rms deviation of E from that mean, over the region, / mean
    std::optional<double> plateauUniformity; // Up = FWHM of the histogram's plateau peak / E_max
    std::optional<double> edgeSteepness;   // s = (A(0.1) - A(0.9)) / A(0.1)
};

// The figures of the area; all absent when the area holds no power or no positive maximum.
// plateauUniformity is absent when the histogram of E over the effective region has no peak
// towards its top (a beam without a plateau: a Gaussian's histogram falls from its low end).
FlatTopFigures flatTopFigures(const IntegrationArea &area, double dMinor);

} // namespace lumetra::beam
