#pragma once

#include <QColor>
#include <QRgb>

namespace lumetra {

// A colour as a pixel read returns it: 0x00BBGGRR, or -1 for a point outside the surface.
using Colour = int;

constexpr Colour rgb(int red, int green, int blue)
{
    return (red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16);
}

constexpr int redOf(Colour c) { return c & 0xff; }
constexpr int greenOf(Colour c) { return (c >> 8) & 0xff; }
constexpr int blueOf(Colour c) { return (c >> 16) & 0xff; }

inline QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
inline Colour fromQColor(const QColor &c) { return rgb(c.red(), c.green(), c.blue()); }
inline Colour fromQRgb(QRgb v) { return rgb(qRed(v), qGreen(v), qBlue(v)); }
inline QRgb toQRgb(Colour c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

// Colours shared by the windows and the analysis routines.
namespace colours {
constexpr Colour RawCurve = rgb(255, 255, 0);
constexpr Colour AnalysedFace = rgb(255, 0, 0);
constexpr Colour AnalysedLine = rgb(0, 0, 255);
constexpr Colour Crosshair = rgb(0, 128, 0);
constexpr Colour Band = rgb(0, 128, 0);
constexpr Colour CutLine = rgb(255, 255, 0);
constexpr Colour ZeroOrange = rgb(255, 146, 36);
constexpr Colour ZeroCyan = rgb(0, 255, 255);
constexpr Colour ZeroBlue = rgb(0, 0, 255);
constexpr Colour PlotBackground = rgb(70, 70, 70);
constexpr Colour Grid = rgb(150, 150, 150);
constexpr Colour EngraveLight = rgb(240, 240, 240);
constexpr Colour EngraveDark = rgb(100, 100, 100);
constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Black = rgb(0, 0, 0);
} // namespace colours

} // namespace lumetra
