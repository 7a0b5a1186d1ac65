#include "platform/dialogs/SurfaceView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace lumetra {

SurfaceView::SurfaceView(PictureSurface *surface, int border, QWidget *parent)
    : QWidget(parent), m_surface(surface), m_border(border)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_surface, &PictureSurface::changed, this, qOverload<>(&QWidget::update));
    setFixedSize(sizeHint());
}

void SurfaceView::setSurfaceSize(int width, int height)
{
    m_surface->resize(width, height);
    setFixedSize(sizeHint());
}

QSize SurfaceView::sizeHint() const
{
    return m_surface->size() + QSize(2 * m_border, 2 * m_border);
}

void SurfaceView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_border > 0) {
        // A sunken box: dark top-left, light bottom-right, as picture boxes are drawn.
        const QRect r = rect();
        p.fillRect(r, QColor(240, 240, 240));
        p.fillRect(QRect(r.left(), r.top(), r.width(), m_border / 2), QColor(128, 128, 128));
        p.fillRect(QRect(r.left(), r.top(), m_border / 2, r.height()), QColor(128, 128, 128));
        p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 2, 1), QColor(64, 64, 64));
        p.fillRect(QRect(r.left() + 1, r.top() + 1, 1, r.height() - 2), QColor(64, 64, 64));
    }
    p.drawImage(m_border, m_border, m_surface->image());
}

QPoint SurfaceView::toSurface(const QPointF &widgetPos) const
{
    return QPoint(static_cast<int>(std::floor(widgetPos.x())) - m_border,
                  static_cast<int>(std::floor(widgetPos.y())) - m_border);
}

void SurfaceView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint p = toSurface(event->position());
    emit mousePressed(p.x(), p.y(), event->button(), event->modifiers());
}

void SurfaceView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = toSurface(event->position());
    emit mouseMoved(p.x(), p.y(), event->buttons(), event->modifiers());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = toSurface(event->position());
    emit mouseReleased(p.x(), p.y(), event->button(), event->modifiers());
}

void SurfaceView::keyPressEvent(QKeyEvent *event)
{
    emit keyPressed(event->key(), event->modifiers());
    event->accept();
}

} // namespace lumetra
