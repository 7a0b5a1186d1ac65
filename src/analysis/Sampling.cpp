// Sampling the workspace picture into colours and grey values, and the whole-picture grey range.
#include "analysis/Module1.h"
#include "analysis/SamplingKernels.h"
#include "platform/PictureSurface.h"

#include <QStringLiteral>

#include <algorithm>

namespace lumetra::Module1 {

namespace {

// Rows and columns that fit the stores, whatever the state claims.
int colourColumns(const AnalysisState &state)
{
    return std::clamp(static_cast<int>(state.ImageWidth), 0, ColourStoreGrid::Last);
}
int colourRows(const AnalysisState &state)
{
    return std::clamp(static_cast<int>(state.ImageHeight), 0, ColourStoreGrid::Last);
}
int greyColumns(const AnalysisState &state)
{
    return std::min(colourColumns(state), GreyMapGrid::Width - 1);
}
int greyRows(const AnalysisState &state)
{
    return std::min(colourRows(state), GreyMapGrid::Height - 1);
}

// 100 * y / rows in single precision, as the progress bars take it.
float rowPercent(int y, int rows)
{
    if (rows <= 0)
        return 100.0f;
    return std::min(100.0f, 100.0f * static_cast<float>(y) / static_cast<float>(rows));
}

} // namespace

void ReadColours(AnalysisState &state, const PictureSurface &picture, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Waiting);
    // The picture under its overlays: a cut marker or a region rectangle is never sampled.
    const QImage &image = picture.drawing();
    const int columns = colourColumns(state);
    const int rows = colourRows(state);
    const int inside = std::min(columns, image.width() - 1); // last column read inside the surface
    for (int y = 1; y <= rows; ++y) {
        int16_t *red = state.ColourStore.row(ColourStoreGrid::Red, y) - ColourStoreGrid::First;
        int16_t *green = state.ColourStore.row(ColourStoreGrid::Green, y) - ColourStoreGrid::First;
        int16_t *blue = state.ColourStore.row(ColourStoreGrid::Blue, y) - ColourStoreGrid::First;
        int x = 1;
        if (y < image.height()) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            if (inside >= 1)
                sampling::splitColours(line + 1, red + 1, green + 1, blue + 1, inside);
            x = std::max(x, inside + 1);
        }
        // Outside the surface a read gives -1: red -1, green 0, blue 0.
        for (; x <= columns; ++x) {
            red[x] = -1;
            green[x] = 0;
            blue[x] = 0;
        }
        progress.setProgress(ProgressWindows::Window::Waiting, rowPercent(y, rows));
    }
    progress.close(ProgressWindows::Window::Waiting);
    progress.repaintWorkspace();
}

void ComputeGreyMap(AnalysisState &state, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Jindu, QStringLiteral("正在读取灰度值"));
    const int columns = greyColumns(state);
    const int rows = greyRows(state);
    for (int y = 1; y <= rows; ++y) {
        const int16_t *red = state.ColourStore.row(ColourStoreGrid::Red, y) - ColourStoreGrid::First;
        const int16_t *green = state.ColourStore.row(ColourStoreGrid::Green, y) - ColourStoreGrid::First;
        const int16_t *blue = state.ColourStore.row(ColourStoreGrid::Blue, y) - ColourStoreGrid::First;
        int *grey = state.GreyMap.row(y);
        if (columns >= 1)
            sampling::greyRow(red + 1, green + 1, blue + 1, grey + 1, columns);
        progress.setProgress(ProgressWindows::Window::Jindu, rowPercent(y, rows));
    }
    progress.close(ProgressWindows::Window::Jindu);
    progress.repaintWorkspace();
}

void ScanGreyRangeWithProgress(AnalysisState &state, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Jindu, QStringLiteral("正在计算灰度最大、最小值"));
    // The scan covers the fixed grid; the bar follows it row by row.
    int maxGrey = 15;
    int minGrey = 15;
    const int rows = state.ImageHeight > 0 ? state.ImageHeight : 480;
    for (int y = 1; y <= 480; ++y) {
        sampling::rangeRow(state.GreyMap.row(y) + 1, 640, maxGrey, minGrey);
        progress.setProgress(ProgressWindows::Window::Jindu, rowPercent(y, rows));
    }
    state.GreyMax = maxGrey;
    state.GreyMin = minGrey;
    progress.close(ProgressWindows::Window::Jindu);
    progress.repaintWorkspace();
    state.ImageGreyMax = state.GreyMax;
    state.ImageGreyMin = state.GreyMin;
}

void ScanGreyRange(AnalysisState &state)
{
    int maxGrey = state.GreyMap(1, 1);
    int minGrey = maxGrey;
    for (int y = 1; y <= 480; ++y)
        sampling::rangeRow(state.GreyMap.row(y) + 1, 640, maxGrey, minGrey);
    state.GreyMax = maxGrey;
    state.GreyMin = minGrey;
    state.ImageGreyMax = state.GreyMax;
    state.ImageGreyMin = state.GreyMin;
}

} // namespace lumetra::Module1
