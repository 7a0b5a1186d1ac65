#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/curves/CurveWindowPort.h"
#include "analysis/curves/PlotModes.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

// What is drawn over the curves and the picture with the exclusive-or pen.
namespace overlays {

// Repaints a whole curve window; originSide 1 or 2 puts the orange origin mark beside the zero
// line (any other value: none).
void RefreshCurveWindow(AnalysisState &state, PictureSurface &plot, CurveWindowPort &window, int originSide,
                        bool vertical = false);
// Draw: the cross at (oldX, oldY); Move: from there to (newX, newY). Exclusive-or.
void DrawCrosshair(const AnalysisState &state, PictureSurface &plot, double oldX, double oldY, double newX,
                   double newY, CrosshairMode mode);
// Toggles the cut line and the integration band on the workspace picture.
void DrawCutMarker(const AnalysisState &state, PictureSurface &workspacePicture);

} // namespace overlays
} // namespace lumetra
