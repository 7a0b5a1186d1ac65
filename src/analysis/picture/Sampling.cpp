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


// Row y's colours (1 <= y <= colourRows) from the picture under its overlays: a cut marker or a
// region rectangle is never sampled.
void readColourRow(SampledPicture &sampled, const QImage &image, int y)
{
    const int columns = colourColumns(sampled);
    const int inside = std::min(columns, image.width() - 1); // last column read inside the surface
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
}

// Row y's grey values (1 <= y <= greyRows) from its colours.
void greyMapRow(SampledPicture &sampled, int y)
{
    const int columns = greyColumns(sampled);
    const int16_t *red = sampled.ColourStore.row(ColourStoreGrid::Red, y) - ColourStoreGrid::First;
    const int16_t *green = sampled.ColourStore.row(ColourStoreGrid::Green, y) - ColourStoreGrid::First;
    const int16_t *blue = sampled.ColourStore.row(ColourStoreGrid::Blue, y) - ColourStoreGrid::First;
    if (columns >= 1)
        sampling::greyRow(red + 1, green + 1, blue + 1, sampled.GreyMap.row(y) + 1, columns);
}

// Whole-raster range, seeded with 15, into GreyMax/GreyMin and ImageGreyMax/ImageGreyMin.
void keepRange(SampledPicture &sampled, int maxGrey, int minGrey)
{
    sampled.GreyMax = maxGrey;
    sampled.GreyMin = minGrey;
    sampled.ImageGreyMax = sampled.GreyMax;
    sampled.ImageGreyMin = sampled.GreyMin;
}

constexpr int RangeSeed = 15;

// readColourRow and then greyMapRow of row y (1 <= y <= greyRows), the pixels inside the picture
// split and turned grey in one loop.
void colourAndGreyRow(SampledPicture &sampled, const QImage &image, int y)
{
    const int columns = colourColumns(sampled), greys = greyColumns(sampled);
    const int inside = std::min(columns, image.width() - 1);
    const int both = std::min(inside, greys);
    if (y >= image.height() || both < 1) {
        readColourRow(sampled, image, y);
        greyMapRow(sampled, y);
        return;
    }
    int16_t *red = sampled.ColourStore.row(ColourStoreGrid::Red, y) - ColourStoreGrid::First;
    int16_t *green = sampled.ColourStore.row(ColourStoreGrid::Green, y) - ColourStoreGrid::First;
    int16_t *blue = sampled.ColourStore.row(ColourStoreGrid::Blue, y) - ColourStoreGrid::First;
    int *grey = sampled.GreyMap.row(y);
    const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    sampling::splitColoursAndGrey(line + 1, red + 1, green + 1, blue + 1, grey + 1, both);
    if (inside > both)
        sampling::splitColours(line + 1 + both, red + 1 + both, green + 1 + both, blue + 1 + both, inside - both);
    for (int x = std::max(1, inside + 1); x <= columns; ++x) {
        red[x] = -1;
        green[x] = 0;
        blue[x] = 0;
    }
    if (greys > both)
        sampling::greyRow(red + 1 + both, green + 1 + both, blue + 1 + both, grey + 1 + both, greys - both);
}

} // namespace

void ReadColours(SampledPicture &sampled, const PictureSurface &picture, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Waiting);
    const QImage &image = picture.drawing();
    const int rows = colourRows(sampled);
    for (int y = 1; y <= rows; ++y) {
        readColourRow(sampled, image, y);
        progress.setProgress(ProgressWindows::Window::Waiting, rowPercent(y, rows));
    }
    progress.close(ProgressWindows::Window::Waiting);
    progress.repaintWorkspace();
}

void ComputeGreyMap(SampledPicture &sampled, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Progress, QCoreApplication::translate("Sampling", "正在读取灰度值"));
    const int rows = greyRows(sampled);
    for (int y = 1; y <= rows; ++y) {
        greyMapRow(sampled, y);
        progress.setProgress(ProgressWindows::Window::Progress, rowPercent(y, rows));
    }
    progress.close(ProgressWindows::Window::Progress);
    progress.repaintWorkspace();
}

void ScanGreyRangeWithProgress(SampledPicture &sampled, ProgressWindows &progress)
{
    progress.show(ProgressWindows::Window::Progress, QCoreApplication::translate("Sampling", "正在计算灰度最大、最小值"));
    // The scan covers the fixed grid; the bar follows it row by row.
    int maxGrey = RangeSeed;
    int minGrey = RangeSeed;
    const int rows = sampled.ImageHeight > 0 ? sampled.ImageHeight : WorkspaceRasterHeight;
    for (int y = 1; y <= WorkspaceRasterHeight; ++y) {
        sampling::rangeRow(sampled.GreyMap.row(y) + 1, WorkspaceRasterWidth, maxGrey, minGrey);
        progress.setProgress(ProgressWindows::Window::Progress, rowPercent(y, rows));
    }
    progress.close(ProgressWindows::Window::Progress);
    progress.repaintWorkspace();
    keepRange(sampled, maxGrey, minGrey);
}

void SamplePicture(SampledPicture &sampled, const PictureSurface &picture, ProgressWindows &progress)
{
    const QImage &image = picture.drawing();
    const int colour = colourRows(sampled), grey = greyRows(sampled);
    const int rangeRows = sampled.ImageHeight > 0 ? sampled.ImageHeight : WorkspaceRasterHeight;
    int maxGrey = RangeSeed;
    int minGrey = RangeSeed;
    // Row y's grey values need only row y's colours, and its range only its grey values.
    progress.show(ProgressWindows::Window::Waiting);
    for (int y = 1; y <= std::max(colour, WorkspaceRasterHeight); ++y) {
        if (y <= grey)
            colourAndGreyRow(sampled, image, y);
        else if (y <= colour)
            readColourRow(sampled, image, y);
        if (y <= WorkspaceRasterHeight)
            sampling::rangeRow(sampled.GreyMap.row(y) + 1, WorkspaceRasterWidth, maxGrey, minGrey);
        if (y <= colour)
            progress.setProgress(ProgressWindows::Window::Waiting, rowPercent(y, colour));
    }
    progress.close(ProgressWindows::Window::Waiting);
    progress.repaintWorkspace();
    // The grey values and their range are ready: their windows still show in turn.
    progress.show(ProgressWindows::Window::Progress, QCoreApplication::translate("Sampling", "正在读取灰度值"));
    for (int y = 1; y <= grey; ++y)
        progress.setProgress(ProgressWindows::Window::Progress, rowPercent(y, grey));
    progress.close(ProgressWindows::Window::Progress);
    progress.repaintWorkspace();
    progress.show(ProgressWindows::Window::Progress, QCoreApplication::translate("Sampling", "正在计算灰度最大、最小值"));
    for (int y = 1; y <= WorkspaceRasterHeight; ++y)
        progress.setProgress(ProgressWindows::Window::Progress, rowPercent(y, rangeRows));
    progress.close(ProgressWindows::Window::Progress);
    progress.repaintWorkspace();
    keepRange(sampled, maxGrey, minGrey);
}

void ScanGreyRange(SampledPicture &sampled)
{
    int maxGrey = sampled.GreyMap(1, 1);
    int minGrey = maxGrey;
    for (int y = 1; y <= WorkspaceRasterHeight; ++y)
        sampling::rangeRow(sampled.GreyMap.row(y) + 1, WorkspaceRasterWidth, maxGrey, minGrey);
    keepRange(sampled, maxGrey, minGrey);
}

} // namespace lumetra::sampling
