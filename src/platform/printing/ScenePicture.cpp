#include "platform/printing/ScenePicture.h"

#include <QGraphicsScene>
#include <QGraphicsWidget>
#include <QPainter>

namespace lumetra {

QImage renderGraphicsWidget(QGraphicsWidget *widget, const QSizeF &size)
{
    QGraphicsScene scene; // owns the widget from here on
    scene.addItem(widget);
    widget->setGeometry(QRectF(QPointF(0, 0), size));
    scene.setSceneRect(widget->geometry());
    QImage image((size * 2).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(image.rect()), scene.sceneRect());
    return image;
}

} // namespace lumetra
