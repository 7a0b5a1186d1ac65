#include "app/banner/BannerAnimation.h"

#include <algorithm>

namespace lumetra {

BannerAnimation::BannerAnimation(PictureSurface &strip, const QImage &bitmap)
    : m_strip(strip), m_bitmap(bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32))
{
}

Colour BannerAnimation::borderColour() const
{
    if (m_bitmap.width() < 3 || m_bitmap.height() < 3)
        return -1;
    return fromQRgb(m_bitmap.pixel(2, 2));
}

void BannerAnimation::restart()
{
    m_phase = 1;
    m_x = 0;
    m_n = 0;
}

void BannerAnimation::tick()
{
    if (!hasBitmap())
        return;
    const int w1 = m_strip.width();
    const int h1 = m_strip.height();
    const int w2 = m_bitmap.width();

    switch (m_phase) {
    case 1:
        if (m_x <= w1 + w2) {
            ++m_x;
            draw(w1 - m_x, 0, m_x, CopyHeight, 0, 0);
        } else {
            m_x = 0;
            m_phase = 2;
        }
        break;
    case 2:
        if (m_x <= w1 + w2) {
            ++m_x;
            draw(0, 0, m_x, CopyHeight, w2 - m_x, 0);
        } else {
            m_x = 0;
            m_phase = 3;
        }
        break;
    default:
        if (m_x <= w1) {
            ++m_x;
            draw(0, 0, m_x, h1, 0, 0);
        } else if (m_n < w2 - 1) {
            ++m_n;
            draw(0, 0, m_x, h1, m_n, 0);
        } else {
            m_x = 0;
            m_n = 0;
            m_phase = 1;
        }
        break;
    }
}

void BannerAnimation::draw(int dx, int dy, int w, int h, int sx, int sy)
{
    // Only the part of the destination inside the strip matters.
    const QRect target = QRect(dx, dy, w, h).intersected(QRect(0, 0, m_strip.width(), m_strip.height()));
    if (target.isEmpty())
        return;
    QImage frame(target.size(), QImage::Format_RGB32);
    frame.fill(toQRgb(m_strip.backColour()));
    // The source rectangle that lands on the target, clipped to the bitmap.
    const QRect source =
        QRect(sx + (target.left() - dx), sy + (target.top() - dy), target.width(), target.height())
            .intersected(m_bitmap.rect());
    for (int y = source.top(); y <= source.bottom(); ++y) {
        const int fy = y - (sy + (target.top() - dy));
        const int fx = source.left() - (sx + (target.left() - dx));
        const QRgb *from = reinterpret_cast<const QRgb *>(m_bitmap.constScanLine(y)) + source.left();
        std::copy_n(from, source.width(), reinterpret_cast<QRgb *>(frame.scanLine(fy)) + fx);
    }
    m_strip.copyFrom(frame, frame.rect(), target.topLeft());
}

} // namespace lumetra
