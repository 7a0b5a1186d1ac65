#pragma once

#include <QPoint>
#include <QRect>

namespace lumetra {

class PictureSurface;

// What the other windows do to the open image workspace. The workspace publishes itself in the
// AppContext while it is open; the curve windows reach it only through this.
class WorkspacePort
{
public:
    virtual ~WorkspacePort() = default;
    // Picture1: sampling reads its picture layer; the cut marker goes on its overlay.
    virtual PictureSurface &picture() = 0;
    // "水平" and "垂直", greyed while a curve window is open.
    virtual void setCurveCommandsEnabled(bool enabled) = 0;
    // "制表", enabled while a curve window is open.
    virtual void setTableCommandEnabled(bool enabled) = 0;
    // Moves the workspace so that its left edge is at x (client-area pixels of the main frame).
    virtual void setLeftEdge(int x) = 0;
    // The workspace's window and its picture, in client-area pixels of the main frame.
    virtual QRect windowRect() const = 0;
    virtual QRect pictureRect() const = 0;
    // Moves the workspace's window (outer top-left, client-area pixels of the main frame).
    virtual void moveWindow(const QPoint &topLeft) = 0;
    // Asks for a repaint of the whole window.
    virtual void scheduleRepaint() = 0;
};

} // namespace lumetra
