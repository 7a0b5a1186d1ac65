#include "app/banner/BannerStrip.h"

#include "platform/dialogs/SurfaceView.h"

#include <QResizeEvent>

namespace lumetra {

BannerStrip::BannerStrip(QWidget *parent)
    : QWidget(parent), m_surface(1, StripHeight), m_view(new SurfaceView(&m_surface, 0, this))
{
    m_view->setObjectName(QStringLiteral("pictureView"));
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->move(0, 0);
    setFixedHeight(StripHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize BannerStrip::sizeHint() const
{
    return QSize(m_surface.width(), StripHeight);
}

void BannerStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view->setSurfaceSize(std::max(1, event->size().width()), StripHeight);
}

} // namespace lumetra
