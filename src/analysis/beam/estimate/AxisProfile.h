#pragma once

#include <optional>
#include <vector>

namespace lumetra::beam {

class IntegrationArea;

// A profile of the corrected frame through the centroid along one principal axis: positions in
// pixels from the centroid (positive along the axis), values read between pixel centres
// (bilinear) and averaged across a strip of up to seven lines perpendicular to the axis.
struct AxisProfile
{
    std::vector<double> position;
    std::vector<double> value;
    bool empty() const { return position.empty(); }
};

// Samples every half pixel along the axis (ux, uy) (picture rows, y down) over the area's extent
// `half` on either side of the centroid; the strip across is ±min(3, 5 % of acrossDiameter) lines.
AxisProfile sampleAxisProfile(const IntegrationArea &area, double ux, double uy, double half, double acrossDiameter);

// Full width of the profile at `fraction` of its maximum (0.5: FWHM, 0.135: 1/e²): the crossings
// are sought from the maximum outward, each refined by a least-squares line through the samples
// within 15 % of the level's distance to 0 or the maximum (else interpolated between the two
// samples around it). The maximum is that of a running mean over 2.5 % of the profile's samples
// (at most 15; about 5 % of the beam's diameter), so that noise does not raise it. Nothing when
// the profile does not fall below the level on both sides.
std::optional<double> clipWidth(const AxisProfile &profile, double fraction);

} // namespace lumetra::beam
