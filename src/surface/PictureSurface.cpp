#include "surface/PictureSurface.h"

#include "types/RasterLine.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lumetra {

namespace {

constexpr int DotsPerMeter96 = 3780; // 96 dots per inch, so that 9 points are 12 pixels

QImage blankImage(int width, int height, Colour fill)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    image.fill(toQRgb(fill));
    return image;
}

int roundPixel(double v) { return static_cast<int>(std::lround(v)); }

} // namespace

PictureSurface::PictureSurface(int width, int height, QObject *parent)
    : QObject(parent), m_font(defaultFont())
{
    m_base = blankImage(width, height, m_backColour);
    m_persist = m_base;
    m_screen = m_base;
}

QFont PictureSurface::defaultFont()
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(9);
    return font;
}

void PictureSurface::resize(int width, int height)
{
    if (width == this->width() && height == this->height())
        return;
    const QImage oldPersist = m_persist;
    const QImage oldScreen = m_screen;
    m_screen = blankImage(width, height, m_backColour);
    setPicture(m_picture);
    auto keep = [](QImage &layer, const QImage &old) {
        const int w = std::min(old.width(), layer.width());
        for (int y = 0; y < std::min(old.height(), layer.height()); ++y)
            std::copy_n(reinterpret_cast<const QRgb *>(old.constScanLine(y)), w,
                        reinterpret_cast<QRgb *>(layer.scanLine(y)));
    };
    keep(m_persist, oldPersist);
    keep(m_screen, oldScreen);
    if (m_overlaysApart) {
        const QImage oldOverlay = m_overlay;
        m_overlay = QImage(width, height, QImage::Format_RGB32);
        m_overlay.fill(0u);
        keep(m_overlay, oldOverlay);
    }
    layersReplaced();
}

void PictureSurface::setPlacement(int left, int top)
{
    m_left = left;
    m_top = top;
}

Colour PictureSurface::point(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_screen.width() || y >= m_screen.height())
        return -1;
    return fromQRgb(reinterpret_cast<const QRgb *>(image().constScanLine(y))[x]);
}

Colour PictureSurface::drawingPoint(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_screen.width() || y >= m_screen.height())
        return -1;
    return fromQRgb(reinterpret_cast<const QRgb *>(m_screen.constScanLine(y))[x]);
}

void PictureSurface::setOverlaysApart(bool apart)
{
    if (apart == m_overlaysApart)
        return;
    m_overlaysApart = apart;
    // Overlays drawn so far stay where they are: in the screen, or laid over it.
    if (apart) {
        m_overlay = QImage(m_screen.size(), QImage::Format_RGB32);
        m_overlay.fill(0u);
    } else {
        m_screen = image().copy();
        m_overlay = QImage();
    }
    layersReplaced();
}

void PictureSurface::notifyChanged()
{
    emit changed();
}

void PictureSurface::layersReplaced()
{
    m_shownStale = true;
    notifyChanged();
}

const QImage &PictureSurface::image() const
{
    if (!m_overlaysApart || m_overlay.size() != m_screen.size())
        return m_screen;
    if (m_shownStale) {
        m_shown = m_screen.copy();
        const qsizetype n = static_cast<qsizetype>(m_shown.width()) * m_shown.height();
        QRgb *to = reinterpret_cast<QRgb *>(m_shown.bits());
        const QRgb *mask = reinterpret_cast<const QRgb *>(m_overlay.constBits());
        for (qsizetype i = 0; i < n; ++i)
            to[i] ^= mask[i] & 0x00ffffffu;
        m_shownStale = false;
    }
    return m_shown;
}

template<typename Fn> void PictureSurface::forEachLayer(Fn &&fn)
{
    fn(m_screen);
    if (m_persistent)
        fn(m_persist);
}

