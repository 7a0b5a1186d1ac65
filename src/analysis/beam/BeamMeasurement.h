#pragma once

#include "analysis/beam/BeamWarnings.h"
#include "types/BeamFrame.h"

namespace lumetra::beam {

// Robust: the default, see measureBeam. Iso: the textbook ISO 11146-1 / ISO/TR 11146-3 procedure,
// for results comparable with other instruments.
enum class BeamMethod { Robust, Iso };

// Which smear stripes were taken out before the moments (see StripeCorrection.h).
enum class StripeCorrection { None, Columns, Rows };

// How the beam is found and measured. The defaults follow ISO/TR 11146-3; see measureBeam.
struct BeamOptions
{
    double cornerFraction = 0.035; // --corner-fraction: side of each corner rectangle, fraction of the frame side
    double noiseFactor = 3.0;      // --noise-factor (n_T): lit pixels stand this many noise deviations above the dark level
    double maskDiameters = 3.0;    // --mask-diameters (M): the integration rectangle is M diameters on a side
    BeamMethod method = BeamMethod::Robust; // --method
    bool correctStripes = true;    // --stripes auto (true) or off
};

enum class BeamStatus { Ok, NoBeam };

struct BeamResult
{
    BeamStatus status = BeamStatus::NoBeam;
    double peak = 0;               // highest raw value
    long long saturatedPixels = 0; // pixels at the top code value
    double background = 0, backgroundNoise = 0;  // dark level and its standard deviation
    double centroidX = 0, centroidY = 0;          // px
    double dMajor = 0, dMinor = 0, dX = 0, dY = 0; // D4sigma diameters, px
    double phiDeg = 0;             // major-axis angle as seen on screen (y up), (-90, 90]
    double ellipticity = 0;        // dMinor / dMajor
    int iterations = 0;
    bool converged = false;
    bool backgroundWarning = false;
    BeamMethod method = BeamMethod::Robust;              // how the numbers above were measured
    StripeCorrection stripeCorrection = StripeCorrection::None; // stripes subtracted first
    BeamWarnings warnings;         // what makes the numbers doubtful (empty without a beam)
};

// The names the command line and the result rows use: "robust", "iso"; "columns", "rows" (none: empty).
const char *methodName(BeamMethod method);
const char *stripeCorrectionName(StripeCorrection stripes);

// Second-moment (D4sigma) measurement of the beam in `frame`, ISO 11146-1 moments inside an
// ISO/TR 11146-3 style integration rectangle, as one pipeline:
//  condition: with correctStripes, smear stripes through the beam (columns or rows standing above
//     the dark level far from the beam along their whole length) are subtracted; dark level and
//     noise come from the four corner rectangles (cornerFraction of each side);
//  decide: a matched filter at several scales says whether a beam stands out of the noise, with a
//     false-alarm rate of at most 1 in 10,000 frames of pure noise (see BeamDecision.h);
//  estimate: the clipped estimate: pixels less than noiseFactor x noise above the dark level
//     count as 0, first around the beam the decision found, then inside the principal-axis
//     rectangle of maskDiameters x d, iterated until centroid and diameters settle; then the
//     reported estimate: unclipped moments inside the ellipse inscribed in 0.95 of the inner two
//     thirds of that rectangle (1.9 x d across for M = 3), with the dark level re-fitted as a
//     plane to the band between the inner and the outer rectangle (at least 2500 pixels),
//     iterated the same way. It keeps the beam's wings that clipping loses, and the local plane
//     follows tilted or uneven dark levels that make the unclipped ISO recipe run away;
//  report: the warnings (BeamWarnings.h).
// When the two estimates differ by more than 10 % (beyond what the pixel noise explains) the
// background dominates the diameters and backgroundWarning is set; beyond 25 % the local fit is
// not trusted and the clipped estimate is reported (still with the warning).
// With method Iso, the reported estimate is the textbook procedure instead: the corners' mean
// subtracted from every pixel, a first estimate from the pixels more than noiseFactor standard
// deviations of the corner pixels above it over the whole frame, then unclipped moments inside
// the rectangle of maskDiameters x d along the principal axes, re-centred until centroid and
// diameters settle. Whether there is a beam at all is decided alike for both methods.
// The widths beyond D4σ (measureBeamWithWidths, BeamWidths.h) are taken over the same area of
// the same conditioned frame, less the same dark level.
// dark: optional dark frame of the same size, subtracted pixel by pixel first (throws
// std::invalid_argument when its size differs).
BeamResult measureBeam(const BeamFrame &frame, const BeamOptions &options = {}, const BeamFrame *dark = nullptr);

// The samples of a frame held elsewhere (an array of the caller's), read in place: row-major,
// width * height values.
struct BeamFrameView
{
    const float *values = nullptr;
    int width = 0;
    int height = 0;
    double topValue = 255.0;
};

// The same measurement of a frame held elsewhere, without copying it.
BeamResult measureBeam(const BeamFrameView &frame, const BeamOptions &options = {},
                       const BeamFrameView *dark = nullptr);

} // namespace lumetra::beam
