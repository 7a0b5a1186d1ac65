#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumetra::beam {

// One measured beam diameter on the propagation axis.
struct CausticPoint
{
    double zMm = 0;
    double dUm = 0;
};

// The beam caustic of one axis after ISO 11146-1: d(z)^2 = A + B z + C z^2 fitted by unweighted
// linear least squares on d^2, then written as the hyperbola d(z)^2 = d0^2 + theta^2 (z - z0)^2.
// z is in mm and d in um, so theta = sqrt(C) comes out in mrad and zR = d0 / theta in mm.
struct CausticFit
{
    double d0Um = 0;       // waist diameter
    double z0Mm = 0;       // waist position
    double thetaMrad = 0;  // full far-field divergence angle
    double zrMm = 0;       // Rayleigh length d0 / theta
    double m2 = 0;         // beam propagation ratio pi d0 theta / (4 lambda)
    double residualRmsUm = 0; // rms of measured minus fitted diameter
    int points = 0;
    int pointsWithinZr = 0;   // |z - z0| <= zR
    int pointsBeyond2Zr = 0;  // |z - z0| >= 2 zR
    bool isoValid = false;    // at least 10 points, 5 within zR and 5 beyond 2 zR
    std::string isoNote;      // one sentence: what the point distribution lacks, or that it is complete

    // The fitted diameter at z (um).
    double diameterAt(double zMm) const;
};

struct CausticFitResult
{
    std::optional<CausticFit> fit;
    std::string error; // one sentence when no waist can be fitted

    bool ok() const { return fit.has_value(); }
};

// Fits the caustic of one axis. wavelengthNm must be positive. Fails with a sentence (never NaN)
// for fewer than three points, fewer than three distinct z, non-finite or non-positive
// diameters, a fitted parabola that does not open upwards (C <= 0) or has no real waist
// (A - B^2 / 4C <= 0).
CausticFitResult fitCaustic(const std::vector<CausticPoint> &points, double wavelengthNm);

// The minimum point counts of ISO 11146-1 for a valid caustic.
constexpr int IsoMinimumPoints = 10;
constexpr int IsoMinimumNearWaist = 5;
constexpr int IsoMinimumFarField = 5;

} // namespace lumetra::beam
