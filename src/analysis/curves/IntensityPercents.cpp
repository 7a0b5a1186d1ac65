#include "analysis/curves/IntensityPercents.h"
#include "types/WorkspaceRaster.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

int percentOf(double v, double lo, double hi)
{
    if (v < lo || lo == hi)
        return 0;
    return static_cast<int>(std::floor(100.0 * (v - lo) / (hi - lo)));
}

int tableRowCount(const AnalysisState &state)
{
    switch (state.cut.CutOrientation) {
    case 1: return WorkspaceRasterWidth;
    case 2: return WorkspaceRasterHeight;
    default: return 0;
    }
}

int pictureRowCount(const AnalysisState &state)
{
    const bool horizontal = state.cut.CutOrientation == 1;
    const int extent = horizontal ? state.picture.PictureExtentX : state.picture.PictureExtentY;
    const int rows = tableRowCount(state);
    return extent < (horizontal ? WorkspaceRasterWidth : WorkspaceRasterHeight) ? std::min(rows, extent - 1) : rows;
}

double tableRowPosition(const AnalysisState &state, int row)
{
    const double offset = state.cut.CutOrientation == 1 ? -WorkspaceRasterWidth / 2 : -WorkspaceRasterHeight / 2;
    return state.picture.toPicturePixels(row + offset);
}

TablePercents tablePercents(const AnalysisState &state, DisplayMode mode, int row)
{
    TablePercents result;
    const bool horizontal = state.cut.CutOrientation == 1;
    const int cut = static_cast<int>(state.cut.CutPosition);
    // Rows and cuts outside the grey map (no cut, a bad position) have no values: 0 %.
    const int rows = horizontal ? GreyMapGrid::Width - 1 : GreyMapGrid::Height - 1;
    const int cuts = horizontal ? GreyMapGrid::Height - 1 : GreyMapGrid::Width - 1;
    if (tableRowCount(state) == 0 || row < 0 || row > rows || cut < 0 || cut > cuts)
        return result;
    const double raw = horizontal ? state.picture.GreyMap(row, cut) : state.picture.GreyMap(cut, row);
    const double analysed =
        horizontal ? state.cut.ProfileH[static_cast<size_t>(row)] : state.cut.ProfileV[static_cast<size_t>(row)];
    if (mode == DisplayMode::Face) {
        result.raw = percentOf(raw, state.picture.ImageGreyMin, state.picture.ImageGreyMax);
        result.analysed = percentOf(analysed, state.picture.GreyMin, state.picture.GreyMax);
    } else {
        result.raw = 0;
        result.analysed = percentOf(analysed, state.cut.ProfileMin, state.cut.ProfileMax);
    }
    return result;
}

} // namespace lumetra
