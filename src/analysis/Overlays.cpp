// The exclusive-or overlays (crosshair, cut marker, zero line and origin mark) and the full
// repaint of a curve window.
#include "analysis/Module1.h"
#include "analysis/NumberText.h"
#include "analysis/PlotGeometry.h"
#include "platform/PictureSurface.h"

#include <cmath>

namespace lumetra::Module1 {

namespace {

// Sets the exclusive-or pen for the lifetime of the object, then the copy pen and solid style.
class XorPen
{
public:
    explicit XorPen(PictureSurface &surface) : m_surface(surface)
    {
        m_surface.setPenMode(PictureSurface::PenMode::Xor);
    }
    ~XorPen()
    {
        m_surface.setLineStyle(PictureSurface::LineStyle::Solid);
        m_surface.setPenMode(PictureSurface::PenMode::Copy);
    }
    XorPen(const XorPen &) = delete;
    XorPen &operator=(const XorPen &) = delete;

private:
    PictureSurface &m_surface;
};

void drawCross(PictureSurface &plot, double x, double y, const plotgeometry::PlotSize &size)
{
    plot.line(x, 0, x, size.height, colours::Crosshair);
    plot.line(0, y, size.width, y, colours::Crosshair);
}

} // namespace

void DrawCrosshair(const AnalysisState &state, PictureSurface &plot, double oldX, double oldY, double newX,
                   double newY, CrosshairMode mode)
{
    if (state.CutOrientation != 1 && state.CutOrientation != 2)
        return;
    const plotgeometry::PlotSize size = plotgeometry::plotSize(state.CutOrientation, state.Enlarged);
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
    if (!state.CurveWindowOpen)
        return;
    const double c = state.CutPosition;
    const double n = state.IntegrationWidth;
    PictureSurface &p = workspacePicture;
    if (state.CutOrientation == 1) {
        XorPen pen(p);
        p.line(0, c, 640, c, colours::CutLine);
        p.setLineStyle(PictureSurface::LineStyle::Dot);
        p.line(0, c - n, 640, c - n, colours::Band);
        p.line(0, c + n, 640, c + n, colours::Band);
    } else if (state.CutOrientation == 2) {
        XorPen pen(p);
        p.line(c, 0, c, 480, colours::CutLine);
        p.setLineStyle(PictureSurface::LineStyle::Dot);
        p.line(c - n, 0, c - n, 480, colours::Band);
        p.line(c + n, 0, c + n, 480, colours::Band);
    }
}

void RefreshCurveWindow(AnalysisState &state, PictureSurface &plot, CurveWindowPort &window, int originSide,
                        bool vertical)
{
    const bool enlarged = state.Enlarged;
    RedrawRules rules;
    rules.clear = RedrawRules::Clear::WindowDrawing;
    rules.persistAfterFrame = true;
    // The horizontal window keeps the existing profile when enlarged; the vertical one analyses
    // again in both sizes.
    rules.reanalyseInFaceMode = vertical || !enlarged;
    RedrawCurveWindow(state, plot, window.windowSurface(),
                      window.lineModeActive() ? DisplayMode::Line : DisplayMode::Face, vertical, rules);

    const double cursor = vertical ? state.CursorY : state.CursorX;
    const double step = plotgeometry::enlargedStep(vertical);
    const double position =
        enlarged ? std::floor(cursor / step + 0.5) + state.AxisStart : cursor + state.AxisStart;
    window.setPositionReadout(numberText(state.toPicturePixels(position)));

    {
        XorPen pen(plot);
        const double s = enlarged ? state.AxisStartZoom : state.AxisStart;
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
    DrawZeroLine(state, plot, colours::ZeroBlue, vertical);

    window.setTablePositions(state.AxisStart, vertical ? 480 : 640);
}

} // namespace lumetra::Module1
