#pragma once

#include "types/BeamFrame.h"

// The second-moment beam measurement exactly as ISO 11146-1 and ISO/TR 11146-3 describe it,
// written out pixel by pixel in double precision without any of the program's code: the oracle
// for the program's strict method.
//  1. The dark level is the mean of the four corner rectangles (cornerFraction of each side, at
//     least one pixel), the noise the standard deviation of those pixels.
//  2. The first estimate: moments over the whole frame of the pixels more than noiseFactor noise
//     deviations above the dark level (less the dark level).
//  3. Then, until centroid and both principal diameters move by at most
//     max(0.05 px, 0.1 % of the major diameter), at most 50 rounds: moments of every pixel less
//     the dark level (negative values kept) whose centre lies in the rectangle of maskDiameters
//     times the principal diameters (at least 1 pixel from the centre to a side), along the
//     principal axes, centred on the centroid; for a circular beam (ellipticity 0.87 or more)
//     the square of maskDiameters times its circular diameter along the frame's axes. A rectangle
//     without power or with a negative variance ends it unsettled.
namespace lumetra::test {

struct IsoOracleResult
{
    bool found = false; // a first estimate exists
    double background = 0, noise = 0;
    double cx = 0, cy = 0;
    double dMajor = 0, dMinor = 0, dX = 0, dY = 0;
    double phiDeg = 0; // major axis as seen on screen (y up), (-90, 90]
    int iterations = 0;
    bool converged = false;
};

IsoOracleResult isoTextbookMeasure(const beam::BeamFrame &frame, double cornerFraction = 0.035,
                                   double noiseFactor = 3.0, double maskDiameters = 3.0);

} // namespace lumetra::test
