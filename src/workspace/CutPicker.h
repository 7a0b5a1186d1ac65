#pragma once

#include "platform/ports/CurveViewPort.h"

namespace lumetra {

struct AnalysisState;
struct AppContext;
class PictureSurface;

// Moves the cut of the open curve window from the workspace picture: a mouse press takes the
// pressed row (horizontal cut) or column (vertical cut); Up/Down and Left/Right step it by one
// pixel within rows 1..479 and columns 1..639. Each move clears the marked points, moves the
// marker on the picture, and has the curve window redraw its plot and refill the intensity
// table. Without an open curve window nothing changes.
class CutPicker
{
public:
    using Trigger = CurveViewPort::CutTrigger;

    CutPicker(AppContext &context, AnalysisState &state, PictureSurface &picture);

    // A press at picture pixel (x, y), any button. Presses outside the picture (on its border)
    // are ignored. Returns whether the cut moved.
    bool pressAt(int x, int y);
    // A key press (Qt key code). Returns whether the cut moved.
    bool keyPressed(int key);

    // The whole move to position p for the open curve window.
    void moveCut(CurveViewPort &window, double position, Trigger trigger);

private:
    // The curve window whose cut the workspace moves, or nullptr.
    CurveViewPort *activeWindow() const;

    AppContext &m_context;
    AnalysisState &m_state;
    PictureSurface &m_picture;
};

} // namespace lumetra
