#pragma once

#include "analysis/AnalysisState.h"
#include "types/DisplayMode.h"

namespace lumetra {

// 0 when v lies below lo or the range is empty; otherwise floor(100 (v - lo) / (hi - lo)).
int percentOf(double v, double lo, double hi);

// The two value columns of row `row` (1-based) of the intensity table for the current cut:
// raw against ImageGreyMin..picture.ImageGreyMax and analysed against GreyMin..picture.GreyMax in face mode;
// raw 0 and analysed against ProfileMin..cut.ProfileMax in line mode.
struct TablePercents
{
    int raw = 0;
    int analysed = 0;
};
TablePercents tablePercents(const AnalysisState &state, DisplayMode mode, int row);

// Rows of the intensity table for the current orientation: 640, 480, or 0 without a cut.
int tableRowCount(const AnalysisState &state);
// The rows that hold picture data: all of them, or under a fitted picture those before its end.
int pictureRowCount(const AnalysisState &state);
// Row k's position along the cut in picture pixels, from the raster's centre.
double tableRowPosition(const AnalysisState &state, int row);

} // namespace lumetra
