#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/curves/PlotModes.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

// The raw and the analysed curve, and the frame, scales and grid around them.
namespace plotting {

void PlotRawCurve(const AnalysisState &state, PictureSurface &plot, PlotMode mode, bool vertical = false);
void PlotAnalysedCurve(const AnalysisState &state, PictureSurface &plot, PlotMode mode, bool vertical = false);

// Frame, scales and grid on the sides named. Position labels count from axisStart (a curve
// window's position axis; 0 for the workspace's rulers).
// A span above 100 is halved (ties to even) while the right and top scales are drawn, and the
// caller's variable is changed with it.
// With a picture placement, position labels read the placed picture's own pixels (the right
// scale its distance from the raster's centre) instead of raster pixels.
void DrawPlotFrame(double axisStart, PictureSurface &surface, PictureSurface &window, int &spanX,
                   int &spanY, int bottomSubdivisions, int leftSubdivisions, ScaleSides sides, bool grid,
                   const PicturePlacement *placement = nullptr, double positionScale = 1.0);

} // namespace plotting
} // namespace lumetra
