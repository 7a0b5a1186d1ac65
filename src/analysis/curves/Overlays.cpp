// The exclusive-or overlays (crosshair, cut marker, zero line and origin mark) and the full
// repaint of a curve window.
#include "analysis/curves/Overlays.h"

#include "analysis/curves/CurveRedraw.h"
#include "analysis/NumberText.h"
#include "analysis/curves/PlotGeometry.h"
#include "surface/PictureSurface.h"
#include "surface/XorPen.h"
#include "types/WorkspaceRaster.h"

#include <cmath>

namespace lumetra::overlays {

namespace {

void drawCross(PictureSurface &plot, double x, double y, const plotgeometry::PlotSize &size)
{
    plot.line(x, 0, x, size.height, colours::Crosshair);
    plot.line(0, y, size.width, y, colours::Crosshair);
}

} // namespace

void DrawCrosshair(const AnalysisState &state, PictureSurface &plot, double oldX, double oldY, double newX,
                   double newY, CrosshairMode mode)
{
    if (state.cut.CutOrientation != 1 && state.cut.CutOrientation != 2)
        return;
    const plotgeometry::PlotSize size = plotgeometry::plotSize(state.cut.CutOrientation, state.view.Enlarged);
    XorPen pen(plot);
    if (mode == CrosshairMode::Draw) {
        drawCross(plot, oldX, oldY, size);
    } else if (mode == CrosshairMode::Move) {
        drawCross(plot, oldX, oldY, size);
        drawCross(plot, newX, newY, size);
    }
}

void DrawCutMarker(const AnalysisState &state, PictureSurface &workspacePicture)
{
    if (!state.cut.Active)
        return;
    const double c = state.cut.CutPosition;
    const double n = state.cut.IntegrationWidth;
    PictureSurface &p = workspacePicture;
    if (state.cut.CutOrientation == 1) {
        XorPen pen(p);
        p.line(0, c, WorkspaceRasterWidth, c, colours::CutLine);
        p.setLineStyle(PictureSurface::LineStyle::Dot);
        p.line(0, c - n, WorkspaceRasterWidth, c - n, colours::Band);
        p.line(0, c + n, WorkspaceRasterWidth, c + n, colours::Band);
    } else if (state.cut.CutOrientation == 2) {
        XorPen pen(p);
        p.line(c, 0, c, WorkspaceRasterHeight, colours::CutLine);
        p.setLineStyle(PictureSurface::LineStyle::Dot);
        p.line(c - n, 0, c - n, WorkspaceRasterHeight, colours::Band);
        p.line(c + n, 0, c + n, WorkspaceRasterHeight, colours::Band);
    }
}

void RefreshCurveWindow(AnalysisState &state, PictureSurface &plot, CurveWindowPort &window, int originSide,
                        bool vertical)
{
    const bool enlarged = state.view.Enlarged;
    curveview::RedrawRules rules;
    rules.clear = curveview::RedrawRules::Clear::WindowDrawing;
    rules.persistAfterFrame = true;
    // The horizontal window keeps the existing profile when enlarged; the vertical one analyses
    // again in both sizes.
    rules.reanalyseInFaceMode = vertical || !enlarged;
    curveview::RedrawCurveWindow(state, plot, window.windowSurface(),
                      window.lineModeActive() ? DisplayMode::Line : DisplayMode::Face, vertical, rules);

    const double cursor = vertical ? state.view.CursorY : state.view.CursorX;
    const double step = plotgeometry::enlargedStep(vertical);
    const double position =
        enlarged ? std::floor(cursor / step + 0.5) + state.view.AxisStart : cursor + state.view.AxisStart;
    window.setPositionReadout(numberText(state.picture.toPicturePixels(position)));

    {
        XorPen pen(plot);
        const double s = enlarged ? state.view.AxisStartZoom : state.view.AxisStart;
        const double k = enlarged ? 1.5 : 1.0; // the origin mark's offset, in both orientations
        const double extent = plotgeometry::amplitude(enlarged); // plot height, or width when vertical
        const auto across = [&](double at, Colour colour) {
            if (vertical)
                plot.line(0, at, extent, at, colour);
            else
                plot.line(at, 0, at, extent, colour);
        };
        if (originSide == 1)
            across(k - s, colours::ZeroOrange);
        else if (originSide == 2)
            across(-s - k, colours::ZeroOrange);
    }
    curveview::DrawZeroLine(state, plot, colours::ZeroBlue, vertical);

    window.setTablePositions(state.view.AxisStart, vertical ? WorkspaceRasterHeight : WorkspaceRasterWidth);
}

} // namespace lumetra::overlays
