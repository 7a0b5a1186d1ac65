#include "beamview/BeamPictureView.h"

#include "platform/display/ColourBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {
constexpr double MaxZoom = 32;
constexpr double ZoomStep = 1.25;
} // namespace

BeamPictureView::BeamPictureView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("beamPicture"));
    setMinimumSize(240, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_bar = new ColourBar(this);
    m_bar->hide();
}

QSize BeamPictureView::sizeHint() const
{
    return {420, 300};
}

void BeamPictureView::showPicture(const BeamPicture &picture, const std::optional<beam::BeamResult> &result,
                                  const beam::BeamWidths *widths, const OverlayShapes &shapes, double maskDiameters)
{
    const bool sameArea = !m_picture.isNull() && picture.area == m_picture.area;
    m_picture = picture;
    m_result = result;
    m_widths = widths ? std::optional(*widths) : std::nullopt;
    m_shapes = shapes;
    m_maskDiameters = maskDiameters;
    if (!sameArea) {
        m_zoom = 1;
        m_pan = {};
    }
    recolour();
}

void BeamPictureView::clear()
{
    m_picture = {};
    m_result.reset();
    m_widths.reset();
    recolour();
}

void BeamPictureView::setFalseColour(const FalseColourChoice &choice)
{
    m_choice = choice;
    recolour();
}

void BeamPictureView::recolour()
{
    m_coloured = colourBeamPicture(m_picture, m_choice);
    placeBar();
    update();
}

void BeamPictureView::placeBar()
{
    const bool shown = m_choice.colourBar && !m_coloured.image.isNull();
    if (shown) {
        const QSize hint = m_bar->sizeHint();
        m_bar->setGeometry(width() - hint.width() - 4, 4, hint.width(), std::max(0, height() - 8));
        m_bar->setScale(m_choice, m_coloured.low, m_coloured.high, m_coloured.fullScale);
    }
    m_bar->setVisible(shown);
}

void BeamPictureView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeBar();
}

double BeamPictureView::fitScale() const
{
    if (m_coloured.image.isNull())
        return 1;
    const int barWidth = m_bar->isVisible() ? m_bar->width() + 8 : 0;
    return std::min(double(width() - barWidth) / m_coloured.image.width(), double(height()) / m_coloured.image.height());
}

QRectF BeamPictureView::pictureRect() const
{
    const double scale = fitScale() * m_zoom;
    const QSizeF size(m_coloured.image.width() * scale, m_coloured.image.height() * scale);
    const int barWidth = m_bar->isVisible() ? m_bar->width() + 8 : 0;
    const QPointF centre(0.5 * (width() - barWidth), 0.5 * height());
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2) + m_pan, size);
}

void BeamPictureView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 1.0, MaxZoom);
    if (m_zoom == 1)
        m_pan = {};
    update();
}

void BeamPictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_coloured.image.isNull()) {
        painter.setPen(Qt::gray);
        painter.drawText(rect(), Qt::AlignCenter, tr("无图像"));
        return;
    }
    const QRectF target = pictureRect();
    const double scale = target.width() / m_coloured.image.width();
    painter.save();
    painter.translate(target.topLeft());
    painter.drawImage(QRectF(QPointF(0, 0), target.size()), m_coloured.image);
    drawContours(painter, m_coloured, scale);
    if (m_result)
        drawBeamMarks(painter, m_picture, *m_result, m_widths ? &*m_widths : nullptr, m_shapes, m_maskDiameters,
                      scale, 1.5);
    painter.restore();
}

void BeamPictureView::wheelEvent(QWheelEvent *event)
{
    if (m_coloured.image.isNull())
        return;
    const double before = m_zoom;
    setZoom(m_zoom * (event->angleDelta().y() > 0 ? ZoomStep : 1 / ZoomStep));
    // The point under the pointer stays where it is.
    const QRectF r = pictureRect();
    const QPointF at = event->position();
    const double k = m_zoom / before;
    const QPointF centre = r.center();
    if (m_zoom > 1)
        m_pan += (centre - at) * (k - 1);
    update();
    event->accept();
}

void BeamPictureView::mousePressEvent(QMouseEvent *event)
{
    m_dragFrom = event->position().toPoint();
}

void BeamPictureView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_zoom <= 1)
        return;
    m_pan += event->position().toPoint() - m_dragFrom;
    m_dragFrom = event->position().toPoint();
    update();
}

void BeamPictureView::mouseDoubleClickEvent(QMouseEvent *)
{
    setZoom(1);
}

} // namespace lumetra
