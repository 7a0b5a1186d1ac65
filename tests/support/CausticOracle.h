#pragma once

#include "analysis/caustic/CausticFit.h"

#include <QString>

#include <vector>

namespace lumetra::test {

// A caustic with known parameters: d(z) = sqrt(d0^2 + theta^2 (z - z0)^2) with
// theta = 4 M^2 lambda / (pi d0) (um, mm, mrad, nm).
struct KnownCaustic
{
    double m2 = 1;
    double wavelengthNm = 633;
    double d0Um = 100;
    double z0Mm = 0;

    double thetaMrad() const;
    double zrMm() const { return d0Um / thetaMrad(); }
    double diameterAt(double zMm) const;
    std::vector<beam::CausticPoint> sample(const std::vector<double> &zMm) const;
};

// Repeated measurements of a caustic: `runs` point sets at z, each diameter off by a Gaussian
// relative error of sd relativeNoise, from a fixed seed.
std::vector<std::vector<beam::CausticPoint>> noisyCaustics(const KnownCaustic &caustic, const std::vector<double> &zMm,
                                                           double relativeNoise, int runs, unsigned seed);

// The sample standard deviation of values.
double sampleSd(const std::vector<double> &values);

// z positions for a caustic around z0: `near` evenly inside +-0.9 zR and `far` evenly spread
// over 2.2 zR .. 4 zR on both sides, as a lab would take them.
std::vector<double> isoPositions(const KnownCaustic &caustic, int near, int far);

// Writes the frame of a beam at z whose major and minor axes follow two caustics (diameters in
// pixels of pixelUm), the major axis turned tiltDeg; 16-bit, 400 x 400 by default, centred, with
// 0.15 % noise. A peak above 1 (of the top code) saturates the spot; smear adds the smear columns
// a CCD gives, `smear` of the peak at the brightest. Returns whether the file was written.
struct CausticFrameSpec
{
    double pixelUm = 10;
    double tiltDeg = 0;
    double peak = 0.6;
    double smear = 0;
    int width = 400, height = 400;
    int bitDepth = 16;
    unsigned seed = 1;
};
bool writeCausticFrame(const QString &path, const KnownCaustic &major, const KnownCaustic &minor, double zMm,
                       const CausticFrameSpec &spec);
// A frame of the same kind without a beam.
bool writeDarkFrame(const QString &path, const CausticFrameSpec &spec);

// The same least-squares fit computed independently by numpy (polyfit of d^2 on z, Debian's
// /usr/bin/python3). ok is false, with the reason in error, when that interpreter or numpy is
// missing.
struct IndependentFit
{
    bool ok = false;
    QString error;
    double d0Um = 0, z0Mm = 0, thetaMrad = 0, m2 = 0, residualRmsUm = 0;
};
IndependentFit numpyCausticFit(const std::vector<beam::CausticPoint> &points, double wavelengthNm);

} // namespace lumetra::test
