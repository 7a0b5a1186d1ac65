#include "workspace/DistancePicker.h"

#include "surface/PictureSurface.h"
#include "platform/dialogs/SurfaceView.h"

#include <cmath>

namespace lumetra {

namespace {
constexpr Colour LineColour = rgb(0, 255, 255);
}

DistancePicker::DistancePicker(PictureSurface &picture, SurfaceView *view, QObject *parent)
    : QObject(parent), m_picture(picture)
{
    connect(view, &SurfaceView::mousePressed, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { pressed(x, y); });
    connect(view, &SurfaceView::mouseMoved, this,
            [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { moved(x, y); });
    connect(view, &SurfaceView::mouseReleased, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { released(x, y); });
}

void DistancePicker::start(std::function<void(double)> done)
{
    if (m_start)
        toggleLine();
    m_start.reset();
    m_done = std::move(done);
}

void DistancePicker::toggleLine()
{
    const auto pen = m_picture.penMode();
    m_picture.setPenMode(PictureSurface::PenMode::Xor);
    m_picture.line(m_start->x(), m_start->y(), m_end.x(), m_end.y(), LineColour);
    m_picture.setPenMode(pen);
}

void DistancePicker::pressed(int x, int y)
{
    if (!m_done || m_start)
        return;
    m_start = QPoint(x, y);
    m_end = *m_start;
    toggleLine();
}

bool DistancePicker::follow(int x, int y)
{
    if (!m_start)
        return false;
    toggleLine();
    m_end = QPoint(x, y);
    return true;
}

void DistancePicker::moved(int x, int y)
{
    if (follow(x, y))
        toggleLine();
}

void DistancePicker::released(int x, int y)
{
    if (!follow(x, y))
        return;
    const double length = std::hypot(m_end.x() - m_start->x(), m_end.y() - m_start->y());
    m_start.reset();
    auto done = std::move(m_done);
    m_done = nullptr;
    done(length);
}

} // namespace lumetra
