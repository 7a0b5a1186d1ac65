#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/curves/PlotModes.h"
#include "types/Colour.h"
#include "types/DisplayMode.h"
#include "types/ProgressWindows.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

// Opening, redrawing and moving the cut of an open curve window.
namespace curveview {

// What differs between the redraws of an open curve window (after a cut move, a mode switch, a
// size change or a scroll of its axis).
struct RedrawRules
{
    enum class Clear { Nothing, Plot, WindowDrawing };
    enum class ZeroLine { None, BeforeCurves, AfterCurves };

    Clear clear = Clear::Nothing;     // what is cleared before the frame is drawn
    bool persistAfterFrame = false;   // the curves become part of the plot's persistent drawing
    ZeroLine zeroLine = ZeroLine::None;
    bool curves = true;               // false: the frame only
    Colour zeroLineColour = colours::ZeroBlue;
    bool rescanGreyRange = true;      // face mode: the whole-picture grey range is scanned again
    bool findProfileRange = true;     // line mode: ProfileMin and ProfileMax are found again
    bool reanalyseInFaceMode = true;  // face mode: the profile is analysed again before plotting
    bool crosshair = true;            // the crosshair at (CursorX, CursorY) last
};

// The one redraw of an open curve window: clear, frame and scales (on plot and windowSurface),
// the curves of `mode` for the current size, the zero line and the crosshair, by `rules`.
void RedrawCurveWindow(AnalysisState &state, PictureSurface &plot, PictureSurface &windowSurface,
                       DisplayMode mode, bool vertical, const RedrawRules &rules);
// Where a curve window starts: its cut, its position axis and its crosshair (plot pixels).
struct CurveWindowStart
{
    double cut;
    double axisStart; // AxisEnd is its negation
    double cursorX;
    double cursorY;
};
CurveWindowStart curveWindowStart(bool vertical);
// The opening of a curve window whose plot surfaces are laid out for the normal size: cut state,
// frame, sampling of the workspace picture (when there is one), the initial cut, the raw curve,
// IntegrationWidth = `integrationWidth` held to the cut (ClampIntegrationWidth) and the analysed
// curve (at width 0 the nine-line average, unsmoothed, as every later redraw draws it); then the cut marker on the workspace picture, the orange zero line
// and the crosshair. Face mode.
void OpenCurveWindow(AnalysisState &state, PictureSurface &plot, PictureSurface &windowSurface,
                     PictureSurface *workspacePicture, bool vertical, double integrationWidth,
                     ProgressWindows &progress);
// The zero line (position 0) across the plot with the exclusive-or pen, for the current size.
void DrawZeroLine(const AnalysisState &state, PictureSurface &plot, Colour colour, bool vertical);
// The widest integration width a cut allows (the smoothing needs 2N + 1 samples along it).
double ClampIntegrationWidth(double width, bool vertical);

// The marked points of one curve window's cut are forgotten (count, pixels and values 0).
void ForgetMarks(AnalysisState &state, bool vertical);
// Moves the cut of the open curve window to `position`: its marked points are forgotten and the
// cut marker on the workspace picture moves with it. The caller then redraws the window.
void MoveCut(AnalysisState &state, PictureSurface &workspacePicture, double position);

} // namespace curveview
} // namespace lumetra
