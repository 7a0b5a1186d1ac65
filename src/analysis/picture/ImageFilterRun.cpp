#include "analysis/picture/ImageFilterRun.h"

#include "analysis/AnalysisState.h"
#include "analysis/picture/Sampling.h"
#include "types/ProgressWindows.h"
#include "surface/PictureSurface.h"

#include <vector>

namespace lumetra {

void applyImageFilter(ImageFilter filter, AnalysisState &state, PictureSurface &picture,
                      ProgressWindows &progress, FilterRandom &random,
                      const std::function<void(int y)> &rowDrawn)
{
    sampling::ReadColours(state.picture, picture, progress);

    const FilterArea area = filterArea(filter, static_cast<int>(state.picture.ImageWidth), state.picture.ImageHeight);
    std::vector<Colour> row(static_cast<size_t>(area.columns()));
    // The output replaces the pixels, whatever pen an overlay left behind.
    const PictureSurface::PenMode pen = picture.penMode();
    picture.setPenMode(PictureSurface::PenMode::Copy);
    for (int y = area.firstRow; y <= area.lastRow; ++y) {
        filterRow(filter, state.picture.ColourStore, area, y, random, row);
        picture.setPixels(area.firstColumn, y, row);
        if (rowDrawn)
            rowDrawn(y);
    }
    picture.setPenMode(pen);
}

} // namespace lumetra
