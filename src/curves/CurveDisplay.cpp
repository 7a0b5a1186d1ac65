#include "curves/CurveDisplay.h"

#include "analysis/AnalysisState.h"
#include "analysis/curves/CurveRedraw.h"
#include "analysis/curves/Overlays.h"
#include "curves/CurveWidthReadout.h"
#include "curves/CurveWindow.h"
#include "curves/IntensityTableWindow.h"

#include <QPushButton>

namespace lumetra {

CurveDisplay::CurveDisplay(CurveWindow &window) : m_window(window) {}

void CurveDisplay::drawZeroLine(Colour colour)
{
    curveview::DrawZeroLine(m_window.state(), m_window.plot(), colour, m_window.isVertical());
}

void CurveDisplay::drawCrosshair()
{
    const AnalysisState &s = m_window.state();
    overlays::DrawCrosshair(s, m_window.plot(), s.view.CursorX, s.view.CursorY, 0, 0, CrosshairMode::Draw);
}

void CurveDisplay::refillTable(DisplayMode mode)
{
    if (IntensityTableWindow *table = IntensityTableWindow::instance(m_window.context()))
        table->refill(m_window.state(), mode);
}

void CurveDisplay::switchMode(DisplayMode mode)
{
    AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    m_window.points().forget();
    m_window.showDisplayMode(mode);
    if (!s.cut.Active || s.cut.CutOrientation != m_window.curveGeometry().cutOrientation)
        return;
    curveview::RedrawRules rules;
    rules.clear = curveview::RedrawRules::Clear::Plot;
    rules.zeroLine = curveview::RedrawRules::ZeroLine::AfterCurves;
    rules.zeroLineColour = colours::ZeroCyan;
    // The vertical window keeps the grey range it has when enlarged.
    rules.rescanGreyRange = !(vertical && s.view.Enlarged);
    curveview::RedrawCurveWindow(s, m_window.plot(), m_window.windowSurface(), mode, vertical, rules);
    refillTable(mode);
}

void CurveDisplay::followCut(CurveViewPort::CutTrigger trigger)
{
    const bool byMouse = trigger == CurveViewPort::CutTrigger::Mouse;
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    const DisplayMode mode = m_window.lineModeActive() ? DisplayMode::Line : DisplayMode::Face;
    curveview::RedrawRules rules;
    rules.clear = byMouse ? curveview::RedrawRules::Clear::WindowDrawing : curveview::RedrawRules::Clear::Plot;
    rules.persistAfterFrame = byMouse;
    rules.zeroLine = curveview::RedrawRules::ZeroLine::BeforeCurves;
    curveview::RedrawCurveWindow(m_window.state(), m_window.plot(), m_window.windowSurface(), mode,
                               m_window.isVertical(), rules);
    refillTable(mode);
}

void CurveDisplay::changeSize(bool enlarged)
{
    AnalysisState &s = m_window.state();
    const CurveGeometry &g = m_window.curveGeometry();
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    s.view.Enlarged = enlarged;
    // The grid of the old size was kept as the plot's picture; a plot of the other size starts
    // from a blank picture, so that no stale grid lines show through the new one.
    m_window.plot().clearPicture();
    m_window.windowSurface().clear();
    m_window.applyLayout(enlarged);
    m_window.placeForSize(enlarged);
    s.view.AxisStart = g.axisStart;
    s.view.AxisEnd = -g.axisStart;
    // The curves of the current mode as they stand: no range found again.
    curveview::RedrawRules rules;
    rules.persistAfterFrame = true;
    rules.rescanGreyRange = false;
    rules.findProfileRange = false;
    rules.crosshair = false;
    curveview::RedrawCurveWindow(s, m_window.plot(), m_window.windowSurface(),
                               m_window.lineModeActive() ? DisplayMode::Line : DisplayMode::Face,
                               m_window.isVertical(), rules);
    m_window.points().rescale(enlarged);
    if (enlarged) {
        s.view.AxisStartZoom = g.axisStartZoom;
        s.view.AxisEndZoom = -g.axisStartZoom;
    }
    drawZeroLine(colours::ZeroCyan);
    const QPointF centre = g.layout(enlarged).crosshair;
    s.view.CursorX = centre.x();
    s.view.CursorY = centre.y();
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
