#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

namespace lumetra {

class PictureSurface;
class SurfaceView;

// A one-off distance measurement on the workspace picture: after start(), a press anchors a
// line, the line follows the pointer (exclusive-or, on the overlay) and the release removes it
// and reports its length in picture pixels.
class DistancePicker : public QObject
{
    Q_OBJECT

public:
    DistancePicker(PictureSurface &picture, SurfaceView *view, QObject *parent = nullptr);

    void start(std::function<void(double length)> done);
    bool active() const { return static_cast<bool>(m_done); }

private:
    void pressed(int x, int y);
    void moved(int x, int y);
    void released(int x, int y);
    void toggleLine();
    // Takes the line off at its old end and moves the end; false when no drag is under way.
    bool follow(int x, int y);

    PictureSurface &m_picture;
    std::function<void(double)> m_done;
    std::optional<QPoint> m_start;
    QPoint m_end;
};

} // namespace lumetra
