#pragma once

#include <QString>

namespace lumetra {

class PictureSurface;

// What the analysis routines need of an open curve window (horizontal or vertical), so that
// they can repaint it without knowing its widgets.
class CurveWindowPort
{
public:
    virtual ~CurveWindowPort() = default;
    // The window's own drawing, where the scales and their labels go.
    virtual PictureSurface &windowSurface() = 0;
    // Line mode is active when the line-mode button is the disabled one.
    virtual bool lineModeActive() const = 0;
    // The position read-out: the x readout of the horizontal window, the y readout of the vertical one.
    virtual void setPositionReadout(const QString &text) = 0;
    // Rewrites the position column of the intensity table (created if not open): row k
    // (1-based, rows of them) reads axisStart + k.
    virtual void setTablePositions(double axisStart, int rows) = 0;
};

} // namespace lumetra
