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
    const bool horizontal = state.CutOrientation == 1;
    const int cut = static_cast<int>(state.CutPosition);
    const double raw = horizontal ? state.GreyMap(row, cut) : state.GreyMap(cut, row);
    const double analysed = horizontal ? state.ProfileH[static_cast<size_t>(row)]
                                       : state.ProfileV[static_cast<size_t>(row)];
    TablePercents result;
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
