#pragma once

#include "types/DisplayMode.h"

#include <optional>


namespace lumetra {

// What the workspace, the table export and the reports do to the open curve window (horizontal
// or vertical). The window publishes itself in the AppContext while it is open.
class CurveViewPort
{
public:
    enum class CutTrigger { Mouse, Key };

    virtual ~CurveViewPort() = default;
    virtual bool isVertical() const = 0;
    // The mode the window shows; none only when neither mode button shows one.
    virtual std::optional<DisplayMode> displayMode() const = 0;
    // The cut moved (CutPosition already set, marked points already forgotten): the cut label,
    // the plot and the intensity table follow it.
    virtual void followCut(CutTrigger trigger) = 0;
    // The table export moves the window aside: the horizontal one to top 300, the vertical one
    // to left 400.
    virtual void moveAside() = 0;
    virtual void closeWindow() = 0;
    // The workspace picture changed under the cut (a filter ran): it is sampled again as at the
    // window's opening, with its progress windows, and the plot and the table follow it.
    virtual void resamplePicture() = 0;
    // New settings were saved: the window takes the integration width at once (the band on the
    // workspace picture, the analysed curve and the table follow it).
    virtual void applyIntegrationWidth(double width) = 0;
    // Puts the workspace back under the curve window and its table (it was brought forward),
    // leaving every other window where it is in front of them and the keyboard where it is.
    virtual void raiseAboveWorkspace() = 0;
    // A new calibration was saved: the lengths in µm follow it at once.
    virtual void calibrationChanged() {}
};

} // namespace lumetra
