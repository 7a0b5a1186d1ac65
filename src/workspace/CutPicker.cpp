#include "workspace/CutPicker.h"

#include "analysis/AnalysisState.h"
#include "analysis/curves/CurveRedraw.h"
#include "platform/ports/AppContext.h"
#include "platform/ports/CurveViewPort.h"
#include "surface/PictureSurface.h"

namespace lumetra {

CutPicker::CutPicker(AppContext &context, AnalysisState &state, PictureSurface &picture)
    : m_context(context), m_state(state), m_picture(picture) {}

CurveViewPort *CutPicker::activeWindow() const
{
    const AnalysisState &s = m_state;
    if (!s.cut.Active || (s.cut.CutOrientation != 1 && s.cut.CutOrientation != 2))
        return nullptr;
    CurveViewPort *window = m_context.curveWindow;
    if (!window || window->isVertical() != (s.cut.CutOrientation == 2))
        return nullptr;
    return window;
}

bool CutPicker::pressAt(int x, int y)
{
    CurveViewPort *window = activeWindow();
    if (!window)
        return false;
    if (x < 0 || y < 0 || x >= m_picture.width() || y >= m_picture.height())
        return false;
    moveCut(*window, m_state.cut.CutOrientation == 1 ? y : x, Trigger::Mouse);
    return true;
}

bool CutPicker::keyPressed(int key)
{
    CurveViewPort *window = activeWindow();
    if (!window)
        return false;
    const AnalysisState &s = m_state;
    const double c = s.cut.CutPosition;
    const int h = m_picture.height();
    const int w = m_picture.width();
    double p = 0;
    if (s.cut.CutOrientation == 1 && key == Qt::Key_Up && 1 < c && c <= h - 1)
        p = c - 1;
    else if (s.cut.CutOrientation == 1 && key == Qt::Key_Down && 1 <= c && c < h - 1)
        p = c + 1;
    else if (s.cut.CutOrientation == 2 && key == Qt::Key_Left && 1 < c && c <= w - 1)
        p = c - 1;
    else if (s.cut.CutOrientation == 2 && key == Qt::Key_Right && 1 <= c && c < w - 1)
        p = c + 1;
    else
        return false;
    moveCut(*window, p, Trigger::Key);
    return true;
}

void CutPicker::moveCut(CurveViewPort &window, double position, Trigger trigger)
{
    curveview::MoveCut(m_state, m_picture, position);
    window.followCut(trigger);
}

} // namespace lumetra
