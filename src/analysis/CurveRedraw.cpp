// The redraw of an open curve window that every change of cut, mode, size or axis runs.
#include "analysis/Module1.h"
#include "analysis/PlotGeometry.h"
#include "analysis/Rounding.h"
#include "platform/PictureSurface.h"

#include <algorithm>

namespace lumetra::Module1 {

namespace {

void drawCurves(AnalysisState &state, PictureSurface &plot, DisplayMode mode, bool vertical,
                const RedrawRules &rules)
{
    const PlotMode style = plotMode(mode, state.Enlarged);
    if (mode == DisplayMode::Line) {
        AnalyseProfile(state);
        if (rules.findProfileRange) {
            FindProfileMax(state);
            FindProfileMin(state);
        }
        PlotAnalysedCurve(state, plot, style, vertical);
        return;
    }
    if (rules.rescanGreyRange)
        ScanGreyRange(state);
    PlotRawCurve(state, plot, style, vertical);
    if (rules.reanalyseInFaceMode)
        AnalyseProfile(state);
    PlotAnalysedCurve(state, plot, style, vertical);
}

} // namespace

void DrawZeroLine(const AnalysisState &state, PictureSurface &plot, Colour colour, bool vertical)
{
    const double at = -(state.Enlarged ? state.AxisStartZoom : state.AxisStart);
    const double across = plotgeometry::amplitude(state.Enlarged);
    plot.setPenMode(PictureSurface::PenMode::Xor);
    if (vertical)
        plot.line(0, at, across, at, colour);
    else
        plot.line(at, 0, at, across, colour);
    plot.setPenMode(PictureSurface::PenMode::Copy);
}

double ClampIntegrationWidth(double width, bool vertical)
{
    const double rows = vertical ? 480 : 640;
    return std::clamp(width, 0.0, static_cast<double>(static_cast<int>(rows - 1) / 2));
}

CurveWindowStart curveWindowStart(bool vertical)
{
    return vertical ? CurveWindowStart{320, -240, 100, 240} : CurveWindowStart{192, -320, 320, 100};
}

void OpenCurveWindow(AnalysisState &state, PictureSurface &plot, PictureSurface &windowSurface,
                     PictureSurface *workspacePicture, bool vertical, double integrationWidth,
                     ProgressWindows &progress)
{
    const CurveWindowStart start = curveWindowStart(vertical);
    state.CurveWindowOpen = true;
    state.Enlarged = false;
    state.CutOrientation = static_cast<int16_t>(vertical ? 2 : 1);
    state.AxisStart = start.axisStart;
    state.AxisEnd = -start.axisStart;
    RedrawRules frameOnly;
    frameOnly.persistAfterFrame = true;
    frameOnly.curves = false;
    frameOnly.crosshair = false;
    RedrawCurveWindow(state, plot, windowSurface, DisplayMode::Face, vertical, frameOnly);

    if (workspacePicture) {
        ReadColours(state, *workspacePicture, progress);
        ComputeGreyMap(state, progress);
        ScanGreyRangeWithProgress(state, progress);
    }
    state.CutPosition = start.cut;
    PlotRawCurve(state, plot, PlotMode::FaceNormal, vertical);
    // Width 0 (also a missing settings file) smooths nothing: the analysed curve is then the
    // nine-line average itself.
    state.IntegrationWidth = ClampIntegrationWidth(integrationWidth, vertical);
    AnalyseProfile(state);
    PlotAnalysedCurve(state, plot, PlotMode::FaceNormal, vertical);
    if (workspacePicture)
        DrawCutMarker(state, *workspacePicture);
    DrawZeroLine(state, plot, colours::ZeroOrange, vertical);
    state.CursorX = start.cursorX;
    state.CursorY = start.cursorY;
    DrawCrosshair(state, plot, state.CursorX, state.CursorY, 0, 0, CrosshairMode::Draw);
}

void ForgetMarks(AnalysisState &state, bool vertical)
{
    (vertical ? state.MarkCountV : state.MarkCountH) = 0;
    (vertical ? state.MarkPixelsV : state.MarkPixelsH) = {};
    (vertical ? state.MarkValuesV : state.MarkValuesH) = {};
}

void MoveCut(AnalysisState &state, PictureSurface &workspacePicture, double position)
{
    ForgetMarks(state, state.CutOrientation == 2);
    DrawCutMarker(state, workspacePicture); // off at the old place
    state.CutPosition = position;
    DrawCutMarker(state, workspacePicture); // on at the new one
    workspacePicture.setPenMode(PictureSurface::PenMode::Copy);
}

void RedrawCurveWindow(AnalysisState &state, PictureSurface &plot, PictureSurface &windowSurface,
                       DisplayMode mode, bool vertical, const RedrawRules &rules)
{
    if (rules.clear == RedrawRules::Clear::Plot)
        plot.clear();
    else if (rules.clear == RedrawRules::Clear::WindowDrawing)
        windowSurface.clear();

    const int span = static_cast<int>(rounding::halfEven(state.AxisEnd - state.AxisStart));
    int spanX = vertical ? 100 : span;
    int spanY = vertical ? span : 100;
    DrawPlotFrame(state, plot, windowSurface, spanX, spanY, vertical ? 2 : 8, vertical ? 8 : 2,
                  scalesides::CurvePlot, true);
    if (rules.persistAfterFrame)
        plot.setPersistent(true);

    if (rules.zeroLine == RedrawRules::ZeroLine::BeforeCurves)
        DrawZeroLine(state, plot, rules.zeroLineColour, vertical);
    if (rules.curves)
        drawCurves(state, plot, mode, vertical, rules);
    if (rules.zeroLine == RedrawRules::ZeroLine::AfterCurves)
        DrawZeroLine(state, plot, rules.zeroLineColour, vertical);
    if (rules.crosshair)
        DrawCrosshair(state, plot, state.CursorX, state.CursorY, 0, 0, CrosshairMode::Draw);
}

} // namespace lumetra::Module1
