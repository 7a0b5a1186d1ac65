#pragma once

#include "analysis/ImageFilters.h"

#include <functional>

namespace lumetra {

struct AnalysisState;
class PictureSurface;
class ProgressWindows;

// One run of a filter on the workspace picture, in this order: the cut marker comes off (when a
// curve window shows one), a fresh colour snapshot is taken with the Waiting window, the output
// is written over the picture row by row from that snapshot only (rowDrawn(y) after each row,
// for the repaint), and the marker goes back on. The grey levels are not touched: the next
// sampling of a curve window sees the filtered picture.
void applyImageFilter(ImageFilter filter, AnalysisState &state, PictureSurface &picture,
                      ProgressWindows &progress, FilterRandom &random,
                      const std::function<void(int y)> &rowDrawn = {});

} // namespace lumetra
