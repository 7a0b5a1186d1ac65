#pragma once

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"

#include <QString>

namespace lumetra {

class PictureSurface;
struct PicturePlacement;

// Sampling of the workspace picture into the shared state, in this order for a new picture.
namespace sampling {

// Colours of picture pixels x = 1..ImageWidth, y = 1..ImageHeight into the colour store
// (-1 outside the surface gives red -1, green 0, blue 0). Shows the Waiting window.
void ReadColours(SampledPicture &sampled, const PictureSurface &picture, ProgressWindows &progress);
// Grey = round-half-even(0.587 g + 0.299 r + 0.114 b) into GreyMap. Shows the Progress window.
void ComputeGreyMap(SampledPicture &sampled, ProgressWindows &progress);
// Whole-image range seeded with 15; copies into ImageGreyMax/ImageGreyMin. Shows Progress.
void ScanGreyRangeWithProgress(SampledPicture &sampled, ProgressWindows &progress);
// The three above in one pass over the picture: a row's colours, its grey values and their range
// while the row is in the cache. The same results and the same progress windows in turn.
void SamplePicture(SampledPicture &sampled, const PictureSurface &picture, ProgressWindows &progress);
// The silent rescan, seeded with GreyMap(1, 1).
void ScanGreyRange(SampledPicture &sampled);

} // namespace sampling
} // namespace lumetra
