#pragma once

#include <QImage>
#include <QSizeF>

class QGraphicsWidget;

namespace lumetra {

// A graphics widget (a chart for a printed report) laid out at `size` scene units and drawn alone,
// antialiased, at twice as many pixels on white. Takes the widget over and deletes it.
QImage renderGraphicsWidget(QGraphicsWidget *widget, const QSizeF &size);

} // namespace lumetra
