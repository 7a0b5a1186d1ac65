// The frame of a plot surface: dark background, engraved ticks and embossed labels on the window
// around it, and the grid committed into the surface's picture.
#include "analysis/curves/CurvePlot.h"
#include "analysis/NumberText.h"
#include "types/Rounding.h"
#include "types/PicturePlacement.h"
#include "surface/PictureSurface.h"

#include <algorithm>

namespace lumetra::plotting {

namespace {

// Draws on the window around the plot. Each tick is a light line of width 2 with a dark line of
// width 1 one pixel towards the top-left; each label is printed light, then dark one pixel left
// and up. Together they look engraved and embossed on the grey window.
class FrameDrawer
{
public:
    explicit FrameDrawer(PictureSurface &window) : m_window(window)
    {
        m_window.setPenMode(PictureSurface::PenMode::Copy);
        m_window.setLineStyle(PictureSurface::LineStyle::Solid);
        QFont font = m_window.font();
        font.setPointSize(9);
        m_window.setFont(font);
    }
    ~FrameDrawer() { m_window.setLineWidth(1); }
    FrameDrawer(const FrameDrawer &) = delete;
    FrameDrawer &operator=(const FrameDrawer &) = delete;

    void tick(double x1, double y1, double x2, double y2, double dx1, double dy1, double dx2, double dy2)
    {
        m_window.setLineWidth(2);
        m_window.line(x1, y1, x2, y2, colours::EngraveLight);
        m_window.setLineWidth(1);
        m_window.line(dx1, dy1, dx2, dy2, colours::EngraveDark);
    }

    // The position is rounded to whole pixels once, so the dark copy is exactly one pixel off.
    void label(double x, double y, const QString &text)
    {
        const double px = rounding::halfEven(x);
        const double py = rounding::halfEven(y);
        print(px, py, text, colours::EngraveLight);
        print(px - 1, py - 1, text, colours::EngraveDark);
    }

    int textWidth(const QString &text) const { return m_window.textWidth(text); }
    int textHeight(const QString &text) const { return m_window.textHeight(text); }

private:
    void print(double x, double y, const QString &text, Colour colour)
    {
        m_window.setForeColour(colour);
        m_window.setCurrentX(x);
        m_window.setCurrentY(y);
        m_window.print(text);
    }

