#include "types/Palette.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumetra {

namespace {

// Colours at table positions, linearly interpolated between them.
using Stop = std::pair<int, QRgb>;

template <std::size_t N>
std::array<QRgb, 256> interpolated(const std::array<Stop, N> &stops)
{
    std::array<QRgb, 256> table{};
    for (std::size_t s = 0; s + 1 < N; ++s) {
        const auto [from, a] = stops[s];
        const auto [to, b] = stops[s + 1];
        for (int i = from; i <= to; ++i) {
            const double t = to == from ? 0.0 : double(i - from) / double(to - from);
            const auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
            table[std::size_t(i)] = qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
        }
    }
    return table;
}

std::array<QRgb, 256> greyTable()
{
    std::array<QRgb, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = qRgb(i, i, i);
    return table;
}

// Blue, cyan, green, yellow, red: the hue running from 240° to 0° at full brightness.
std::array<QRgb, 256> rainbowTable()
{
    return interpolated(std::array<Stop, 5>{
        {{0, 0x0000ff}, {64, 0x00ffff}, {128, 0x00ff00}, {192, 0xffff00}, {255, 0xff0000}}});
}

// The published viridis colour map (public domain, CC0), every eighth of its 256 entries.
std::array<QRgb, 256> viridisTable()
{
    return interpolated(std::array<Stop, 33>{{
        {0, 0x440154},   {8, 0x470d60},   {16, 0x48186a},  {24, 0x482374},  {32, 0x472d7b},  {40, 0x453781},
        {48, 0x424086},  {56, 0x3e4989},  {64, 0x3b528b},  {72, 0x375b8d},  {80, 0x33638d},  {88, 0x2f6b8e},
        {96, 0x2c728e},  {104, 0x297a8e}, {112, 0x26828e}, {120, 0x23898e}, {128, 0x21918c}, {136, 0x1f988b},
        {144, 0x1fa088}, {152, 0x22a785}, {160, 0x28ae80}, {168, 0x32b67a}, {176, 0x3fbc73}, {184, 0x4ec36b},
        {192, 0x5ec962}, {200, 0x70cf57}, {208, 0x84d44b}, {216, 0x98d83e}, {224, 0xaddc30}, {232, 0xc2df23},
        {240, 0xd8e219}, {248, 0xece51b}, {255, 0xfde725},
    }});
}

// Ten bands of clearly different colours, dark to light: each tenth of full scale is one colour.
std::array<QRgb, 256> contrastTable()
{
    constexpr std::array<QRgb, 10> Bands{0x000000, 0x000080, 0x0000ff, 0x00a0ff, 0x00ff80,
                                         0x80ff00, 0xffff00, 0xff9000, 0xff0000, 0xffffff};
    std::array<QRgb, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = 0xff000000u | Bands[std::size_t(std::min(9, i * 10 / 256))];
    return table;
}

} // namespace

const std::array<QRgb, 256> &paletteTable(Palette palette)
{
    static const std::array<QRgb, 256> Grey = greyTable(), Rainbow = rainbowTable(), Viridis = viridisTable(),
                                       Contrast = contrastTable();
    switch (palette) {
    case Palette::Rainbow: return Rainbow;
    case Palette::Viridis: return Viridis;
    case Palette::HighContrast: return Contrast;
    case Palette::Grey: break;
    }
    return Grey;
}

QRgb saturationColour(Palette palette)
{
    return palette == Palette::Grey ? qRgb(255, 0, 0) : qRgb(255, 0, 255);
}

const char *paletteWord(Palette palette)
{
    switch (palette) {
    case Palette::Rainbow: return "rainbow";
    case Palette::Viridis: return "viridis";
    case Palette::HighContrast: return "contrast";
    case Palette::Grey: break;
    }
    return "grey";
}

Palette paletteFromWord(const QString &word)
{
    for (Palette p : {Palette::Rainbow, Palette::Viridis, Palette::HighContrast})
        if (word == QLatin1String(paletteWord(p)))
            return p;
    return Palette::Grey;
}

} // namespace lumetra
