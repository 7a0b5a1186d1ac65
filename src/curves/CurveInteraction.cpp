#include "curves/CurveInteraction.h"

#include "analysis/AnalysisState.h"
#include "analysis/curves/Overlays.h"
#include "curves/CurveValues.h"
#include "curves/CurveWidthReadout.h"
#include "curves/CurveWindow.h"
#include "platform/settings/Calibration.h"
#include "platform/dialogs/PointerControl.h"

#include <QLabel>
#include <QMenu>

namespace lumetra {

CurveInteraction::CurveInteraction(CurveWindow &window) : m_window(window) {}

void CurveInteraction::mouseMoved(int x, int y)
{
    SurfaceView *view = m_window.plotView();
    const int w = m_window.plotWidth();
    const int h = m_window.plotHeight();
    const int b = view->border();
    // While a button is held the plot keeps receiving moves from anywhere; only those over the
    // plot box count.
    if (x < -b || y < -b || x >= w + b || y >= h + b)
        return;
    if (x >= 0 && x <= w && y >= 0 && y <= h && view->cursor().shape() != Qt::CrossCursor)
        view->setCursor(Qt::CrossCursor);
    track(x, y);
}

QString CurveInteraction::positionText(int x, int y) const
{
    const AnalysisState &s = m_window.state();
    const double umPerPixel = loadCalibration(m_window.context().calibrationFile).umPerPixel();
    const double raster = m_window.isVertical() ? CurveValues::positionAt(s, true, y)
                                                : CurveValues::clampedPositionAt(s, false, x, m_window.plotWidth());
    return CurveValues::positionText(s.picture.toPicturePixels(raster), umPerPixel);
}

void CurveInteraction::relabelPosition()
{
    QLabel *readout = m_window.positionReadout();
    if (readout->text().isEmpty())
        return;
    const AnalysisState &s = m_window.state();
    readout->setText(positionText(int(s.view.CursorX), int(s.view.CursorY)));
    readout->adjustSize();
}

void CurveInteraction::track(int x, int y)
{
    AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    const PictureSurface &plot = m_window.plot();
    QLabel *xReadout = m_window.xReadout();
    QLabel *yReadout = m_window.yReadout();
    if (vertical) {
        xReadout->setText(CurveValues::shortestNumber(CurveValues::intensityAt(s, true, x)));
        yReadout->setText(positionText(x, y));
    } else {
        xReadout->setText(positionText(x, y));
        yReadout->setText(CurveValues::shortestNumber(CurveValues::intensityAt(s, false, y)));
    }
    xReadout->adjustSize();
    yReadout->adjustSize();
    xReadout->move(plot.left() + x, xReadout->y());
    yReadout->move(yReadout->x(), plot.top() + y);

    overlays::DrawCrosshair(s, m_window.plot(), s.view.CursorX, s.view.CursorY, x, y, CrosshairMode::Move);
    s.view.CursorX = x;
    s.view.CursorY = y;
}

void CurveInteraction::mouseReleased(int x, int y, Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        const int b = m_window.plotView()->border();
        m_window.popupMenu()->popup(m_window.plotView()->mapToGlobal(QPoint(x + b, y + b)));
    } else if (button == Qt::LeftButton) {
        m_window.points().place(x, y);
    }
}

void CurveInteraction::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    int dx = 0;
    int dy = 0;
    switch (key) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: return;
    }
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::ShiftModifier) {
        // Shift alone scrolls along the position axis; in the vertical window Shift with left or
        // right moves like a plain arrow, in the horizontal one Shift with up or down does nothing.
        const bool vertical = m_window.isVertical();
        if (!vertical) {
            if (dx != 0)
                scroll(dx < 0 ? 1 : -1);
            return;
        }
        if (dy != 0) {
            scroll(dy < 0 ? 1 : -1);
            return;
        }
    }
    nudge(dx, dy);
}

void CurveInteraction::nudge(int dx, int dy)
{
    AnalysisState &s = m_window.state();
    const int w = m_window.plotWidth();
    const int h = m_window.plotHeight();
    const bool allowed = (dx < 0 && s.view.CursorX > 1) || (dx > 0 && s.view.CursorX <= w - 1) ||
                         (dy < 0 && s.view.CursorY >= 1) || (dy > 0 && s.view.CursorY <= h - 1);
    if (!allowed)
        return;
    if (PointerControl *pointer = m_window.context().services.pointer)
        pointer->moveTo(pointer->position() + QPoint(dx, dy));
    // The readouts follow the crosshair even where the pointer cannot be moved.
    track(static_cast<int>(s.view.CursorX) + dx, static_cast<int>(s.view.CursorY) + dy);
}

bool CurveInteraction::scroll(int direction)
{
    AnalysisState &s = m_window.state();
    const CurveGeometry &g = m_window.curveGeometry();
    if ((direction > 0 && !(s.view.AxisStart < 0)) || (direction < 0 && !(s.view.AxisStart > g.axisLowLimit)))
        return false;
    CurveWidthReadout::RedrawGuard widths(m_window.widthReadout());
    s.view.AxisStart += direction;
    s.view.AxisEnd += direction;
    if (s.view.Enlarged) {
        s.view.AxisStartZoom += direction * g.zoomStep;
        s.view.AxisEndZoom += direction * g.zoomStep;
    }
    overlays::RefreshCurveWindow(s, m_window.plot(), m_window, direction > 0 ? 1 : 2, g.vertical);
    if (m_window.points().count() != 0)
        m_window.points().followScroll(direction);
    return true;
}

void CurveInteraction::removeAllPoints()
{
    m_window.points().removeAll();
}

} // namespace lumetra
