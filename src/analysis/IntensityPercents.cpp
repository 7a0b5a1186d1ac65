#include "analysis/IntensityPercents.h"

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
    switch (state.CutOrientation) {
    case 1: return 640;
    case 2: return 480;
    default: return 0;
    }
}

TablePercents tablePercents(const AnalysisState &state, DisplayMode mode, int row)
{
    TablePercents result;
    const bool horizontal = state.CutOrientation == 1;
    const int cut = static_cast<int>(state.CutPosition);
    // Rows and cuts outside the grey map (no cut, a bad position) have no values: 0 %.
    const int rows = horizontal ? GreyMapGrid::Width - 1 : GreyMapGrid::Height - 1;
    const int cuts = horizontal ? GreyMapGrid::Height - 1 : GreyMapGrid::Width - 1;
    if (tableRowCount(state) == 0 || row < 0 || row > rows || cut < 0 || cut > cuts)
        return result;
    const double raw = horizontal ? state.GreyMap(row, cut) : state.GreyMap(cut, row);
    const double analysed =
        horizontal ? state.ProfileH[static_cast<size_t>(row)] : state.ProfileV[static_cast<size_t>(row)];
    if (mode == DisplayMode::Face) {
        result.raw = percentOf(raw, state.ImageGreyMin, state.ImageGreyMax);
        result.analysed = percentOf(analysed, state.GreyMin, state.GreyMax);
    } else {
        result.raw = 0;
        result.analysed = percentOf(analysed, state.ProfileMin, state.ProfileMax);
    }
    return result;
}

} // namespace lumetra
