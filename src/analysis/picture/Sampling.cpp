// Sampling the workspace picture into colours and grey values, and the whole-picture grey range.
#include "analysis/picture/Sampling.h"
#include "analysis/picture/SamplingKernels.h"
#include "surface/PictureSurface.h"
#include "types/WorkspaceRaster.h"

#include <QCoreApplication>

#include <algorithm>

namespace lumetra::sampling {

namespace {

// Rows and columns that fit the stores, whatever the state claims.
int colourColumns(const SampledPicture &sampled)
{
    return std::clamp(static_cast<int>(sampled.ImageWidth), 0, ColourStoreGrid::Last);
}
int colourRows(const SampledPicture &sampled)
{
    return std::clamp(static_cast<int>(sampled.ImageHeight), 0, ColourStoreGrid::Last);
}
int greyColumns(const SampledPicture &sampled)
{
    return std::min(colourColumns(sampled), GreyMapGrid::Width - 1);
}
int greyRows(const SampledPicture &sampled)
{
    return std::min(colourRows(sampled), GreyMapGrid::Height - 1);
}

// 100 * y / rows in single precision, as the progress bars take it.
float rowPercent(int y, int rows)
{
    if (rows <= 0)
        return 100.0f;
    return std::min(100.0f, 100.0f * static_cast<float>(y) / static_cast<float>(rows));
}

} // namespace

void ReadColours(SampledPicture &sampled, const PictureSurface &picture, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Waiting);
    // The picture under its overlays: a cut marker or a region rectangle is never sampled.
    const QImage &image = picture.drawing();
    const int columns = colourColumns(sampled);
    const int rows = colourRows(sampled);
    const int inside = std::min(columns, image.width() - 1); // last column read inside the surface
    for (int y = 1; y <= rows; ++y) {
        int16_t *red = sampled.ColourStore.row(ColourStoreGrid::Red, y) - ColourStoreGrid::First;
        int16_t *green = sampled.ColourStore.row(ColourStoreGrid::Green, y) - ColourStoreGrid::First;
        int16_t *blue = sampled.ColourStore.row(ColourStoreGrid::Blue, y) - ColourStoreGrid::First;
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

void ComputeGreyMap(SampledPicture &sampled, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Progress, QCoreApplication::translate("Sampling", "正在读取灰度值"));
    const int columns = greyColumns(sampled);
    const int rows = greyRows(sampled);
    for (int y = 1; y <= rows; ++y) {
        const int16_t *red = sampled.ColourStore.row(ColourStoreGrid::Red, y) - ColourStoreGrid::First;
        const int16_t *green = sampled.ColourStore.row(ColourStoreGrid::Green, y) - ColourStoreGrid::First;
        const int16_t *blue = sampled.ColourStore.row(ColourStoreGrid::Blue, y) - ColourStoreGrid::First;
        int *grey = sampled.GreyMap.row(y);
        if (columns >= 1)
            sampling::greyRow(red + 1, green + 1, blue + 1, grey + 1, columns);
        progress.setProgress(ProgressWindows::Window::Progress, rowPercent(y, rows));
    }
    progress.close(ProgressWindows::Window::Progress);
    progress.repaintWorkspace();
}

void ScanGreyRangeWithProgress(SampledPicture &sampled, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Progress, QCoreApplication::translate("Sampling", "正在计算灰度最大、最小值"));
    // The scan covers the fixed grid; the bar follows it row by row.
    int maxGrey = 15;
    int minGrey = 15;
    const int rows = sampled.ImageHeight > 0 ? sampled.ImageHeight : WorkspaceRasterHeight;
    for (int y = 1; y <= WorkspaceRasterHeight; ++y) {
        sampling::rangeRow(sampled.GreyMap.row(y) + 1, WorkspaceRasterWidth, maxGrey, minGrey);
        progress.setProgress(ProgressWindows::Window::Progress, rowPercent(y, rows));
    }
    sampled.GreyMax = maxGrey;
    sampled.GreyMin = minGrey;
    progress.close(ProgressWindows::Window::Progress);
    progress.repaintWorkspace();
    sampled.ImageGreyMax = sampled.GreyMax;
    sampled.ImageGreyMin = sampled.GreyMin;
}

void ScanGreyRange(SampledPicture &sampled)
{
    int maxGrey = sampled.GreyMap(1, 1);
    int minGrey = maxGrey;
    for (int y = 1; y <= WorkspaceRasterHeight; ++y)
        sampling::rangeRow(sampled.GreyMap.row(y) + 1, WorkspaceRasterWidth, maxGrey, minGrey);
    sampled.GreyMax = maxGrey;
    sampled.GreyMin = minGrey;
    sampled.ImageGreyMax = sampled.GreyMax;
    sampled.ImageGreyMin = sampled.GreyMin;
}

} // namespace lumetra::sampling