    PictureSurface &m_window;
};

// Major divisions of a position scale: one per `unit` pixels when the span is a positive
// multiple of it, otherwise ten.
int majorDivisions(int span, int unit)
{
    return span > 0 && span % unit == 0 ? span / unit : 10;
}

// A raster position as the scale labels it: the placed picture's pixel there, or its distance
// along the raster counted in picture pixels (`scale` raster pixels a picture pixel).
QString positionLabel(double rasterValue, const PicturePlacement *placement, bool vertical, double scale = 1.0)
{
    if (!placement)
        return numberText(scale == 1.0 ? rasterValue : rounding::halfEven(rasterValue / scale));
    const double v = vertical ? placement->pictureY(rasterValue) : placement->pictureX(rasterValue);
    return numberText(rounding::halfEven(v));
}

// A span above 100 is halved, ties to even.
void halveSpan(int &span)
{
    if (span > 100)
        span = static_cast<int>(rounding::halfEven(span / 2.0));
}

} // namespace

void DrawPlotFrame(double axisStart, PictureSurface &surface, PictureSurface &window, int &spanX,
                   int &spanY, int bottomSubdivisions, int leftSubdivisions, ScaleSides sides, bool grid,
                   const PicturePlacement *placement, double positionScale)
{
    window.setPersistent(true);
    surface.setBackColour(colours::PlotBackground);
    if (!sides.master)
        return;

    const double L = surface.left() + 2;
    const double T = surface.top() + 2;
    const double W = surface.width();
    const double H = surface.height();
    const int xStep = spanX == 100 ? 10 : 64;
    const int yStep = spanY == 100 ? 10 : 48;
    FrameDrawer draw(window);

    // The minor ticks of a side: c major divisions of s each, tick(k, n) for k = 0..n.
    const auto minorTicks = [](int c, int s, const auto &tick) {
        if (s > 0)
            for (int k = 0; k <= c * s; ++k)
                tick(k, c * s);
    };

    if (sides.left) {
        const int c = majorDivisions(spanY, 48);
        minorTicks(c, leftSubdivisions, [&](int k, int n) {
            const double y = T + H * k / n;
            draw.tick(L - 4, y, L, y, L - 5, y - 1, L, y - 1);
        });
        for (int k = 0; k <= c; ++k) {
            const double y = T + H * k / c;
            draw.tick(L - 7, y, L, y, L - 8, y - 1, L, y - 1);
        }
        int labelWidth = draw.textWidth(QString::number(spanY));
        if (placement)
            labelWidth = std::max(labelWidth, draw.textWidth(positionLabel(c * yStep, placement, true)));
        else if (spanY != 100 && positionScale != 1.0)
            for (int k = 0; k <= c; ++k)
                labelWidth = std::max(labelWidth,
                                      draw.textWidth(positionLabel(k * yStep + axisStart, nullptr, true, positionScale)));
        const double x = L - labelWidth - 7;
        const double half = draw.textHeight(QStringLiteral("1")) / 2.0;
        for (int k = 0; k <= c; ++k) {
            QString text;
            if (spanY == 100) {
                text = QString::number(100 - k * 10);
                text.prepend(QString(3 - text.size(), QLatin1Char(' ')));
            } else {
                text = positionLabel(k * yStep + axisStart, placement, true, positionScale);
            }
            draw.label(x, T + H * k / c - half, text);
        }
    }

    if (sides.right) {
        minorTicks(10, leftSubdivisions, [&](int k, int n) {
            const double y = T + H * k / n;
            draw.tick(L + W, y, L + W + 5, y, L + W, y - 1, L + W + 4, y - 1);
        });
        for (int k = 0; k <= 10; ++k) {
            const double y = T + H * k / 10;
            draw.tick(L + W, y, L + W + 8, y, L + W, y - 1, L + W + 7, y - 1);
        }
        halveSpan(spanY);
        const double half = draw.textHeight(QStringLiteral("1")) / 2.0;
        for (int k = 10; k >= 0; --k) {
            const int j = 10 - k;
            const int fromCentre = spanY - j * yStep;
            draw.label(L + W + 10, T + H * k / 10 - half,
                       placement ? numberText(rounding::halfEven(fromCentre / placement->scale))
                                 : QString::number(fromCentre));
        }
    }

    if (sides.top) {
        minorTicks(10, bottomSubdivisions, [&](int k, int n) {
            const double x = L + W * k / n;
            draw.tick(x, T - 4, x, T, x - 1, T - 5, x - 1, T);
        });
        for (int k = 0; k <= 10; ++k) {
            const double x = L + W * k / 10;
            draw.tick(x, T - 7, x, T, x - 1, T - 8, x - 1, T);
        }
        halveSpan(spanX);
        const double y = T - draw.textHeight(QStringLiteral("100")) - 7;
        for (int k = 0; k <= 10; ++k) {
            const QString text = placement ? positionLabel(k * xStep, placement, false) : QString::number(k * xStep);
            draw.label(L + W * k / 10 - draw.textWidth(text) / 2.0, y, text);
        }
    }

    if (sides.bottom) {
        const int c = majorDivisions(spanX, 64);
        minorTicks(c, bottomSubdivisions, [&](int k, int n) {
            const double x = L + W * k / n;
            draw.tick(x, T + H, x, T + H + 5, x - 1, T + H, x - 1, T + H + 4);
        });
        for (int k = 0; k <= c; ++k) {
            const double x = L + W * k / c;
            draw.tick(x, T + H, x, T + H + 8, x - 1, T + H, x - 1, T + H + 7);
        }
        for (int k = 0; k <= c; ++k) {
            const QString text =
                spanX == 100 ? numberText(k * xStep)
                             : positionLabel(k * xStep + axisStart, placement, false, positionScale);
            draw.label(L + W * k / c - draw.textWidth(text) / 2.0, T + H + 9, text);
        }
    }

    if (grid) {
        const bool wasPersistent = surface.persistent();
        const auto penMode = surface.penMode();
        const auto lineStyle = surface.lineStyle();
        const int lineWidth = surface.lineWidth();
        surface.setPersistent(true);
        surface.setPenMode(PictureSurface::PenMode::Copy);
        surface.setLineStyle(PictureSurface::LineStyle::Solid);
        surface.setLineWidth(1);
        for (int k = 1; k <= 9; ++k) {
            surface.line(0, H * k / 10, W, H * k / 10, colours::Grid);
            surface.line(W * k / 10, 0, W * k / 10, H, colours::Grid);
        }
        surface.commitPersistent();
        surface.setPersistent(wasPersistent);
        surface.setPenMode(penMode);
        surface.setLineStyle(lineStyle);
        surface.setLineWidth(lineWidth);
    }
}

} // namespace lumetra::plotting
