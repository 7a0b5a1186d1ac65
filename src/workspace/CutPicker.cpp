#include "workspace/CutPicker.h"

#include "analysis/AnalysisState.h"
#include "analysis/Module1.h"
#include "platform/AppContext.h"
#include "platform/CurveViewPort.h"
#include "platform/PictureSurface.h"

namespace lumetra {

CutPicker::CutPicker(AppContext &context, PictureSurface &picture) : m_context(context), m_picture(picture) {}

CurveViewPort *CutPicker::activeWindow() const
{
    const AnalysisState &s = m_context.state;
    if (!s.CurveWindowOpen || (s.CutOrientation != 1 && s.CutOrientation != 2))
        return nullptr;
    CurveViewPort *window = m_context.curveWindow;
    if (!window || window->isVertical() != (s.CutOrientation == 2))
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
    moveCut(*window, m_context.state.CutOrientation == 1 ? y : x, Trigger::Mouse);
    return true;
}

bool CutPicker::keyPressed(int key)
{
    CurveViewPort *window = activeWindow();
    if (!window)
        return false;
    const AnalysisState &s = m_context.state;
    const double c = s.CutPosition;
    const int h = m_picture.height();
    const int w = m_picture.width();
    double p = 0;
    if (s.CutOrientation == 1 && key == Qt::Key_Up && 1 < c && c <= h - 1)
        p = c - 1;
    else if (s.CutOrientation == 1 && key == Qt::Key_Down && 1 <= c && c < h - 1)
        p = c + 1;
    else if (s.CutOrientation == 2 && key == Qt::Key_Left && 1 < c && c <= w - 1)
        p = c - 1;
    else if (s.CutOrientation == 2 && key == Qt::Key_Right && 1 <= c && c < w - 1)
        p = c + 1;
    else
        return false;
    moveCut(*window, p, Trigger::Key);
    return true;
}

void CutPicker::moveCut(CurveViewPort &window, double position, Trigger trigger)
{
    Module1::MoveCut(m_context.state, m_picture, position);
    window.followCut(trigger);
}

} // namespace lumetra
