#include "analysis/ImageFilters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace lumetra {

namespace {

using Grid = ColourStoreGrid;
constexpr std::array<int, 3> Channels = {Grid::Red, Grid::Green, Grid::Blue};
// Widest column run of the colour store; enough for any row plus a block's reach on both sides.
using RowBuffer = std::array<int, Grid::Side>;

// n / D rounded to the nearest integer, ties to the even one (D > 0), in exact integer arithmetic.
template <int D> constexpr int divideNearestEven(int n)
{
    int q = n / D;
    int r = n % D;
    if (r < 0) { // floor division
        --q;
        r += D;
    }
    if (2 * r > D || (2 * r == D && (q & 1) != 0))
        ++q;
    return q;
}

constexpr int clampChannel(int v)
{
    return std::clamp(v, 0, 255);
}

// Columns `from`.. of one row of one channel of the snapshot.
const int16_t *snapshotRow(const Grid &snapshot, int slot, int row, int from)
{
    return snapshot.row(slot, row) + (from - Grid::First);
}

// Box blur of side 2 Radius + 1: the sum of the block, divided by its size, made positive.
// Column sums of the block's rows first, then a running sum along the row.
template <int Radius> void blurRow(const Grid &snapshot, const FilterArea &area, int y, std::span<Colour> out)
{
    constexpr int Side = 2 * Radius + 1;
    constexpr int Cells = Side * Side;
    const int columns = area.columns();
    const int from = area.firstColumn - Radius;
    const int span = columns + 2 * Radius;
    std::array<RowBuffer, 3> result;
    RowBuffer columnSums;
    for (size_t c = 0; c < Channels.size(); ++c) {
        std::fill_n(columnSums.begin(), span, 0);
        for (int dy = -Radius; dy <= Radius; ++dy) {
            const int16_t *source = snapshotRow(snapshot, Channels[c], y + dy, from);
            for (int i = 0; i < span; ++i)
                columnSums[i] += source[i];
        }
        int sum = 0;
        for (int i = 0; i < Side - 1; ++i)
            sum += columnSums[i];
        for (int i = 0; i < columns; ++i) {
            sum += columnSums[i + Side - 1];
            result[c][i] = divideNearestEven<Cells>(std::abs(sum));
            sum -= columnSums[i];
        }
    }
    for (int i = 0; i < columns; ++i)
        out[i] = rgb(result[0][i], result[1][i], result[2][i]);
}

// C + (Num / Den) (C - D) with D the upper-left neighbour, rounded, clamped to 0..255.
// As one fraction: ((Den + Num) C - Num D) / Den.
template <int Num, int Den>
void sharpenRow(const Grid &snapshot, const FilterArea &area, int y, std::span<Colour> out)
{
    const int columns = area.columns();
    std::array<RowBuffer, 3> result;
    for (size_t c = 0; c < Channels.size(); ++c) {
        const int16_t *here = snapshotRow(snapshot, Channels[c], y, area.firstColumn);
        const int16_t *above = snapshotRow(snapshot, Channels[c], y - 1, area.firstColumn - 1);
        for (int i = 0; i < columns; ++i)
            result[c][i] = clampChannel(divideNearestEven<Den>((Den + Num) * here[i] - Num * above[i]));
    }
    for (int i = 0; i < columns; ++i)
        out[i] = rgb(result[0][i], result[1][i], result[2][i]);
}

// Each pixel takes the colour of a snapshot pixel at a random offset Scale r - 2 (rows) and
// Scale r' - 2 (columns), worked out in single precision and taken to the nearest pixel.
template <int Scale>
void diffuseRow(const Grid &snapshot, const FilterArea &area, int y, FilterRandom &random,
                std::span<Colour> out)
{
    const int columns = area.columns();
    const float row = static_cast<float>(y);
    for (int i = 0; i < columns; ++i) {
        const float dy = Scale * uniformUnit(random) - 2.0f;
        const float dx = Scale * uniformUnit(random) - 2.0f;
        const int sourceRow = static_cast<int>(std::nearbyint(row + dy));
        const int sourceColumn =
            static_cast<int>(std::nearbyint(static_cast<float>(area.firstColumn + i) + dx));
        out[i] = rgb(std::abs(snapshot(Grid::Red, sourceRow, sourceColumn)),
                     std::abs(snapshot(Grid::Green, sourceRow, sourceColumn)),
                     std::abs(snapshot(Grid::Blue, sourceRow, sourceColumn)));
    }
}

} // namespace

FilterArea filterArea(ImageFilter filter, int imageWidth, int imageHeight)
{
    const int width = std::clamp(imageWidth, 0, 640);
    const int height = std::clamp(imageHeight, 0, 480);
    switch (filter) {
    case ImageFilter::Blur1:
    case ImageFilter::Sharpen1:
    case ImageFilter::Sharpen2: return {1, height - 1, 1, width - 1};
    case ImageFilter::Blur2: return {1, height - 2, 1, width - 2};
    case ImageFilter::Diffuse:
    case ImageFilter::DiffuseMore: return {2, height - 2, 2, width - 2};
    }
    return {};
}

float uniformUnit(FilterRandom &random)
{
    return static_cast<float>(random() >> 8) * (1.0f / 16777216.0f);
}

void filterRow(ImageFilter filter, const ColourStoreGrid &snapshot, const FilterArea &area, int y,
               FilterRandom &random, std::span<Colour> out)
{
    if (area.columns() == 0 || y < area.firstRow || y > area.lastRow ||
        static_cast<int>(out.size()) < area.columns())
        return;
    switch (filter) {
    case ImageFilter::Blur1: blurRow<1>(snapshot, area, y, out); break;
    case ImageFilter::Blur2: blurRow<2>(snapshot, area, y, out); break;
    case ImageFilter::Sharpen1: sharpenRow<1, 2>(snapshot, area, y, out); break;
    case ImageFilter::Sharpen2: sharpenRow<4, 5>(snapshot, area, y, out); break;
    case ImageFilter::Diffuse: diffuseRow<3>(snapshot, area, y, random, out); break;
    case ImageFilter::DiffuseMore: diffuseRow<6>(snapshot, area, y, random, out); break;
    }
}

} // namespace lumetra
