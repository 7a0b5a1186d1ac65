#pragma once

#include "analysis/IntensityPercents.h"
#include "platform/Colour.h"
#include "platform/CurveViewPort.h"

namespace lumetra {

class CurveWindow;

// What a curve window draws on its plot: the frame with its scales, the zero line and the
// crosshair; and the sequences that redraw everything (all through Module1::RedrawCurveWindow):
// the mode switch, the size change and following a moved cut.
class CurveDisplay
{
public:
    explicit CurveDisplay(CurveWindow &window);

    // The zero line (position 0) with the exclusive-or pen, for the current size.
    void drawZeroLine(Colour colour);
    // The crosshair at (CursorX, CursorY).
    void drawCrosshair();

    // facemode / linemode clicks: points dropped, buttons swapped, plot redrawn, table refilled.
    void switchMode(DisplayMode mode);
    // CurtButton2 / CurtButton3 (vertical: CurtButton3 / CurtButton4).
    void enlarge();
    void returnToNormalSize();
    // The workspace moved the cut: plot redrawn for the new cut, table refilled.
    void followCut(CurveViewPort::CutTrigger trigger);

private:
    void changeSize(bool enlarged);
    void refillTable(DisplayMode mode);

    CurveWindow &m_window;
};

} // namespace lumetra
