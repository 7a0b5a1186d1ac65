#pragma once

#include "analysis/IntensityPercents.h"
#include "platform/Colour.h"

namespace lumetra {

class CurveWindow;

// What a curve window draws on its plot: the frame with its scales, the curves of the current
// mode and size, the zero line and the crosshair; and the two sequences that redraw everything,
// the mode switch and the size change.
class CurveDisplay
{
public:
    explicit CurveDisplay(CurveWindow &window);

    // DrawPlotFrame on the plot and the window's own drawing, with the window's arguments.
    void drawFrame();
    // The zero line (position 0) with the exclusive-or pen, for the current size.
    void drawZeroLine(Colour colour);
    // The crosshair at (CursorX, CursorY).
    void drawCrosshair();

    // facemode / linemode clicks: points dropped, buttons swapped, plot redrawn, table refilled.
    void switchMode(DisplayMode mode);
    // CurtButton2 / CurtButton3 (vertical: CurtButton3 / CurtButton4).
    void enlarge();
    void returnToNormalSize();

private:
    void changeSize(bool enlarged);
    // The curves of the current display mode after a size change; nothing analysed when the
    // integration width is 0.
    void drawCurvesAfterResize();

    CurveWindow &m_window;
};

} // namespace lumetra
