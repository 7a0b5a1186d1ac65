// The redraw of an open curve window that every change of cut, mode, size or axis runs.
#include "analysis/curves/CurveRedraw.h"

#include "analysis/curves/CurvePlot.h"
#include "analysis/curves/Overlays.h"
#include "analysis/curves/ProfileAnalysis.h"
#include "analysis/picture/Sampling.h"
#include "analysis/curves/PlotGeometry.h"
#include "types/Rounding.h"
#include "surface/PictureSurface.h"
#include "types/WorkspaceRaster.h"

#include <algorithm>

namespace lumetra::curveview {

namespace {

void drawCurves(AnalysisState &state, PictureSurface &plot, DisplayMode mode, bool vertical,
                const RedrawRules &rules)
{
    const PlotMode style = plotMode(mode, state.view.Enlarged);
    if (mode == DisplayMode::Line) {
        profile::AnalyseProfile(state);
        if (rules.findProfileRange) {
            profile::FindProfileMax(state);
            profile::FindProfileMin(state);
        }
        plotting::PlotAnalysedCurve(state, plot, style, vertical);
        return;
    }
    if (rules.rescanGreyRange)
        sampling::ScanGreyRange(state.picture);
    plotting::PlotRawCurve(state, plot, style, vertical);
    if (rules.reanalyseInFaceMode)
        profile::AnalyseProfile(state);
    plotting::PlotAnalysedCurve(state, plot, style, vertical);
}

} // namespace

void DrawZeroLine(const AnalysisState &state, PictureSurface &plot, Colour colour, bool vertical)
{
    const double at = -(state.view.Enlarged ? state.view.AxisStartZoom : state.view.AxisStart);
    const double across = plotgeometry::amplitude(state.view.Enlarged);
    plot.setPenMode(PictureSurface::PenMode::Xor);
    if (vertical)
        plot.line(0, at, across, at, colour);
    else
        plot.line(at, 0, at, across, colour);
    plot.setPenMode(PictureSurface::PenMode::Copy);
}

double ClampIntegrationWidth(double width, bool vertical)
{
    const double rows = vertical ? WorkspaceRasterHeight : WorkspaceRasterWidth;
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
    state.cut.Active = true;
    state.view.Enlarged = false;
    state.cut.CutOrientation = static_cast<int16_t>(vertical ? 2 : 1);
    state.view.AxisStart = start.axisStart;
    state.view.AxisEnd = -start.axisStart;
    RedrawRules frameOnly;
    frameOnly.persistAfterFrame = true;
    frameOnly.curves = false;
    frameOnly.crosshair = false;
    RedrawCurveWindow(state, plot, windowSurface, DisplayMode::Face, vertical, frameOnly);

    if (workspacePicture) {
        sampling::SamplePicture(state.picture, *workspacePicture, progress);
    }
    state.cut.CutPosition = start.cut;
    plotting::PlotRawCurve(state, plot, PlotMode::FaceNormal, vertical);
    // Width 0 (also a missing settings file) smooths nothing: the analysed curve is then the
    // nine-line average itself.
    state.cut.IntegrationWidth = ClampIntegrationWidth(integrationWidth, vertical);
    profile::AnalyseProfile(state);
    plotting::PlotAnalysedCurve(state, plot, PlotMode::FaceNormal, vertical);
    if (workspacePicture)
        overlays::DrawCutMarker(state, *workspacePicture);
    DrawZeroLine(state, plot, colours::ZeroOrange, vertical);
    state.view.CursorX = start.cursorX;
    state.view.CursorY = start.cursorY;
    overlays::DrawCrosshair(state, plot, state.view.CursorX, state.view.CursorY, 0, 0, CrosshairMode::Draw);
}

void ForgetMarks(AnalysisState &state, bool vertical)
{
    (vertical ? state.view.MarkCountV : state.view.MarkCountH) = 0;
    (vertical ? state.view.MarkPixelsV : state.view.MarkPixelsH) = {};
    (vertical ? state.view.MarkValuesV : state.view.MarkValuesH) = {};
}

void MoveCut(AnalysisState &state, PictureSurface &workspacePicture, double position)
{
    ForgetMarks(state, state.cut.CutOrientation == 2);
    overlays::DrawCutMarker(state, workspacePicture); // off at the old place
    state.cut.CutPosition = position;
    overlays::DrawCutMarker(state, workspacePicture); // on at the new one
    workspacePicture.setPenMode(PictureSurface::PenMode::Copy);
}

void RedrawCurveWindow(AnalysisState &state, PictureSurface &plot, PictureSurface &windowSurface,
                       DisplayMode mode, bool vertical, const RedrawRules &rules)
{
    if (rules.clear == RedrawRules::Clear::Plot)
        plot.clear();
    else if (rules.clear == RedrawRules::Clear::WindowDrawing)
        windowSurface.clear();

    const int span = static_cast<int>(rounding::halfEven(state.view.AxisEnd - state.view.AxisStart));
    int spanX = vertical ? 100 : span;
    int spanY = vertical ? span : 100;
    // Positions along the cut read picture pixels, as the widths, the table and the readouts do.
    plotting::DrawPlotFrame(state.view.AxisStart, plot, windowSurface, spanX, spanY, vertical ? 2 : 8, vertical ? 8 : 2,
                            scalesides::CurvePlot, true, nullptr, state.picture.PictureScale);
    if (rules.persistAfterFrame)
        plot.setPersistent(true);

    if (rules.zeroLine == RedrawRules::ZeroLine::BeforeCurves)
        DrawZeroLine(state, plot, rules.zeroLineColour, vertical);
    if (rules.curves)
        drawCurves(state, plot, mode, vertical, rules);
    if (rules.zeroLine == RedrawRules::ZeroLine::AfterCurves)
        DrawZeroLine(state, plot, rules.zeroLineColour, vertical);
    if (rules.crosshair)
        overlays::DrawCrosshair(state, plot, state.view.CursorX, state.view.CursorY, 0, 0, CrosshairMode::Draw);
}

} // namespace lumetra::curveview
