#include "analysis/picture/RegionGrid.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

// floor(a / b) for b > 0, also for negative a.
int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

bool regionIsDegenerate(const RegionCorners &c)
{
    return c.x2 == c.x1 || c.y2 == c.y1;
}

RegionCorners normaliseRegion(const RegionCorners &c)
{
    return {std::min(c.x1, c.x2), std::min(c.y1, c.y2), std::max(c.x1, c.x2), std::max(c.y1, c.y2)};
}

bool regionTooSmall(const RegionCorners &c)
{
    return (c.x2 - c.x1) / 10 <= 1 || (c.y2 - c.y1) / 10 <= 1;
}

std::optional<int> parseRegionFactor(const QString &answer)
{
    if (answer.isEmpty())
        return std::nullopt;
    for (const QChar ch : answer) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
    }
    QString digits = answer;
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    if (digits.size() > 2)
        return std::nullopt;
    const int value = digits.toInt();
    if (value < 2 || value > 10 || value % 2 != 0)
        return std::nullopt;
    return value;
}

RegionCorners limitRegion(const RegionCorners &c)
{
    RegionCorners limited = c;
    limited.x1 = std::max(limited.x1, 0);
    limited.y1 = std::max(limited.y1, 0);
    limited.x2 = std::min(limited.x2, RegionLastColumn);
    limited.y2 = std::min(limited.y2, RegionLastRow);
    return limited;
}

RegionCorners limitRegion(const RegionCorners &normalised, const SampledPicture &picture)
{
    RegionCorners limited = limitRegion(normalised);
    if (picture.PictureExtentX < WorkspaceRasterWidth)
        limited.x2 = std::min(limited.x2, picture.PictureExtentX - 1);
    if (picture.PictureExtentY < WorkspaceRasterHeight)
        limited.y2 = std::min(limited.y2, picture.PictureExtentY - 1);
    return limited;
}

RegionGrid::RegionGrid(int rows, int columns)
    : m_rows(std::max(rows, 0)), m_columns(std::max(columns, 0)),
      m_cells(static_cast<size_t>(m_rows) * static_cast<size_t>(m_columns), 0)
{
}

int RegionGrid::minimum() const
{
    return m_cells.empty() ? 0 : *std::min_element(m_cells.begin(), m_cells.end());
}

int RegionGrid::maximum() const
{
    return m_cells.empty() ? 0 : *std::max_element(m_cells.begin(), m_cells.end());
}

QString RegionGrid::range() const
{
    return QStringLiteral("A1:") + columnName(m_columns) + QString::number(m_rows);
}

WorkbookSheet RegionGrid::toSheet() const
{
    WorkbookSheet sheet;
    sheet.reserve(m_cells.size());
    for (int r = 1; r <= m_rows; ++r)
        for (int c = 1; c <= m_columns; ++c)
            sheet.setNumber(r, c, cell(r, c));
    return sheet;
}

RegionGrid computeRegionGrid(const SampledPicture &sampled, const RegionCorners &region, int factor)
{
    if (factor <= 0)
        return RegionGrid();
    const int f = factor;
    const int rows = floorDiv(region.x2 - region.x1, f) + 1;
    const int columns = floorDiv(region.y2 - region.y1, f) + 1;
    if (rows <= 0 || columns <= 0)
        return RegionGrid();
    RegionGrid grid(rows, columns);
    grid.setPlacement(region.x1, region.y1, f);
    const double range = sampled.GreyMax - sampled.GreyMin;
    if (range == 0)
        return grid; // a flat picture: every cell 0
    const double samples = static_cast<double>(f) * f;
    // Row and column 0 of the grey map are no picture pixels (they stay 0), nor is the raster
    // beyond a fitted picture: a block reaching past the picture's edge reads the edge pixels
    // instead, so that no cell falls below the picture's darkest level.
    const int lastX = sampled.PictureExtentX < WorkspaceRasterWidth ? sampled.PictureExtentX - 1 : GreyMapGrid::Width - 1;
    const int lastY = sampled.PictureExtentY < WorkspaceRasterHeight ? sampled.PictureExtentY - 1 : GreyMapGrid::Height - 1;
    const auto clampX = [lastX](int x) { return std::clamp(x, 1, lastX); };
    const auto clampY = [lastY](int y) { return std::clamp(y, 1, lastY); };

    for (int r = 1; r <= rows; ++r) {
        const int i = region.x1 + r - 1;
        for (int c = 1; c <= columns; ++c) {
            const int j = region.y1 + c - 1;
            int x0;
            int y0;
            if (i == 1 || j == 1) {
                x0 = f * (i - 1);
                y0 = f * (j - 1);
            } else {
                x0 = region.x1 + f * (i - region.x1) - f / 2;
                y0 = region.y1 + f * (j - region.y1) - f / 2;
            }
            long long sum = 0;
            for (int a = 1; a <= f; ++a) {
                const int *line = sampled.GreyMap.row(clampY(y0 + a));
                for (int b = 1; b <= f; ++b)
                    sum += line[clampX(x0 + b)];
            }
            // The scale's 0 % is the darkest level above black (GreyMin leaves grey 0 out): black
            // pixels inside the picture are at 0 %, not below it.
            const double value = 100.0 * (static_cast<double>(sum) / samples - sampled.GreyMin) / range;
            grid.setCell(r, c, std::max(0, static_cast<int>(std::floor(value))));
        }
    }
    return grid;
}

} // namespace lumetra
