#pragma once

#include <functional>

// The widths and ISO 13694 figures of ideal round beams, worked out by one-dimensional
// integration of the continuous profile (Simpson's rule and bisection), without any of the
// measurement's code: what the widths of sampled frames of these beams should come to.
namespace lumetra::test {

struct ShapeTruth
{
    double d4s = 0;      // second-moment diameter
    double d86 = 0;      // circle holding 86.5 % of the power
    double knife = 0;    // 1.561 x (90 % - 10 %) knife-edge distance
    double clip = 0;     // full width at 13.5 % of the peak
    double fwhm = 0;     // full width at 50 %
    // ISO 13694, with E_max the peak:
    double effectiveArea = 0;  // P / E_max, px²
    double effectiveLevel = 0; // level whose irradiation area is the effective area, share of E_max
    double flatness = 0;       // mean over the effective region / E_max
    double uniformity = 0;     // rms deviation over the effective region / its mean
    double edgeSteepness = 0;  // (A(10 %) - A(90 %)) / A(10 %)
};

// A round beam E(r) = f(r / radius), f falling from f(0) = 1 to 0 at `reach` (in radii).
ShapeTruth roundBeamTruth(const std::function<double(double)> &f, double radius, double reach);

// A Gaussian exp(-2 r² / w²) of 1/e² diameter twoW.
ShapeTruth gaussianTruth(double twoW);
// A uniform disc.
ShapeTruth discTruth(double radius);
// The super-Gaussian exp(-2 (r / radius)^20) of SyntheticBeam's FlatTop spot (diameter 2 radius).
ShapeTruth superGaussianTruth(double radius);

// d86 of an elliptical Gaussian of 1/e² diameters twoWu, twoWv.
double ellipticalGaussianD86(double twoWu, double twoWv);

} // namespace lumetra::test
