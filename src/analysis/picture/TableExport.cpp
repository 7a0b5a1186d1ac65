#include "analysis/picture/TableExport.h"

#include "analysis/curves/IntensityPercents.h"

#include <algorithm>

namespace lumetra {

namespace {

constexpr int PositionsPerGroup = 20;

// The percent of v in lo..hi; 0 below the range or for an empty one.
int cellPercent(double v, double lo, double hi)
{
    return std::max(0, percentOf(v, lo, hi));
}

} // namespace

int cutTableGroups(const AnalysisState &state)
{
    switch (state.cut.CutOrientation) {
    case 1: return 32;
    case 2: return 24;
    default: return 0;
    }
}

WorkbookSheet buildCutTable(const AnalysisState &state, TableMode mode)
{
    WorkbookSheet sheet;
    const int groups = cutTableGroups(state);
    const bool horizontal = state.cut.CutOrientation == 1;
    const int cut = std::clamp(static_cast<int>(state.cut.CutPosition), 0,
                               horizontal ? GreyMapGrid::Height - 1 : GreyMapGrid::Width - 1);
    sheet.reserve(static_cast<size_t>(groups) * (3 + 3 * PositionsPerGroup));
    int k = 1;
    for (int g = 1; g <= groups; ++g) {
        const int first = 3 * (g - 1) + 1;
        sheet.setText(1, first, QStringLiteral("X"));
        sheet.setText(1, first + 1, QStringLiteral("Y1"));
        sheet.setText(1, first + 2, QStringLiteral("Y2"));
        for (int r = 1; r <= PositionsPerGroup; ++r, ++k) {
            const int row = r + 1;
            sheet.setNumber(row, first, k);
            const double raw = horizontal ? state.picture.GreyMap(k, cut) : state.picture.GreyMap(cut, k);
            const double analysed = horizontal ? state.cut.ProfileH[static_cast<size_t>(k)]
                                               : static_cast<double>(state.cut.ProfileV[static_cast<size_t>(k)]);
            switch (mode) {
            case TableMode::Face:
                sheet.setNumber(row, first + 1, cellPercent(raw, state.picture.GreyMin, state.picture.GreyMax));
                sheet.setNumber(row, first + 2, cellPercent(analysed, state.picture.GreyMin, state.picture.GreyMax));
                break;
            case TableMode::Line:
                sheet.setNumber(row, first + 1, 0);
                sheet.setNumber(row, first + 2, cellPercent(analysed, state.cut.ProfileMin, state.cut.ProfileMax));
                break;
            case TableMode::Neither: break;
            }
        }
    }
    return sheet;
}

} // namespace lumetra
