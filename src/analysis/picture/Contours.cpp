#include "analysis/picture/Contours.h"

#include "analysis/picture/FalseColour.h"

#include <algorithm>
#include <cmath>

namespace lumetra::contours {

namespace {

// Block means of a width × height picture read through `value`.
template <typename Value>
ValueGrid blockMeans(int width, int height, int maxSide, Value value)
{
    ValueGrid grid;
    if (width <= 0 || height <= 0)
        return grid;
    const int side = std::max(width, height);
    grid.step = std::max(1, (side + std::max(1, maxSide) - 1) / std::max(1, maxSide));
    grid.width = (width + grid.step - 1) / grid.step;
    grid.height = (height + grid.step - 1) / grid.step;
    grid.values.assign(std::size_t(grid.width) * std::size_t(grid.height), 0.0f);
    std::vector<double> row(std::size_t(grid.width));
    for (int j = 0; j < grid.height; ++j) {
        std::fill(row.begin(), row.end(), 0.0);
        const int y1 = std::min(height, (j + 1) * grid.step);
        for (int y = j * grid.step; y < y1; ++y)
            for (int x = 0; x < width; ++x)
                row[std::size_t(x / grid.step)] += value(x, y);
        for (int i = 0; i < grid.width; ++i) {
            const int x1 = std::min(width, (i + 1) * grid.step);
            const int count = (x1 - i * grid.step) * (y1 - j * grid.step);
            grid.values[std::size_t(j) * std::size_t(grid.width) + std::size_t(i)] = float(row[std::size_t(i)] / count);
        }
    }
    return grid;
}

} // namespace

QPointF ValueGrid::centreOf(double i, double j) const
{
    return origin + QPointF((i + 0.5) * step, (j + 0.5) * step);
}

ValueGrid valueGrid(const DeepFrame &frame, int maxSide)
{
    if (frame.isEmpty() || frame.samples.size() < std::size_t(frame.width) * std::size_t(frame.height))
        return {};
    return blockMeans(frame.width, frame.height, maxSide, [&frame](int x, int y) { return double(frame.at(x, y)); });
}

ValueGrid valueGrid(const QImage &picture, int maxSide)
{
    if (picture.isNull())
        return {};
    if (picture.format() == QImage::Format_Grayscale8)
        return blockMeans(picture.width(), picture.height(), maxSide,
                          [&picture](int x, int y) { return double(picture.constScanLine(y)[x]); });
    const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    return blockMeans(rgb.width(), rgb.height(), maxSide, [&rgb](int x, int y) {
        return double(falsecolour::greyLevel(reinterpret_cast<const QRgb *>(rgb.constScanLine(y))[x]));
    });
}

ValueGrid valueGrid(const beam::BeamFrame &frame, const QRect &area, const beam::BeamFrame *dark, int maxSide)
{
    const QRect inside = area.intersected(QRect(0, 0, frame.width, frame.height));
    if (inside.isEmpty() || frame.values.size() != std::size_t(frame.width) * std::size_t(frame.height))
        return {};
    const bool subtract = dark && dark->width == frame.width && dark->height == frame.height &&
                          dark->values.size() == frame.values.size();
    return blockMeans(inside.width(), inside.height(), maxSide, [&](int x, int y) {
        const std::size_t i = std::size_t(y + inside.top()) * std::size_t(frame.width) + std::size_t(x + inside.left());
        return double(frame.values[i]) - (subtract ? double(dark->values[i]) : 0.0);
    });
}

std::vector<QLineF> contourLines(const ValueGrid &grid, double level)
{
    std::vector<QLineF> lines;
    if (grid.width < 2 || grid.height < 2)
        return lines;
    const auto v = [&grid](int i, int j) {
        return double(grid.values[std::size_t(j) * std::size_t(grid.width) + std::size_t(i)]);
    };
    // The crossing on the edge from corner (i0, j0) to its neighbour (i1, j1).
    const auto crossing = [&](int i0, int j0, int i1, int j1) {
        const double a = v(i0, j0), b = v(i1, j1);
        const double t = b == a ? 0.5 : std::clamp((level - a) / (b - a), 0.0, 1.0);
        return grid.centreOf(i0 + t * (i1 - i0), j0 + t * (j1 - j0));
    };
    for (int j = 0; j + 1 < grid.height; ++j)
        for (int i = 0; i + 1 < grid.width; ++i) {
            const int index = (v(i, j) > level ? 1 : 0) | (v(i + 1, j) > level ? 2 : 0) |
                              (v(i + 1, j + 1) > level ? 4 : 0) | (v(i, j + 1) > level ? 8 : 0);
            if (index == 0 || index == 15)
                continue;
            const auto top = [&] { return crossing(i, j, i + 1, j); };
            const auto right = [&] { return crossing(i + 1, j, i + 1, j + 1); };
            const auto bottom = [&] { return crossing(i, j + 1, i + 1, j + 1); };
            const auto left = [&] { return crossing(i, j, i, j + 1); };
            const double centre = 0.25 * (v(i, j) + v(i + 1, j) + v(i + 1, j + 1) + v(i, j + 1));
            switch (index) {
            case 1: case 14: lines.emplace_back(left(), top()); break;
            case 2: case 13: lines.emplace_back(top(), right()); break;
            case 3: case 12: lines.emplace_back(left(), right()); break;
            case 4: case 11: lines.emplace_back(right(), bottom()); break;
            case 6: case 9: lines.emplace_back(top(), bottom()); break;
            case 7: case 8: lines.emplace_back(left(), bottom()); break;
            case 5: // top-left and bottom-right above: joined through the centre when it is above
                if (centre > level) {
                    lines.emplace_back(top(), right());
                    lines.emplace_back(left(), bottom());
                } else {
                    lines.emplace_back(left(), top());
                    lines.emplace_back(right(), bottom());
                }
                break;
            case 10: // top-right and bottom-left above
                if (centre > level) {
                    lines.emplace_back(left(), top());
                    lines.emplace_back(right(), bottom());
                } else {
                    lines.emplace_back(top(), right());
                    lines.emplace_back(left(), bottom());
                }
                break;
            default: break;
            }
        }
    return lines;
}

} // namespace lumetra::contours
