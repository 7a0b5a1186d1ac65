#pragma once

#include "surface/PictureSurface.h"

#include <QWidget>

namespace lumetra {

// Shows a PictureSurface and forwards mouse and key events in surface pixels. With a border
// (2 pixels, sunken) it is a picture box; without one it serves as a window's own drawing,
// with child controls on top of it.
class SurfaceView : public QWidget
{
    Q_OBJECT

public:
    explicit SurfaceView(PictureSurface *surface, int border = 2, QWidget *parent = nullptr);

    PictureSurface *surface() const { return m_surface; }
    int border() const { return m_border; }
    // Resizes the surface and the widget around it (surface + 2 x border).
    void setSurfaceSize(int width, int height);
    QSize sizeHint() const override;

signals:
    void mousePressed(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void mouseReleased(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPoint toSurface(const QPointF &widgetPos) const;

    PictureSurface *m_surface;
    int m_border;
};

} // namespace lumetra
