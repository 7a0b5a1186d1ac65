#pragma once

#include "analysis/AnalysisState.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

// The analysed profile of the current cut and its range.
namespace profile {

void AnalyseProfile(AnalysisState &state);
// How many raster samples on either side of a sample the analysed curve of the current cut
// averages along it (0: none), as AnalyseProfile uses it.
int SmoothingHalfWidth(const AnalysisState &state);
void FindProfileMin(AnalysisState &state);
void FindProfileMax(AnalysisState &state);

} // namespace profile
} // namespace lumetra
