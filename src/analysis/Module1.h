#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/CurveWindowPort.h"
#include "analysis/ProgressWindows.h"

#include <QString>

namespace lumetra {

class PictureSurface;

// The analysis routines shared by every window: sampling, grey ranges, the profile of a cut,
// curve plotting, plot frames and the exclusive-or overlays. They work on the shared state and
// on picture surfaces only, never on widgets.
namespace Module1 {

// Sampling (in this order for a new picture) -------------------------------------------------
// Colours of picture pixels x = 1..ImageWidth, y = 1..ImageHeight into the colour store
// (-1 outside the surface gives red -1, green 0, blue 0). Shows the Waiting window.
void ReadColours(AnalysisState &state, const PictureSurface &picture, ProgressWindows &progress);
// Grey = round-half-even(0.587 g + 0.299 r + 0.114 b) into GreyMap. Shows the Jindu window.
void ComputeGreyMap(AnalysisState &state, ProgressWindows &progress);
// Whole-image range seeded with 15; copies into ImageGreyMax/ImageGreyMin. Shows Jindu.
void ScanGreyRangeWithProgress(AnalysisState &state, ProgressWindows &progress);
// The silent rescan, seeded with GreyMap(1, 1).
void ScanGreyRange(AnalysisState &state);

// Profile of the current cut ------------------------------------------------------------------
void AnalyseProfile(AnalysisState &state);
void FindProfileMin(AnalysisState &state);
void FindProfileMax(AnalysisState &state);

// Curves: mode 0 face/normal, 1 line/normal, 5 face/enlarged, 6 line/enlarged ------------------
void PlotRawCurve(const AnalysisState &state, PictureSurface &plot, int mode, bool vertical = false);
void PlotAnalysedCurve(const AnalysisState &state, PictureSurface &plot, int mode, bool vertical = false);

// Frame, scales and grid. sides is five "0"/"1" characters: left, bottom, right, top, master.
// A span above 100 is halved (ties to even) while the right and top scales are drawn, and the
// caller's variable is changed with it.
void DrawPlotFrame(const AnalysisState &state, PictureSurface &surface, PictureSurface &window, int &spanX,
                   int &spanY, int bottomSubdivisions, int leftSubdivisions, const QString &sides, bool grid);

// Overlays ------------------------------------------------------------------------------------
// Repaints a whole curve window; originSide 1 or 2 puts the orange origin mark beside the zero
// line (any other value: none).
void RefreshCurveWindow(AnalysisState &state, PictureSurface &plot, CurveWindowPort &window, int originSide,
                        bool vertical = false);
// mode 1 draws the cross at (oldX, oldY); mode 2 moves it to (newX, newY). Exclusive-or.
void DrawCrosshair(const AnalysisState &state, PictureSurface &plot, double oldX, double oldY, double newX,
                   double newY, int mode);
// Toggles the cut line and the integration band on the workspace picture.
void DrawCutMarker(const AnalysisState &state, PictureSurface &workspacePicture);

} // namespace Module1
} // namespace lumetra
