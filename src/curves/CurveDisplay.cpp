#include "curves/CurveDisplay.h"

#include "analysis/AnalysisState.h"
#include "analysis/Module1.h"
#include "curves/CurveWidthReadout.h"
#include "curves/CurveWindow.h"
#include "curves/frm_listview.h"

#include <QPushButton>

namespace lumetra {

CurveDisplay::CurveDisplay(CurveWindow &window) : m_window(window) {}

void CurveDisplay::drawZeroLine(Colour colour)
{
    Module1::DrawZeroLine(m_window.state(), m_window.plot(), colour, m_window.isVertical());
}

void CurveDisplay::drawCrosshair()
{
    const AnalysisState &s = m_window.state();
    Module1::DrawCrosshair(s, m_window.plot(), s.CursorX, s.CursorY, 0, 0, CrosshairMode::Draw);
}

void CurveDisplay::refillTable(DisplayMode mode)
{
    if (frm_listview *table = frm_listview::instance(m_window.context()))
        table->refill(m_window.state(), mode);
}

void CurveDisplay::switchMode(DisplayMode mode)
{
    AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    m_window.points().forget();
    m_window.showDisplayMode(mode);
    if (!s.CurveWindowOpen || s.CutOrientation != m_window.curveGeometry().cutOrientation)
        return;
    Module1::RedrawRules rules;
    rules.clear = Module1::RedrawRules::Clear::Plot;
    rules.zeroLine = Module1::RedrawRules::ZeroLine::AfterCurves;
    rules.zeroLineColour = colours::ZeroCyan;
    // The vertical window keeps the grey range it has when enlarged.
    rules.rescanGreyRange = !(vertical && s.Enlarged);
    Module1::RedrawCurveWindow(s, m_window.plot(), m_window.windowSurface(), mode, vertical, rules);
    refillTable(mode);
}

void CurveDisplay::followCut(CurveViewPort::CutTrigger trigger)
{
    const bool byMouse = trigger == CurveViewPort::CutTrigger::Mouse;
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    const DisplayMode mode = m_window.lineModeActive() ? DisplayMode::Line : DisplayMode::Face;
    Module1::RedrawRules rules;
    rules.clear = byMouse ? Module1::RedrawRules::Clear::WindowDrawing : Module1::RedrawRules::Clear::Plot;
    rules.persistAfterFrame = byMouse;
    rules.zeroLine = Module1::RedrawRules::ZeroLine::BeforeCurves;
    Module1::RedrawCurveWindow(m_window.state(), m_window.plot(), m_window.windowSurface(), mode,
                               m_window.isVertical(), rules);
    refillTable(mode);
}

void CurveDisplay::changeSize(bool enlarged)
{
    AnalysisState &s = m_window.state();
    const CurveGeometry &g = m_window.curveGeometry();
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    s.Enlarged = enlarged;
    // The grid of the old size was kept as the plot's picture; a plot of the other size starts
    // from a blank picture, so that no stale grid lines show through the new one.
    m_window.plot().clearPicture();
    m_window.windowSurface().clear();
    m_window.applyLayout(enlarged);
    m_window.placeForSize(enlarged);
    s.AxisStart = g.axisStart;
    s.AxisEnd = -g.axisStart;
    // The curves of the current mode as they stand: no range found again.
    Module1::RedrawRules rules;
    rules.persistAfterFrame = true;
    rules.rescanGreyRange = false;
    rules.findProfileRange = false;
    rules.crosshair = false;
    Module1::RedrawCurveWindow(s, m_window.plot(), m_window.windowSurface(),
                               m_window.lineModeActive() ? DisplayMode::Line : DisplayMode::Face,
                               m_window.isVertical(), rules);
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
