#pragma once

#include "analysis/AnalysisState.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

// The analysed profile of the current cut and its range.
namespace profile {

void AnalyseProfile(AnalysisState &state);
void FindProfileMin(AnalysisState &state);
void FindProfileMax(AnalysisState &state);

} // namespace profile
} // namespace lumetra
