#pragma once

#include "types/BeamFrame.h"
#include "types/DeepFrame.h"

#include <QImage>
#include <QLineF>
#include <QRect>

#include <vector>

namespace lumetra::contours {

// A picture's values on a coarser grid: each sample the mean of a block of step × step pixels
// (the blocks at the right and bottom edges may be smaller). Sample (i, j) stands for the block's
// centre.
struct ValueGrid
{
    int width = 0;
    int height = 0;
    int step = 1;
    QPointF origin;            // the picture position of pixel (0, 0)'s top-left corner
    std::vector<float> values; // row-major
    QPointF centreOf(double i, double j) const;
};

// The picture averaged down to at most `maxSide` samples on its longer side (step 1 when it is
// already that small).
ValueGrid valueGrid(const DeepFrame &frame, int maxSide);
ValueGrid valueGrid(const QImage &picture, int maxSide); // its grey level, as falsecolour reads it
ValueGrid valueGrid(const beam::BeamFrame &frame, const QRect &area, const beam::BeamFrame *dark, int maxSide);

// The line where the grid's values cross `level` (marching squares, the crossing interpolated
// linearly along each cell edge), as segments in picture coordinates: pixel (x, y) covers x..x+1
// and y..y+1 of the picture it was taken from (area-relative for a frame's area).
std::vector<QLineF> contourLines(const ValueGrid &grid, double level);

// The levels the windows draw: `fraction` of the peak above the dark level.
constexpr double ClipLevel = 0.135; // 1/e²
constexpr double HalfLevel = 0.5;
inline double levelAt(double fraction, double dark, double peak)
{
    return dark + fraction * (peak - dark);
}

} // namespace lumetra::contours
