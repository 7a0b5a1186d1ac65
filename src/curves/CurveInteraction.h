#pragma once

#include <QPoint>
#include <Qt>

namespace lumetra {

class CurveWindow;

// Mouse and keys on a curve plot: the crosshair and readouts that follow the mouse, the points
// placed with the left button, the popup menu on the right button, the arrow keys that nudge
// pointer and crosshair one pixel, and Shift + arrow that scrolls the position axis.
class CurveInteraction
{
public:
    explicit CurveInteraction(CurveWindow &window);

    void mouseMoved(int x, int y);
    void mouseReleased(int x, int y, Qt::MouseButton button);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    // The position readout written again for the crosshair where it is (a new calibration);
    // nothing while no crosshair is shown.
    void relabelPosition();
    // "取消所有点"
    void removeAllPoints();

private:
    // Readouts and crosshair for plot pixel (x, y).
    void track(int x, int y);
    // The position readout's text for the crosshair at plot pixel (x, y).
    QString positionText(int x, int y) const;
    void nudge(int dx, int dy);
    // Scrolls towards larger positions (+1) or smaller ones (-1); false at the end of the range.
    bool scroll(int direction);

    CurveWindow &m_window;
};

} // namespace lumetra
