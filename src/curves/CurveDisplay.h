#pragma once

#include "analysis/curves/IntensityPercents.h"
#include "types/Colour.h"
#include "platform/ports/CurveViewPort.h"

namespace lumetra {

class CurveWindow;

// What a curve window draws on its plot: the frame with its scales, the zero line and the
// crosshair; and the sequences that redraw everything (all through curveview::RedrawCurveWindow):
// the mode switch, the size change and following a moved cut.
class CurveDisplay
{
public:
    explicit CurveDisplay(CurveWindow &window);

    // The zero line (position 0) with the exclusive-or pen, for the current size.
    void drawZeroLine(Colour colour);
    // The crosshair at (CursorX, CursorY).
    void drawCrosshair();

    // faceMode / lineMode clicks: points dropped, buttons swapped, plot redrawn, table refilled.
    void switchMode(DisplayMode mode);
    // the enlarge and shrink buttons.
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
