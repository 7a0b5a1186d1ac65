#pragma once

#include "types/Colour.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <span>

namespace lumetra {

// A raster every window and analysis routine draws on. Pixel coordinates, origin top-left.
//
// Three layers, as a retained picture box keeps them:
//  - the picture: back colour with an optional bitmap at natural size, anchored top-left;
//  - the persistent drawing: what was drawn while persistence was on, over the picture;
//  - the screen: what is shown, persistent drawing plus what was drawn while persistence was off.
// clear() resets the screen to the persistent drawing (persistence off) or both to the picture
// (persistence on). commitPersistent() makes the current drawing the picture itself.
//
// A surface may keep its overlays apart (setOverlaysApart): then whatever is drawn with the
// exclusive-or pen (a cut marker, a region rectangle) goes to an overlay layer above the screen
// instead of into it. What is shown (image(), point()) is the screen with the overlay laid over
// it by exclusive-or, pixel for pixel what drawing it into the screen would give; drawing()
// and drawingPoint() are the screen underneath, which is what sampling reads, so an overlay never
// becomes data. The overlay is removed only by drawing it again.
//
// Lines are rasterised here, not by QPainter, so that the exclusive-or pen is exact: drawing the
// same line twice restores every pixel, for any style and width. Both end points are drawn.
class PictureSurface : public QObject
{
    Q_OBJECT

public:
    enum class PenMode { Copy, Xor };
    enum class LineStyle { Solid, Dot };

    explicit PictureSurface(int width = 0, int height = 0, QObject *parent = nullptr);

    int width() const { return m_screen.width(); }
    int height() const { return m_screen.height(); }
    QSize size() const { return m_screen.size(); }
    // Resizing keeps what fits, top-left anchored; new area shows the picture.
    void resize(int width, int height);

    // Where the surface's box sits in its window (outer left/top in window pixels).
    void setPlacement(int left, int top);
    int left() const { return m_left; }
    int top() const { return m_top; }

    // Colour at (x, y) as shown; -1 outside the surface.
    Colour point(int x, int y) const;
    // Colour at (x, y) under the overlays; -1 outside the surface.
    Colour drawingPoint(int x, int y) const;

    void setOverlaysApart(bool apart);
    bool overlaysApart() const { return m_overlaysApart; }
    void setPixel(int x, int y, Colour colour);
    // Writes colours[i] at (x0 + i, y), clipped to the surface, honouring the pen mode.
    void setPixels(int x0, int y, std::span<const Colour> colours);

    void setPenMode(PenMode mode) { m_penMode = mode; }
    PenMode penMode() const { return m_penMode; }
    void setLineStyle(LineStyle style) { m_lineStyle = style; }
    LineStyle lineStyle() const { return m_lineStyle; }
    void setLineWidth(int width) { m_lineWidth = width < 1 ? 1 : width; }
    int lineWidth() const { return m_lineWidth; }

    // Coordinates are rounded to the nearest pixel (halves away from zero).
    void line(double x1, double y1, double x2, double y2, Colour colour);
    // Outline of the box with corners (x1, y1) and (x2, y2); every pixel of it is drawn once.
    void box(double x1, double y1, double x2, double y2, Colour colour);

    // Setting the back colour erases all drawing, as the picture changes.
    void setBackColour(Colour colour);
    Colour backColour() const { return m_backColour; }
    void clear();
    void setPersistent(bool on) { m_persistent = on; }
    bool persistent() const { return m_persistent; }
    void commitPersistent();

    // The bitmap of the picture layer (natural size, top-left); erases all drawing.
    void setPicture(const QImage &picture);
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }

    void setForeColour(Colour colour) { m_foreColour = colour; }
    Colour foreColour() const { return m_foreColour; }
    void setFont(const QFont &font) { m_font = font; }
    QFont font() const { return m_font; }
    int textWidth(const QString &text) const;
    int textHeight(const QString &text) const;
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    // Draws text in the fore colour with its top-left at the current position, then moves the
    // current position to the start of the next line.
    void print(const QString &text);

    // Copies sourceRect of source (clipped to it) to dest of this surface, at natural size.
    void copyFrom(const PictureSurface &source, const QRect &sourceRect, const QPoint &dest);
    void copyFrom(const QImage &source, const QRect &sourceRect, const QPoint &dest);

    // What is shown (Format_RGB32).
    const QImage &image() const;
    // What is under the overlays (the same as image() while none is drawn).
    const QImage &drawing() const { return m_screen; }

    static QFont defaultFont();

signals:
    void changed();

private:
    void plot(int x, int y, QRgb rgb);
    void notifyChanged();
    // After a change of whole layers: the shown image is composed again when next asked for.
    void layersReplaced();
    template<typename Fn> void forEachLayer(Fn &&fn);

    QImage m_picture;
    QImage m_base;
    QImage m_persist;
    QImage m_screen;
    QImage m_overlay; // exclusive-or mask (colour bits only); null while overlays are not apart
    mutable QImage m_shown;
    mutable bool m_shownStale = true;
    bool m_overlaysApart = false;
    Colour m_backColour = colours::Black;
    Colour m_foreColour = colours::Black;
    PenMode m_penMode = PenMode::Copy;
    LineStyle m_lineStyle = LineStyle::Solid;
    int m_lineWidth = 1;
    bool m_persistent = false;
    QFont m_font;
    double m_currentX = 0;
    double m_currentY = 0;
    int m_left = 0;
    int m_top = 0;
};

} // namespace lumetra
