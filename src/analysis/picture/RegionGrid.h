#pragma once

#include "analysis/AnalysisState.h"
#include "types/WorkbookSheet.h"
#include "types/WorkspaceRaster.h"

#include <QString>

#include <optional>
#include <vector>

namespace lumetra {

// Corners of a region dragged over the workspace picture, in picture pixels.
struct RegionCorners
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    bool operator==(const RegionCorners &) const = default;
};

// The region rules applied when the drag ends, in this order.
// A drag with no width or no height is no region at all.
bool regionIsDegenerate(const RegionCorners &corners);
// Corners swapped so that x1 <= x2 and y1 <= y2.
RegionCorners normaliseRegion(const RegionCorners &corners);
// A side shorter than 20 pixels (the tenth of its length at most 1) is too small to chart.
bool regionTooSmall(const RegionCorners &normalised);
// The reduction factor typed by the operator: 2, 4, 6, 8 or 10, digits only, leading zeros
// allowed. Anything else gives nothing.
std::optional<int> parseRegionFactor(const QString &answer);
// The chart stops at column 640 and row 437: x2 and y2 are held below those. A drag that went
// past the picture's left or top edge starts at 0.
constexpr int RegionLastColumn = WorkspaceRasterWidth;
constexpr int RegionLastRow = 437;
RegionCorners limitRegion(const RegionCorners &normalised);
// The same, and held inside a fitted picture: the raster beyond it is no data.
RegionCorners limitRegion(const RegionCorners &normalised, const SampledPicture &picture);

// Block-averaged intensities of a region, in percent of GreyMin..picture.GreyMax. Grid rows follow the
// picture's x direction and grid columns its y direction; row r, column c (1-based) is the cell
// of grid index i = x1 + r - 1, j = y1 + c - 1.
class RegionGrid
{
public:
    RegionGrid() = default;
    RegionGrid(int rows, int columns);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    bool isEmpty() const { return m_rows <= 0 || m_columns <= 0; }
    int cell(int row, int column) const { return m_cells[index(row, column)]; }
    void setCell(int row, int column, int value) { m_cells[index(row, column)] = value; }
    int minimum() const;
    int maximum() const;

    // Where the grid lies on the picture: row r stands near picture column x1 + f (r - 1) and
    // column c near picture row y1 + f (c - 1).
    void setPlacement(int x1, int y1, int factor)
    {
        m_x1 = x1;
        m_y1 = y1;
        m_factor = factor;
    }
    // Where the raster lies on the picture (the workspace's placement): raster position p is
    // picture position offset + p / scale. The identity unless the picture was placed.
    void setPictureMapping(double offsetX, double offsetY, double scale)
    {
        m_offsetX = offsetX;
        m_offsetY = offsetY;
        m_scale = scale;
    }
    double pictureX(int row) const { return m_offsetX + (m_x1 + m_factor * (row - 1)) / m_scale; }
    double pictureY(int column) const { return m_offsetY + (m_y1 + m_factor * (column - 1)) / m_scale; }

    // "A1:" followed by the name of the last column and the number of the last row, "A1:G11".
    QString range() const;
    // Cell (r, c) at worksheet row r, column c, as numbers.
    WorkbookSheet toSheet() const;

private:
    size_t index(int row, int column) const
    {
        return static_cast<size_t>(row - 1) * static_cast<size_t>(m_columns) +
               static_cast<size_t>(column - 1);
    }

    int m_rows = 0;
    int m_columns = 0;
    int m_x1 = 1;
    int m_y1 = 1;
    int m_factor = 1;
    double m_offsetX = 0, m_offsetY = 0, m_scale = 1;
    std::vector<int> m_cells;
};

// The grid of a normalised, limited region for factor f, from GreyMap, GreyMin and GreyMax.
// i runs over x1..floor((x2 - x1) / f + x1), j over y1..floor((y2 - y1) / f + y1). The block of
// cell (i, j) is the f x f pixels (x0 + b, y0 + a), a, b = 1..f, with x0 = f(i - 1), y0 = f(j - 1)
// when i or j is 1 (blocks anchored at the picture corner), else x0 = x1 + f(i - x1) - f/2,
// y0 = y1 + f(j - y1) - f/2. A block reaching outside the picture reads its pixels with x held in
// 1..640 and y in 1..480 (the picture's own pixels; inside a fitted picture's extent), still f x f
// of them. The cell is floor(100 (S / f^2 - GreyMin) / (GreyMax - GreyMin)) for the block sum S,
// so 0..100, and 0 when the picture is flat (GreyMax = GreyMin). A region left with no rows or
// columns gives an empty grid.
RegionGrid computeRegionGrid(const SampledPicture &sampled, const RegionCorners &region, int factor);

} // namespace lumetra
