#pragma once

#include "types/WorkspaceRaster.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace lumetra {

// Per-pixel red, green and blue of the sampled picture, rows and columns -4..700. The margin
// lets the filters read a 9 x 9 neighbourhood without bounds tests; sampling writes rows
// 1..ImageHeight and columns 1..ImageWidth only, so the rest holds 0. Slots 4, 5 and 6 are red,
// green and blue (the only slots ever used, so only they are stored).
class ColourStoreGrid
{
public:
    static constexpr int First = -4;
    static constexpr int Last = 700;
    static constexpr int Side = Last - First + 1;
    enum Slot { Red = 4, Green = 5, Blue = 6 };

    ColourStoreGrid() : m_values(3u * Side * Side, 0) {}

    int16_t &operator()(int slot, int row, int column) { return m_values[index(slot, row, column)]; }
    int16_t operator()(int slot, int row, int column) const { return m_values[index(slot, row, column)]; }
    // Contiguous columns First..Last of one row of one slot.
    int16_t *row(int slot, int row) { return &m_values[index(slot, row, First)]; }
    const int16_t *row(int slot, int row) const { return &m_values[index(slot, row, First)]; }

private:
    static size_t index(int slot, int row, int column)
    {
        return (static_cast<size_t>(slot - Red) * Side + static_cast<size_t>(row - First)) * Side +
               static_cast<size_t>(column - First);
    }
    std::vector<int16_t> m_values;
};

// Grey value of each sampled pixel, x 0..640 by y 0..480. Row 0 and column 0 stay 0.
class GreyMapGrid
{
public:
    static constexpr int Width = WorkspaceRasterWidth + 1;
    static constexpr int Height = WorkspaceRasterHeight + 1;

    GreyMapGrid() : m_values(static_cast<size_t>(Width) * Height, 0) {}
    int &operator()(int x, int y) { return m_values[static_cast<size_t>(y) * Width + x]; }
    int operator()(int x, int y) const { return m_values[static_cast<size_t>(y) * Width + x]; }
    // Contiguous x = 0..640 of row y.
    int *row(int y) { return &m_values[static_cast<size_t>(y) * Width]; }
    const int *row(int y) const { return &m_values[static_cast<size_t>(y) * Width]; }

private:
    std::vector<int> m_values;
};

using MarkTable = std::array<std::array<double, 2>, 11>;

// The picture the workspace shows, as sampled onto the raster: its file, its size on the raster,
// the colours and grey levels of its pixels and their range. Owned by the open workspace; the
// curve windows, the table, the filters and the 3D chart read it.
struct SampledPicture
{
    QString ImagePath;
    double ImageWidth = 0;
    int16_t ImageHeight = 0;
    // A picture fitted whole onto the raster (缩放) covers raster columns [0, PictureExtentX) and
    // rows [0, PictureExtentY), one picture pixel spanning PictureScale raster pixels: the curves
    // give lengths and positions in picture pixels and leave the raster beyond it out. Every other
    // placement maps 1:1 over the whole raster.
    double PictureScale = 1.0;
    int PictureExtentX = WorkspaceRasterWidth;
    int PictureExtentY = WorkspaceRasterHeight;
    // A raster length in picture pixels.
    double toPicturePixels(double raster) const { return raster / PictureScale; }
    ColourStoreGrid ColourStore;
    GreyMapGrid GreyMap;
    // Grey ranges; each minimum ignores cells equal to 0, each maximum does not. GreyMax/GreyMin
    // are the range the curves scale to, ImageGreyMax/ImageGreyMin the whole picture's.
    double GreyMax = 0;
    double GreyMin = 0;
    double ImageGreyMax = 0;
    double ImageGreyMin = 0;
};

// The cut of the open curve window and its analysed profile.
struct CutState
{
    int16_t CutOrientation = 0; // 0 none, 1 horizontal (row), 2 vertical (column)
    bool Active = false;        // a curve window shows this cut
    double CutPosition = 0;
    double IntegrationWidth = 0;
    std::array<double, WorkspaceRasterWidth + 1> ProfileH{};  // fractions kept
    std::array<int16_t, WorkspaceRasterHeight + 1> ProfileV{}; // rounded half to even on every store
    double ProfileMax = 0;
    double ProfileMin = 0;
};

// How the open curve window shows its cut: size, position axis, crosshair and marked points.
struct CurveView
{
    bool Enlarged = false;
    double AxisStart = 0;
    double AxisEnd = 0;
    double AxisStartZoom = 0;
    double AxisEndZoom = 0;
    double CursorX = 0;
    double CursorY = 0;
    double MarkCountH = 0;
    double MarkCountV = 0;
    MarkTable MarkPixelsH{};
    MarkTable MarkPixelsV{};
    MarkTable MarkValuesH{};
    MarkTable MarkValuesV{};
};

// What the workspace, the curve windows, the table, the reports and the analysis routines share:
// the sampled picture, the cut and its view, each a record of its own that routines take alone
// where they need no more. It starts zeroed and is never reset as a whole. "Number" fields are
// doubles (integers where the values are).
struct AnalysisState
{
    SampledPicture picture;
    CutState cut;
    CurveView view;
};

} // namespace lumetra
