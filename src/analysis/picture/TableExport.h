#pragma once

#include "analysis/AnalysisState.h"
#include "types/WorkbookSheet.h"

namespace lumetra {

// How the open curve window shows its curves, read from its mode buttons: face mode (the
// face-mode button is the disabled one), line mode (only the line-mode button disabled), or
// neither (both enabled).
enum class TableMode { Face, Line, Neither };

// Column groups of the exported table: 32 for a horizontal cut, 24 for a vertical one, 0 without
// a cut.
int cutTableGroups(const AnalysisState &state);

// The intensity table of the current cut as the export lays it out. Group g (1-based) takes
// columns 3g - 2 .. 3g: row 1 holds the texts "X", "Y1", "Y2"; rows 2..21 hold positions
// k = 20(g - 1) + 1 .. 20g with the raw and the analysed intensity of position k in percent.
// Face mode scales both to GreyMin..picture.GreyMax, line mode writes Y1 = 0 and scales the analysed one
// to ProfileMin..cut.ProfileMax; a value below the range, or an empty range, gives 0. Neither mode
// writes positions only. The caller brings the grey range and the profile up to date first.
WorkbookSheet buildCutTable(const AnalysisState &state, TableMode mode);

} // namespace lumetra
