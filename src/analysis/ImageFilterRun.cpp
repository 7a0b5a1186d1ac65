#include "analysis/ImageFilterRun.h"

#include "analysis/AnalysisState.h"
#include "analysis/Module1.h"
#include "analysis/ProgressWindows.h"
#include "platform/PictureSurface.h"

#include <vector>

namespace lumetra {

void applyImageFilter(ImageFilter filter, AnalysisState &state, PictureSurface &picture,
                      ProgressWindows &progress, FilterRandom &random,
                      const std::function<void(int y)> &rowDrawn)
{
    Module1::ReadColours(state, picture, progress);

    const FilterArea area = filterArea(filter, static_cast<int>(state.ImageWidth), state.ImageHeight);
    std::vector<Colour> row(static_cast<size_t>(area.columns()));
    // The output replaces the pixels, whatever pen an overlay left behind.
    const PictureSurface::PenMode pen = picture.penMode();
    picture.setPenMode(PictureSurface::PenMode::Copy);
    for (int y = area.firstRow; y <= area.lastRow; ++y) {
        filterRow(filter, state.ColourStore, area, y, random, row);
        picture.setPixels(area.firstColumn, y, row);
        if (rowDrawn)
            rowDrawn(y);
    }
    picture.setPenMode(pen);
}

} // namespace lumetra
