#pragma once

#include "analysis/picture/ImageFilters.h"

#include <functional>

namespace lumetra {

struct AnalysisState;
class PictureSurface;
class ProgressWindows;

// One run of a filter on the workspace picture: a fresh colour snapshot of the picture under its
// overlays (a cut marker or a region rectangle stays out of it) is taken with the Waiting window,
// then the output is written over the picture row by row from that snapshot only (rowDrawn(y)
// after each row, for the repaint); the overlays stay where they are. The grey levels are not
// touched: the next sampling of a curve window sees the filtered picture.
void applyImageFilter(ImageFilter filter, AnalysisState &state, PictureSurface &picture,
                      ProgressWindows &progress, FilterRandom &random,
                      const std::function<void(int y)> &rowDrawn = {});

} // namespace lumetra
