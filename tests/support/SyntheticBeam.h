#pragma once

#include "types/BeamFrame.h"

#include <vector>

// Camera frames with beams whose second moments are known, for the beam-measurement tests and
// benchmarks: Gaussian and flat-top spots on a dark level with sensor noise, and the things real
// cameras add (a tilted or uneven dark level, a second faint spot, a smear column, fixed-pattern
// noise, hot pixels).
namespace lumetra::test {

// Gaussian: exp(-2 (u² / w_u² + v² / w_v²)) with 2w = dMajor / dMinor. FlatTop: a super-Gaussian
// exp(-2 ρ^20), ρ² = u² / (dMajor / 2)² + v² / (dMinor / 2)². Disc: uniform where ρ <= 1, else 0.
// Tem01: the two-lobed Hermite-Gaussian mode, lobes along u: e (2u² / w_u²) exp(-2 (u² / w_u² + v² / w_v²)),
// 2w = dMajor / dMinor, peak at u = ±w_u / √2.
enum class SpotShape { Gaussian, FlatTop, Disc, Tem01 };

struct Spot
{
    SpotShape shape = SpotShape::Gaussian;
    double cx = 320, cy = 240;       // centre, pixels (0,0 = centre of the top-left pixel)
    double dMajor = 80, dMinor = 80; // D4sigma diameters for a Gaussian; full widths of a flat top or disc
    double phiDeg = 0;               // major axis on screen (y up, counter-clockwise)
    double peak = 200;               // above the dark level, code values
};

struct Scene
{
    int width = 640, height = 480;
    int bitDepth = 8;                // 8: codes 0..255, 16: codes 0..65535
    double darkLevel = 10;
    double noise = 0;                // standard deviation of the sensor noise, code values
    double tiltX = 0, tiltY = 0;     // dark-level slope, code values per pixel from the frame centre
    double bowl = 0;                 // dark level rises by this much from the centre to the corners
    double smear = 0;                // a 3-pixel column through the first spot this much above dark
    bool smearRows = false;          // the smear runs along a row (a sensor read out sideways)
    bool smearFollowsBeam = false;   // as a CCD smears: every column (row) gets the light the first
                                     // spot puts into it, `smear` at the brightest
    double fixedPattern = 0;         // column offsets and per-pixel offsets of about this size
    int hotPixels = 0;               // pixels stuck at the top code
    std::vector<Spot> spots = std::vector<Spot>(1); // one default spot
    unsigned seed = 1;
};

// The moments of the first spot as sampled at pixel centres, without noise or dark level.
struct BeamTruth
{
    double cx = 0, cy = 0, dMajor = 0, dMinor = 0, phiDeg = 0;
};

struct SyntheticFrame
{
    beam::BeamFrame frame;
    BeamTruth truth;
};

SyntheticFrame makeFrame(const Scene &scene);

// The scene's dark part alone (dark level, tilt, bowl, fixed pattern and hot pixels; no spots,
// no smear, fresh noise): what the camera gives with the beam blocked.
beam::BeamFrame makeDarkFrame(const Scene &scene);

// The frame through an 8-bit JPEG at `quality` and back (Qt's codec).
beam::BeamFrame jpegRoundTrip(const beam::BeamFrame &frame, int quality);

} // namespace lumetra::test
