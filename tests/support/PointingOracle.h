#pragma once

#include <vector>

namespace lumetra::test {

// A centroid at a time (seconds), with the D4σ diameters along x and y.
struct TrackPoint
{
    double t = 0, x = 0, y = 0, dx = 0, dy = 0;
};

// Pointing figures computed the long way round, independently of the program's one-pass moments:
// two passes over the points, the principal axes found by rotating every point into the frame
// that makes the x-y covariance vanish, the drift from the normal equations of the straight line.
struct PointingOracle
{
    double meanX = 0, meanY = 0, sdX = 0, sdY = 0, ptpX = 0, ptpY = 0;
    double azimuthDeg = 0, sdU = 0, sdV = 0;
    double stabilityU = 0, stabilityV = 0, stability = 0;
    double meanDx = 0, relSdDx = 0;
    double driftX = 0, driftY = 0; // per minute
    double residualSdX = 0;
};

PointingOracle pointingOracle(const std::vector<TrackPoint> &points);

} // namespace lumetra::test
