#pragma once

#include "analysis/beam/estimate/BeamShape.h"

// The textbook ISO 11146-1 / ISO/TR 11146-3 procedure, for results comparable with other
// instruments: one dark level subtracted from every pixel, a first estimate from the pixels above
// a noise threshold over the whole frame, then the unclipped moments inside the rectangle of
// `sides` diameters along the principal axes, centred on the centroid, until the centroid and the
// diameters settle (at most IsoMaxIterations rounds). A circular beam (RoundEllipticity) gets the
// square of `sides` times its circular diameter along the frame's axes.
namespace lumetra::beam::detail {

constexpr int IsoMaxIterations = 50;

struct IsoEstimate
{
    Shape shape;
    int iterations = 0;     // rounds inside the rectangle
    bool converged = false;
    bool valid = false;     // false: not even a first estimate (nothing above the threshold)
    TurnedRect area;        // the rectangle of the reported round
};

// darkLevel: subtracted from every pixel; threshold: how far above it a pixel must stand to count
// in the first estimate. The rectangle is at least one pixel from its centre to each side. A round
// whose rectangle holds no power (or negative variances) ends the iteration, unsettled, at the
// round before.
IsoEstimate isoEstimate(const FrameView &f, double darkLevel, double threshold, double sides);

} // namespace lumetra::beam::detail
