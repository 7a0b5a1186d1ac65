#pragma once

#include "surface/PictureSurface.h"

#include <QImage>

namespace lumetra {

// The banner of the main window: a bitmap that, tick by tick, enters from the right edge and
// travels left (phase 1), enters from the left edge and travels right (phase 2), then is wiped
// in from the left and scrolled left one pixel a tick (phase 3), and starts again.
//
// Each tick copies one rectangle of the bitmap into the strip at natural size. Parts of that
// rectangle that lie outside the bitmap are painted in the strip's back colour, so the strip
// never keeps a trail of an earlier frame.
class BannerAnimation
{
public:
    // Height of the copied rectangle in phases 1 and 2: the holder strip's outer height as the
    // frame measures it, taller than any banner, so the whole height of the bitmap is copied.
    static constexpr int CopyHeight = 615;

    // The strip must outlive the animation. A null bitmap makes tick() do nothing.
    BannerAnimation(PictureSurface &strip, const QImage &bitmap);

    bool hasBitmap() const { return !m_bitmap.isNull(); }
    // The colour of the bitmap's pixel (2, 2), which the strip takes as its back colour;
    // -1 when the bitmap is missing or smaller than 3 x 3.
    Colour borderColour() const;

    int phase() const { return m_phase; }
    int x() const { return m_x; }
    int n() const { return m_n; }

    // One timer tick: advances the state and draws at most one rectangle.
    void tick();
    // Back to the first tick of phase 1.
    void restart();

private:
    // Copies the w x h rectangle at (sx, sy) of the bitmap to (dx, dy) of the strip.
    void draw(int dx, int dy, int w, int h, int sx, int sy);

    PictureSurface &m_strip;
    QImage m_bitmap;
    int m_phase = 1;
    int m_x = 0;
    int m_n = 0;
};

} // namespace lumetra
