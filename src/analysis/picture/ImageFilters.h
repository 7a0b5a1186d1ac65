#pragma once

#include "analysis/AnalysisState.h"
#include "types/Colour.h"

#include <random>
#include <span>

namespace lumetra {

// The six filters of the workspace's filter menu.
enum class ImageFilter { Blur1, Blur2, Sharpen1, Sharpen2, Diffuse, DiffuseMore };

// Each filter's names: the workspace menu command and the command-line word.
struct ImageFilterName
{
    ImageFilter filter;
    const char *command;
    const char *word;
};
inline constexpr ImageFilterName ImageFilterNames[] = {
    {ImageFilter::Blur1, "blur1", "blur1"},
    {ImageFilter::Blur2, "blur2", "blur2"},
    {ImageFilter::Sharpen1, "sharpen1", "sharpen1"},
    {ImageFilter::Sharpen2, "sharpen2", "sharpen2"},
    {ImageFilter::Diffuse, "diffuse", "diffuse"},
    {ImageFilter::DiffuseMore, "diffuseMore", "diffuse-more"},
};

// Picture pixels a filter writes, bounds included; every other pixel keeps its colour.
struct FilterArea
{
    int firstRow = 0;
    int lastRow = -1;
    int firstColumn = 0;
    int lastColumn = -1;

    int rows() const { return lastRow >= firstRow ? lastRow - firstRow + 1 : 0; }
    int columns() const { return lastColumn >= firstColumn ? lastColumn - firstColumn + 1 : 0; }
    bool contains(int x, int y) const
    {
        return x >= firstColumn && x <= lastColumn && y >= firstRow && y <= lastRow;
    }
};

// The loop range of a filter over a picture sampled as imageWidth x imageHeight: rows and
// columns 1..size - 1 (blur 1, sharpens), 1..size - 2 (blur 2), 2..size - 2 (diffusions).
// Sizes beyond the sampled 640 x 480 are held to it, so the reads stay inside the colour store.
FilterArea filterArea(ImageFilter filter, int imageWidth, int imageHeight);

// The diffusions' source of random numbers. Its owner seeds it; a filter only draws from it.
using FilterRandom = std::mt19937;

// A uniform number in [0, 1) from one draw of the generator (24 bits, exact as a float).
inline float uniformUnit(FilterRandom &random)
{
    return static_cast<float>(random() >> 8) * (1.0f / 16777216.0f);
}

// Computes row y of the filter's output (a row of `area`, as filterArea gives it) for the columns
// of `area` into out (area.columns() colours), reading only the snapshot: sums and offsets reach
// the snapshot's own edge entries (0 in the margins, red -1 where the sampling fell outside the
// picture). Blurs and diffusions take the absolute value, sharpens clamp to 0..255, every quotient
// rounds half to even. The diffusions draw two numbers per pixel, the row offset's first.
void filterRow(ImageFilter filter, const ColourStoreGrid &snapshot, const FilterArea &area, int y,
               FilterRandom &random, std::span<Colour> out);

} // namespace lumetra
