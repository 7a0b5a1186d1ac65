#include "curves/CurveDisplay.h"

#include "analysis/AnalysisState.h"
#include "analysis/Module1.h"
#include "curves/CurveWindow.h"
#include "curves/frm_listview.h"

#include <QPushButton>

namespace lumetra {

CurveDisplay::CurveDisplay(CurveWindow &window) : m_window(window) {}

void CurveDisplay::drawFrame()
{
    const AnalysisState &s = m_window.state();
    const CurveGeometry &g = m_window.curveGeometry();
    const int positionSpan = static_cast<int>(s.AxisEnd - s.AxisStart);
    int spanX = g.vertical ? 100 : positionSpan;
    int spanY = g.vertical ? positionSpan : 100;
    Module1::DrawPlotFrame(s, m_window.plot(), m_window.windowSurface(), spanX, spanY, g.bottomSubdivisions,
                           g.leftSubdivisions, QStringLiteral("11001"), true);
}

void CurveDisplay::drawZeroLine(Colour colour)
{
    const AnalysisState &s = m_window.state();
    PictureSurface &plot = m_window.plot();
    const double at = s.Enlarged ? -s.AxisStartZoom : -s.AxisStart;
    const double length = s.Enlarged ? 400 : 200;
    plot.setPenMode(PictureSurface::PenMode::Xor);
    if (m_window.isVertical())
        plot.line(0, at, length, at, colour);
    else
        plot.line(at, 0, at, length, colour);
    plot.setPenMode(PictureSurface::PenMode::Copy);
}

void CurveDisplay::drawCrosshair()
{
    const AnalysisState &s = m_window.state();
    Module1::DrawCrosshair(s, m_window.plot(), s.CursorX, s.CursorY, 0, 0, 1);
}

void CurveDisplay::switchMode(DisplayMode mode)
{
    AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    PictureSurface &plot = m_window.plot();

    m_window.points().forget();
    const bool line = mode == DisplayMode::Line;
    m_window.faceModeButton()->setEnabled(line);
    m_window.lineModeButton()->setEnabled(!line);
    if (!s.CurveWindowOpen || s.CutOrientation != m_window.curveGeometry().cutOrientation)
        return;
    plot.clear();
    drawFrame();

    if (line) {
        Module1::AnalyseProfile(s);
        Module1::FindProfileMax(s);
        Module1::FindProfileMin(s);
        Module1::PlotAnalysedCurve(s, plot, s.Enlarged ? 6 : 1, vertical);
    } else {
        // The vertical window keeps the grey range it has when enlarged.
        if (!(vertical && s.Enlarged))
            Module1::ScanGreyRange(s);
        const int style = s.Enlarged ? 5 : 0;
        Module1::PlotRawCurve(s, plot, style, vertical);
        Module1::AnalyseProfile(s);
        Module1::PlotAnalysedCurve(s, plot, style, vertical);
    }
    drawZeroLine(colours::ZeroCyan);
    drawCrosshair();
    if (frm_listview *table = frm_listview::instance())
        table->refill(s, mode);
}

void CurveDisplay::drawCurvesAfterResize()
{
    AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    PictureSurface &plot = m_window.plot();
    if (m_window.lineModeActive()) {
        Module1::AnalyseProfile(s);
        Module1::PlotAnalysedCurve(s, plot, s.Enlarged ? 6 : 1, vertical);
        return;
    }
    const int style = s.Enlarged ? 5 : 0;
    Module1::PlotRawCurve(s, plot, style, vertical);
    Module1::AnalyseProfile(s);
    Module1::PlotAnalysedCurve(s, plot, style, vertical);
}

void CurveDisplay::changeSize(bool enlarged)
{
    AnalysisState &s = m_window.state();
    const CurveGeometry &g = m_window.curveGeometry();
    s.Enlarged = enlarged;
    // The grid of the old size was kept as the plot's picture; a plot of the other size starts
    // from a blank picture, so that no stale grid lines show through the new one.
    m_window.plot().clearPicture();
    m_window.windowSurface().clear();
    m_window.applyLayout(enlarged);
    s.AxisStart = g.axisStart;
    s.AxisEnd = -g.axisStart;
    drawFrame();
    m_window.plot().setPersistent(true);
    drawCurvesAfterResize();
    m_window.points().rescale(enlarged);
    if (enlarged) {
        s.AxisStartZoom = g.axisStartZoom;
        s.AxisEndZoom = -g.axisStartZoom;
    }
    drawZeroLine(colours::ZeroCyan);
    const QPointF centre = g.layout(enlarged).crosshair;
    s.CursorX = centre.x();
    s.CursorY = centre.y();
    drawCrosshair();
    m_window.enlargeButton()->setEnabled(!enlarged);
    m_window.shrinkButton()->setEnabled(enlarged);
}

void CurveDisplay::enlarge()
{
    changeSize(true);
}

void CurveDisplay::returnToNormalSize()
{
    changeSize(false);
}

} // namespace lumetra