void PictureSurface::plot(int x, int y, QRgb rgb)
{
    if (x < 0 || y < 0 || x >= m_screen.width() || y >= m_screen.height())
        return;
    const bool xorPen = m_penMode == PenMode::Xor;
    if (xorPen && m_overlaysApart) {
        reinterpret_cast<QRgb *>(m_overlay.scanLine(y))[x] ^= rgb;
        if (!m_shownStale)
            reinterpret_cast<QRgb *>(m_shown.scanLine(y))[x] ^= rgb;
        return;
    }
    forEachLayer([&](QImage &layer) {
        QRgb &px = reinterpret_cast<QRgb *>(layer.scanLine(y))[x];
        px = xorPen ? ((px ^ rgb) | 0xff000000u) : (rgb | 0xff000000u);
    });
    if (m_overlaysApart && !m_shownStale)
        reinterpret_cast<QRgb *>(m_shown.scanLine(y))[x] =
            reinterpret_cast<const QRgb *>(m_screen.constScanLine(y))[x] ^
            reinterpret_cast<const QRgb *>(m_overlay.constScanLine(y))[x];
}

void PictureSurface::setPixel(int x, int y, Colour colour)
{
    plot(x, y, toQRgb(colour) & 0x00ffffffu);
    notifyChanged();
}

void PictureSurface::setPixels(int x0, int y, std::span<const Colour> colours)
{
    if (y < 0 || y >= height())
        return;
    const bool xorPen = m_penMode == PenMode::Xor;
    const int first = std::max(0, -x0);
    const int last = std::min<int>(static_cast<int>(colours.size()), width() - x0);
    if (xorPen && m_overlaysApart) {
        QRgb *row = reinterpret_cast<QRgb *>(m_overlay.scanLine(y));
        for (int i = first; i < last; ++i)
            row[x0 + i] ^= toQRgb(colours[static_cast<size_t>(i)]) & 0x00ffffffu;
        m_shownStale = true;
        notifyChanged();
        return;
    }
    forEachLayer([&](QImage &layer) {
        QRgb *row = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int i = first; i < last; ++i) {
            const QRgb rgb = toQRgb(colours[static_cast<size_t>(i)]) & 0x00ffffffu;
            QRgb &px = row[x0 + i];
            px = xorPen ? ((px ^ rgb) | 0xff000000u) : (rgb | 0xff000000u);
        }
    });
    if (m_overlaysApart && !m_shownStale && last > first) {
        const QRgb *from = reinterpret_cast<const QRgb *>(m_screen.constScanLine(y));
        const QRgb *mask = reinterpret_cast<const QRgb *>(m_overlay.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(m_shown.scanLine(y));
        for (int x = x0 + first; x < x0 + last; ++x)
            to[x] = from[x] ^ mask[x];
    }
    notifyChanged();
}

void PictureSurface::line(double x1, double y1, double x2, double y2, Colour colour)
{
    const QRgb rgb = toQRgb(colour) & 0x00ffffffu;
    const int ax = roundPixel(x1), ay = roundPixel(y1), bx = roundPixel(x2), by = roundPixel(y2);
    const bool dotted = m_lineStyle == LineStyle::Dot;
    const int w = m_lineWidth;
    if (w == 1) {
        rasterLine(ax, ay, bx, by, [&](int x, int y, int step) {
            if (!dotted || step % 3 == 0)
                plot(x, y, rgb);
        });
    } else {
        // A wide line is a square pen stamped along the path; each covered pixel is drawn once
        // so that the exclusive-or pen stays reversible.
        const int lo = -(w / 2);
        std::vector<std::pair<int, int>> pixels;
        rasterLine(ax, ay, bx, by, [&](int x, int y, int step) {
            if (dotted && step % 3 != 0)
                return;
            for (int oy = lo; oy < lo + w; ++oy)
                for (int ox = lo; ox < lo + w; ++ox)
                    pixels.emplace_back(x + ox, y + oy);
        });
        std::sort(pixels.begin(), pixels.end());
        pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
        for (const auto &[x, y] : pixels)
            plot(x, y, rgb);
    }
    m_currentX = x2;
    m_currentY = y2;
    notifyChanged();
}

