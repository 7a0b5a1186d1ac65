#pragma once

#include <QRgb>

#include <array>

namespace lumetra {

// The colour scales a picture of light can be shown in: grey, a rainbow from blue to red, a
// perceptually uniform one (viridis: dark violet through teal to yellow, the same lightness step
// for the same step in intensity) and a high-contrast one of ten bands that shows levels as edges.
enum class Palette { Grey, Rainbow, Viridis, HighContrast };

constexpr int PaletteCount = 4;

// How a window shows its picture in false colour, as the user chose it.
struct FalseColourChoice
{
    Palette palette = Palette::Grey;
    bool markSaturated = true; // pixels at the top code in the palette's signal colour
    bool noiseBlack = false;   // pixels at or below the noise in black
    bool colourBar = true;     // the colour bar beside the picture
    bool contours = false;     // contour lines at 13.5 % and 50 % of the peak

    bool operator==(const FalseColourChoice &) const = default;
};

// 256 colours from the lowest level (0) to full scale (255).
const std::array<QRgb, 256> &paletteTable(Palette palette);
// The colour saturated pixels are shown in: one the palette itself never uses (red on grey,
// magenta on the others).
QRgb saturationColour(Palette palette);
// The word a settings file keeps a palette by ("grey", "rainbow", "viridis", "contrast"), and back
// (Grey for a word it does not know).
const char *paletteWord(Palette palette);
Palette paletteFromWord(const QString &word);

} // namespace lumetra
