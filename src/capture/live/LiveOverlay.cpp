#include "capture/live/LiveOverlay.h"

#include <QEvent>
#include <QPainter>

#include <cmath>

namespace lumetra {

LiveOverlay::LiveOverlay(QWidget *video) : QWidget(video)
{
    setObjectName(QStringLiteral("liveOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(video->rect());
    video->installEventFilter(this);
}

bool LiveOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void LiveOverlay::showBeam(std::optional<beam::BeamResult> result)
{
    if (result && result->status != beam::BeamStatus::Ok)
        result.reset();
    if (!result && !m_beam)
        return;
    m_beam = result;
    update();
}

void LiveOverlay::paintEvent(QPaintEvent *)
{
    if (!m_beam)
        return;
    const beam::BeamResult &b = *m_beam;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Pixel (0, 0)'s centre is at (0.5, 0.5) of the widget; the angle is counter-clockwise as
    // seen on screen, and the painter's y runs down.
    p.translate(b.centroidX + 0.5, b.centroidY + 0.5);
    p.rotate(-b.phiDeg);
    const double a = b.dMajor / 2, c = b.dMinor / 2;
    QPen pen(QColor(0, 255, 128), 1.5);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), a, c);
    pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.drawLine(QPointF(-a, 0), QPointF(a, 0));
    p.drawLine(QPointF(0, -c), QPointF(0, c));
    pen.setStyle(Qt::SolidLine);
    pen.setColor(QColor(255, 64, 64));
    pen.setWidthF(2);
    p.setPen(pen);
    p.rotate(b.phiDeg);
    constexpr double Arm = 8;
    p.drawLine(QPointF(-Arm, 0), QPointF(Arm, 0));
    p.drawLine(QPointF(0, -Arm), QPointF(0, Arm));
}

} // namespace lumetra
