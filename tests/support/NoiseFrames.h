#pragma once

#include "types/BeamFrame.h"

#include <string>

// Frames without a beam, as cameras give them with the beam blocked, and faint beams on such
// frames: for the tests of the beam decision.
namespace lumetra::test {

enum class NoiseKind {
    White,        // Gaussian noise, 3 codes, on a dark level of 20
    Poisson,      // photon-counting camera: Poisson counts of mean 2
    Uniform,      // uniform codes 22..99
    Gradient,     // a dark level rising 20 -> 80 codes across, white noise of 5
    ColumnPattern, // fixed column offsets (sd 2 codes) and white noise of 2
    RowPattern,   // fixed row offsets (sd 2 codes) and white noise of 2
    HotPixels,    // white noise of 2 and 40 hot pixels of random brightness up to the top code
    CosmicRays,   // white noise of 2 and 6 hits of 1 to 4 bright touching pixels, apart
};
constexpr int NoiseKindCount = 8;
std::string noiseKindName(NoiseKind kind);

// An 8-bit frame of the kind; different seeds give independent frames.
beam::BeamFrame noiseFrame(NoiseKind kind, int width, int height, unsigned seed);

// The frame without its last row and without its last column.
beam::BeamFrame withoutLastRow(const beam::BeamFrame &frame);
beam::BeamFrame withoutLastColumn(const beam::BeamFrame &frame);

// A faint round Gaussian beam of D4σ `diameter` px whose peak stands `peakSigmas` noise deviations
// above the dark level of a photon-counting camera (Poisson counts, dark mean `darkMean`), or of a
// camera with white noise when darkMean is 0 (dark level 10, noise 2 codes).
struct FaintBeam
{
    beam::BeamFrame frame;
    double cx = 0, cy = 0;
    double diameter = 0; // the D4σ of the beam as sampled, px
};
FaintBeam faintBeam(int width, int height, double cx, double cy, double diameter, double peakSigmas,
                    double darkMean, unsigned seed);

} // namespace lumetra::test
