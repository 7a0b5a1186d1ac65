#pragma once

#include "types/FramePlacement.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

namespace lumetra {

class PictureSurface;

// What the other windows do to the open image workspace. The workspace publishes itself in the
// AppContext while it is open; the curve windows reach it only through this.
class WorkspacePort
{
public:
    virtual ~WorkspacePort() = default;
    // pictureView: sampling reads its picture layer; the cut marker goes on its overlay.
    virtual PictureSurface &picture() = 0;
    // The file of the picture shown.
    virtual QString picturePath() const = 0;
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
    // Where the full-resolution frame of the shown file lies on the picture.
    virtual FramePlacement framePlacement() const { return {}; }
    // Moves the open curve window's cut to this row (horizontal) or column (vertical) as a press
    // on the picture does; false when no curve window follows the picture.
    virtual bool moveCutTo(double position) = 0;
    // A mark after the window title ("（饱和）"); empty removes it.
    virtual void setTitleMark(const QString &mark) = 0;
    // The next drag over the picture measures a distance: a line follows the pointer and on
    // release `done` gets its length in picture pixels (then the picture works as before).
    virtual void pickDistance(std::function<void(double length)> done) = 0;
};

} // namespace lumetra
