#pragma once

#include "analysis/beam/estimate/BeamMoments.h"

// A beam's centroid, D4σ diameters and orientation from its second moments, and when two rounds
// of an iteration have settled. Shared by the estimates of the beam measurement.
namespace lumetra::beam::detail {

struct Shape
{
    double cx = 0, cy = 0;
    double dMajor = 0, dMinor = 0, dX = 0, dY = 0;
    double theta = 0; // major axis, radians, picture rows (y down)
};

Shape shapeOf(const Moments &m);

// ISO 11146-1 calls a beam circular when its ellipticity dMinor / dMajor is at least this: its
// principal axes mean nothing then, and they turn with the noise.
constexpr double RoundEllipticity = 0.87;

// The rectangle `sides` diameters on a side around the shape, at least minHalf pixels from the
// centre to each side; a round beam gets a square along the frame's axes, so that its area does
// not turn with the noise.
TurnedRect rectAround(const Shape &s, double sides, double minHalf);

// Centroid and diameters have settled when a round moves them by less than 0.1 % of the beam
// diameter (at least 0.05 pixel): far below what the noise of a frame makes them uncertain.
bool settled(const Shape &a, const Shape &b);

} // namespace lumetra::beam::detail
