#pragma once

#include "curves/CurveWindow.h"

namespace lumetra {

// The vertical curve window: the intensity along picture column CutPosition, position running
// downwards, intensity to the right.
class frmguangshu : public CurveWindow
{
    Q_OBJECT

public:
    // The open vertical curve window or nullptr.
    static frmguangshu *instance(const AppContext &context);
    // Opens the window (or brings an open one forward). nullptr while the horizontal window is
    // open: only one curve window exists at a time.
    static frmguangshu *showWindow(AppContext &context);

private:
    explicit frmguangshu(AppContext &context);
};

} // namespace lumetra
