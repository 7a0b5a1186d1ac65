#pragma once

#include <QPointF>

namespace lumetra {

// Where a full-resolution camera frame lies on a picture surface: frame pixel (x, y) (centre of
// the top-left pixel = (0, 0)) is drawn at offset + scale x its position. Top-left placement at
// natural size is offset 0, scale 1.
struct FramePlacement
{
    double offsetX = 0.0;
    double offsetY = 0.0;
    double scale = 1.0;

    // The picture coordinates of frame point (x, y); pixel centres map onto pixel centres.
    QPointF toPicture(double x, double y) const
    {
        return {offsetX + (x + 0.5) * scale - 0.5, offsetY + (y + 0.5) * scale - 0.5};
    }
    // The frame coordinates of picture point (x, y).
    QPointF toFrame(double x, double y) const
    {
        return {(x + 0.5 - offsetX) / scale - 0.5, (y + 0.5 - offsetY) / scale - 0.5};
    }
    // A length on the picture in frame pixels.
    double toFrameLength(double pictureLength) const { return pictureLength / scale; }
};

} // namespace lumetra
