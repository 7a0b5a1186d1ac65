#pragma once

// Snapshots and filtered pictures for the filter computation tests, without a picture surface.
#include "analysis/picture/ImageFilters.h"

#include <functional>
#include <span>
#include <vector>

namespace lumetra::filtertest {

constexpr int W = 640;
constexpr int H = 480;

using PixelFn = std::function<Colour(int x, int y)>;

// A snapshot as the sampling leaves it: columns 1..640 and rows 1..480 of the picture, where
// column 640 and row 480 lie outside the 640 x 480 surface and read as red -1, green 0, blue 0.
inline ColourStoreGrid sampled(const PixelFn &pixel)
{
    ColourStoreGrid grid;
    for (int y = 1; y <= H; ++y)
        for (int x = 1; x <= W; ++x) {
            const bool outside = x == W || y == H;
            const Colour c = outside ? 0 : pixel(x, y);
            grid(ColourStoreGrid::Red, y, x) = static_cast<int16_t>(outside ? -1 : redOf(c));
            grid(ColourStoreGrid::Green, y, x) = static_cast<int16_t>(greenOf(c));
            grid(ColourStoreGrid::Blue, y, x) = static_cast<int16_t>(blueOf(c));
        }
    return grid;
}

// The picture after the filter: the original everywhere, the filter's rows over its area.
struct Filtered
{
    std::vector<Colour> pixels;
    Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * W + x]; }
};

inline Filtered run(ImageFilter filter, const PixelFn &pixel, FilterRandom &random)
{
    const ColourStoreGrid grid = sampled(pixel);
    Filtered out{std::vector<Colour>(static_cast<size_t>(W) * H)};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            out.pixels[static_cast<size_t>(y) * W + x] = pixel(x, y);
    const FilterArea area = filterArea(filter, W, H);
    for (int y = area.firstRow; y <= area.lastRow; ++y)
        filterRow(
            filter, grid, area, y, random,
            std::span<Colour>(out.pixels)
                .subspan(static_cast<size_t>(y) * W + area.firstColumn, static_cast<size_t>(area.columns())));
    return out;
}

inline Filtered run(ImageFilter filter, const PixelFn &pixel)
{
    FilterRandom random(1);
    return run(filter, pixel, random);
}

} // namespace lumetra::filtertest
