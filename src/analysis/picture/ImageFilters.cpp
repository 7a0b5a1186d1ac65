#include "analysis/picture/ImageFilters.h"
#include "types/WorkspaceRaster.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace lumetra {

namespace {

using Grid = ColourStoreGrid;
constexpr std::array<int, 3> Channels = {Grid::Red, Grid::Green, Grid::Blue};
// Widest column run of the colour store; enough for any row plus a block's reach on both sides.
using RowBuffer = std::array<int, Grid::Side>;

// n / D rounded to the nearest integer, ties to the even one (D > 0), in exact integer arithmetic
// and without branches, so that the row loops vectorise. Valid for |n| < 2^20 D, far beyond any
// sum of colour-store entries.
template <int D> constexpr int divideNearestEven(int n)
{
    constexpr unsigned Shift = 1u << 20;
    constexpr unsigned Divisor = D;
    const unsigned shifted = static_cast<unsigned>(n) + Shift * Divisor; // positive: plain division floors
    const unsigned q = shifted / Divisor;
    const unsigned r2 = 2 * (shifted - q * Divisor);
    const int floorQ = static_cast<int>(q - Shift);
    return floorQ + static_cast<int>((r2 > Divisor) | ((r2 == Divisor) & (q & 1)));
}
static_assert(divideNearestEven<2>(3) == 2 && divideNearestEven<2>(5) == 2 && divideNearestEven<2>(-3) == -2);
static_assert(divideNearestEven<9>(4) == 0 && divideNearestEven<9>(5) == 1 && divideNearestEven<5>(-7) == -1);

// The nearest whole number to v, ties to the even one, for |v| < 2^22: adding 1.5 x 2^23 leaves
// no fraction bits, so the sum is rounded by the processor's default nearest-even rounding.
inline float nearestWhole(float v)
{
    constexpr float Magic = 12582912.0f;
    return (v + Magic) - Magic;
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

// Box blur of side 2 Radius + 1: the sum of the block, divided by its size, made positive. The
// block's rows are summed per column first, then Side column sums per pixel; both loops are
// plain element-wise sums that the compiler vectorises.
template <int Radius> void blurRow(const Grid &snapshot, const FilterArea &area, int y, std::span<Colour> out)
{
    constexpr int Side = 2 * Radius + 1;
    constexpr unsigned Cells = Side * Side;
    const int columns = area.columns();
    const int from = area.firstColumn - Radius;
    const int span = columns + 2 * Radius;
    std::array<RowBuffer, 3> result;
    RowBuffer columnSums;
    for (size_t c = 0; c < Channels.size(); ++c) {
        const int16_t *source = snapshotRow(snapshot, Channels[c], y - Radius, from);
        for (int i = 0; i < span; ++i)
            columnSums[i] = source[i];
        for (int dy = 1 - Radius; dy <= Radius; ++dy) {
            source = snapshotRow(snapshot, Channels[c], y + dy, from);
            for (int i = 0; i < span; ++i)
                columnSums[i] += source[i];
        }
        int *channel = result[c].data();
        for (int i = 0; i < columns; ++i) {
            int sum = 0;
            for (int k = 0; k < Side; ++k)
                sum += columnSums[i + k];
            // |sum| / Cells to the nearest; Cells is odd, so there are no ties.
            channel[i] = static_cast<int>((2 * static_cast<unsigned>(std::abs(sum)) + Cells) / (2 * Cells));
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
        const int sourceRow = static_cast<int>(nearestWhole(row + dy));
        const int sourceColumn =
            static_cast<int>(nearestWhole(static_cast<float>(area.firstColumn + i) + dx));
        out[i] = rgb(std::abs(snapshot(Grid::Red, sourceRow, sourceColumn)),
                     std::abs(snapshot(Grid::Green, sourceRow, sourceColumn)),
                     std::abs(snapshot(Grid::Blue, sourceRow, sourceColumn)));
    }
}

} // namespace

FilterArea filterArea(ImageFilter filter, int imageWidth, int imageHeight)
{
    const int width = std::clamp(imageWidth, 0, WorkspaceRasterWidth);
    const int height = std::clamp(imageHeight, 0, WorkspaceRasterHeight);
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
