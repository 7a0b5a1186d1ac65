#pragma once

#include <optional>
#include <span>

namespace lumetra {

// The full width of an intensity curve at one fraction of its height: where the curve, followed
// outward from its maximum, first falls below baseline + fraction × (maximum − baseline). The
// crossings are interpolated linearly between the two samples around them, in sample positions
// (sample k sits at k). A side where the curve never falls below the level has no crossing.
struct CurveWidth
{
    double level = 0;
    std::optional<double> left;
    std::optional<double> right;

    bool complete() const { return left && right; }
    // right − left; none when a crossing is missing.
    std::optional<double> width() const
    {
        return complete() ? std::optional<double>(*right - *left) : std::nullopt;
    }
};

// The two widths a beam profile is quoted by: at half maximum (FWHM) and at 1/e² (13.5 %).
struct CurveWidths
{
    bool hasPeak = false; // false for an empty or flat curve: no crossing anywhere
    int peakIndex = 0;    // the first sample at the maximum
    double baseline = 0;  // the curve's lowest sample, taken as its dark level
    CurveWidth halfMaximum;
    CurveWidth e2;
};

inline constexpr double HalfMaximumFraction = 0.5;
inline constexpr double E2Fraction = 0.1353352832366127; // 1/e²

// One width at `fraction` (0 < fraction < 1) of the curve's height above its lowest sample.
CurveWidth measureCurveWidth(std::span<const double> samples, double fraction);
// FWHM and 1/e² widths, heights measured from the curve's lowest sample, so that a dark level
// under the beam does not widen them.
CurveWidths measureCurveWidths(std::span<const double> samples);

} // namespace lumetra
