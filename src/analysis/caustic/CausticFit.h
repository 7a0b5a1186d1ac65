#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::beam {

// What makes a fit physically doubtful although it has a waist.
enum class CausticWarning {
    M2BelowOne,        // "m2_below_1": no real beam has M² < 1; the wavelength or the pixel size is
                       // wrong (M² < 0.99, however uncertain the fit: a poor fit is no excuse)
    WaistOutsideRange, // "waist_outside_range": z0 lies beyond the measured z, the waist is extrapolated
};
const char *causticWarningName(CausticWarning warning);

// Why no waist could be fitted.
enum class CausticFailure {
    None,
    BadWavelength,    // the wavelength is not a number of nanometres within 150 nm .. 20 um
    TooFewPoints,     // fewer than 3 points
    NonFiniteZ,       // a z position is not a finite number
    BadDiameter,      // a diameter is not a positive number (failedZMm says where)
    TooFewPositions,  // fewer than 3 distinct z
    NoNarrowing,      // C <= 0: the diameters do not narrow to a waist
    NoRealWaist,      // A - B^2/4C <= 1e-6 A: the waist is not resolved (an exact cone, or worse)
};

// 1 sigma standard errors of the fitted figures, propagated from the covariance of A, B and C.
// That covariance allows each point its own variance (the noise of d^2 grows with d), estimated
// from the scatter of the points about the fit; three points leave nothing to judge by.
struct CausticStandardErrors
{
    bool known = false; // false for three points: no scatter to estimate them from
    double d0Um = 0;
    double z0Mm = 0;
    double zrMm = 0;
    double thetaMrad = 0;
    double m2 = 0;
};

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
    CausticStandardErrors sd; // of d0, z0, zR, theta and M²
    double residualRmsUm = 0; // rms of measured minus fitted diameter
    int points = 0;
    int pointsWithinZr = 0;   // |z - z0| <= zR
    int pointsBeyond2Zr = 0;  // |z - z0| >= 2 zR
    bool isoValid = false;    // at least 10 points, 5 within zR and 5 beyond 2 zR
    std::string isoNote;      // one sentence: what the point distribution lacks, or that it is complete
    std::vector<CausticWarning> warnings; // in the order of CausticWarning

    // The fitted diameter at z (um).
    double diameterAt(double zMm) const;
};

struct CausticFitResult
{
    std::optional<CausticFit> fit;
    std::string error; // one sentence when no waist can be fitted
    CausticFailure failure = CausticFailure::None;
    std::size_t points = 0; // how many points were given (for TooFewPoints)
    double failedZMm = 0;   // where the BadDiameter is

    bool ok() const { return fit.has_value(); }
};

// Fits the caustic of one axis. wavelengthNm must lie within 150 nm .. 20 um. Fails with a sentence (never NaN)
// for fewer than three points, fewer than three distinct z, non-finite or non-positive
// diameters, a fitted parabola that does not open upwards (C <= 0) or whose waist is not
// resolved: A - B^2 / 4C <= 1e-6 A, A being d^2 of the parabola at the middle of the measured z
// (so that where the bench has its zero does not matter). An exact cone d = a + b z has
// A - B^2 / 4C = 0 up to rounding: no waist, not a waist of a few picometres.
CausticFitResult fitCaustic(const std::vector<CausticPoint> &points, double wavelengthNm);

// The minimum point counts of ISO 11146-1 for a valid caustic.
constexpr int IsoMinimumPoints = 10;
constexpr int IsoMinimumNearWaist = 5;
constexpr int IsoMinimumFarField = 5;

} // namespace lumetra::beam
