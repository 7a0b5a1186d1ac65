#pragma once

namespace lumetra::monitoring {

// One measured frame as the monitoring statistics use it: seconds since the recording started,
// the centroid and the D4σ diameters along x and y, in pixels.
struct MonitorSample
{
    double t = 0;
    double cx = 0, cy = 0;
    double dx = 0, dy = 0;
};

} // namespace lumetra::monitoring