void PictureSurface::box(double x1, double y1, double x2, double y2, Colour colour)
{
    const QRgb rgb = toQRgb(colour) & 0x00ffffffu;
    const int l = std::min(roundPixel(x1), roundPixel(x2));
    const int r = std::max(roundPixel(x1), roundPixel(x2));
    const int t = std::min(roundPixel(y1), roundPixel(y2));
    const int b = std::max(roundPixel(y1), roundPixel(y2));
    for (int x = l; x <= r; ++x) {
        plot(x, t, rgb);
        if (b != t)
            plot(x, b, rgb);
    }
    for (int y = t + 1; y < b; ++y) {
        plot(l, y, rgb);
        if (r != l)
            plot(r, y, rgb);
    }
    m_currentX = x2;
    m_currentY = y2;
    notifyChanged();
}

void PictureSurface::setBackColour(Colour colour)
{
    m_backColour = colour;
    setPicture(m_picture);
}

void PictureSurface::clear()
{
    if (m_persistent)
        m_persist = m_base;
    m_screen = m_persist;
    m_currentX = 0;
    m_currentY = 0;
    layersReplaced();
}

void PictureSurface::commitPersistent()
{
    m_picture = m_persist;
    m_base = m_persist;
    notifyChanged();
}

void PictureSurface::setPicture(const QImage &picture)
{
    m_picture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    m_base = blankImage(width(), height(), m_backColour);
    if (!m_picture.isNull()) {
        const int w = std::min(m_picture.width(), m_base.width());
        const int h = std::min(m_picture.height(), m_base.height());
        for (int y = 0; y < h; ++y)
            std::copy_n(reinterpret_cast<const QRgb *>(m_picture.constScanLine(y)), w,
                        reinterpret_cast<QRgb *>(m_base.scanLine(y)));
    }
    m_persist = m_base;
    m_screen = m_base;
    layersReplaced();
}

void PictureSurface::clearPicture() { setPicture(QImage()); }

int PictureSurface::textWidth(const QString &text) const
{
    return QFontMetrics(m_font, &m_screen).horizontalAdvance(text);
}

int PictureSurface::textHeight(const QString &text) const
{
    Q_UNUSED(text);
    return QFontMetrics(m_font, &m_screen).height();
}

void PictureSurface::print(const QString &text)
{
    const QFontMetrics fm(m_font, &m_screen);
    const QPointF origin(m_currentX, m_currentY + fm.ascent());
    forEachLayer([&](QImage &layer) {
        QPainter p(&layer);
        p.setFont(m_font);
        p.setPen(toQColor(m_foreColour));
        p.drawText(origin, text);
    });
    m_currentX = 0;
    m_currentY += fm.height();
    layersReplaced();
}

void PictureSurface::copyFrom(const PictureSurface &source, const QRect &sourceRect, const QPoint &dest)
{
    copyFrom(source.image(), sourceRect, dest);
}

void PictureSurface::copyFrom(const QImage &source, const QRect &sourceRect, const QPoint &dest)
{
    const QImage src = source.format() == QImage::Format_RGB32 ? source
                                                                : source.convertToFormat(QImage::Format_RGB32);
    const QRect clipped = sourceRect.intersected(src.rect());
    if (clipped.isEmpty())
        return;
    const QPoint offset = dest + (clipped.topLeft() - sourceRect.topLeft());
    forEachLayer([&](QImage &layer) {
        const QRect target = QRect(offset, clipped.size()).intersected(layer.rect());
        for (int y = target.top(); y <= target.bottom(); ++y) {
            const QRgb *from = reinterpret_cast<const QRgb *>(
                                   src.constScanLine(clipped.top() + (y - offset.y()))) +
                               clipped.left() + (target.left() - offset.x());
            std::copy_n(from, target.width(), reinterpret_cast<QRgb *>(layer.scanLine(y)) + target.left());
        }
    });
    layersReplaced();
}

} // namespace lumetra
