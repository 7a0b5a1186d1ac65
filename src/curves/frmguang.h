#pragma once

#include "curves/CurveWindow.h"

namespace lumetra {

// The horizontal curve window: the intensity along picture row CutPosition, position running
// left to right, intensity upwards.
class frmguang : public CurveWindow
{
    Q_OBJECT

public:
    // The open horizontal curve window or nullptr.
    static frmguang *instance(const AppContext &context);
    // Opens the window (or brings an open one forward). nullptr while the vertical window is
    // open: only one curve window exists at a time.
    static frmguang *showWindow(AppContext &context);

private:
    explicit frmguang(AppContext &context);
};

} // namespace lumetra
