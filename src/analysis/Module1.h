#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/CurveWindowPort.h"
#include "analysis/PlotModes.h"
#include "analysis/ProgressWindows.h"
#include "platform/Colour.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

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

// Curves ----------------------------------------------------------------------------------------
void PlotRawCurve(const AnalysisState &state, PictureSurface &plot, PlotMode mode, bool vertical = false);
void PlotAnalysedCurve(const AnalysisState &state, PictureSurface &plot, PlotMode mode, bool vertical = false);

// Frame, scales and grid on the sides named.
// A span above 100 is halved (ties to even) while the right and top scales are drawn, and the
// caller's variable is changed with it.
// With a picture placement, position labels read the placed picture's own pixels (the right
// scale its distance from the raster's centre) instead of raster pixels.
void DrawPlotFrame(const AnalysisState &state, PictureSurface &surface, PictureSurface &window, int &spanX,
                   int &spanY, int bottomSubdivisions, int leftSubdivisions, ScaleSides sides, bool grid,
                   const PicturePlacement *placement = nullptr);

// Redrawing a curve window ----------------------------------------------------------------------
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

// Overlays ------------------------------------------------------------------------------------
// Repaints a whole curve window; originSide 1 or 2 puts the orange origin mark beside the zero
// line (any other value: none).
void RefreshCurveWindow(AnalysisState &state, PictureSurface &plot, CurveWindowPort &window, int originSide,
                        bool vertical = false);
// Draw: the cross at (oldX, oldY); Move: from there to (newX, newY). Exclusive-or.
void DrawCrosshair(const AnalysisState &state, PictureSurface &plot, double oldX, double oldY, double newX,
                   double newY, CrosshairMode mode);
// Toggles the cut line and the integration band on the workspace picture.
void DrawCutMarker(const AnalysisState &state, PictureSurface &workspacePicture);

} // namespace Module1
} // namespace lumetra
