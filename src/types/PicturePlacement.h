#pragma once

#include "types/WorkspaceRaster.h"

#include <QImage>
#include <QString>

#include <optional>

namespace lumetra {

// How a picture larger than the 640 x 480 workspace raster is put on it.
enum class PlacementMode {
    TopLeft, // natural size, the picture's top-left 640 x 480
    Beam,    // natural size, the 640 x 480 window around the beam's centroid, kept inside the picture
    Fit,     // the whole picture scaled down to fit, aspect kept, by area averaging
};

// Where workspace pixels come from: the picture pixel at workspace (0, 0) is (offsetX, offsetY)
// and one picture pixel spans `scale` workspace pixels. Top-left and smaller pictures are the
// identity (offset 0, scale 1).
struct PicturePlacement
{
    PlacementMode mode = PlacementMode::TopLeft;
    int pictureWidth = 0;  // the whole picture, in its own pixels
    int pictureHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    double scale = 1.0;

    bool isIdentity() const { return offsetX == 0 && offsetY == 0 && scale == 1.0; }
    // Picture coordinates of a workspace position, and back (pixel centres map to pixel centres
    // at scale 1; under Fit a workspace pixel covers 1/scale picture pixels).
    double pictureX(double workspaceX) const { return offsetX + workspaceX / scale; }
    double pictureY(double workspaceY) const { return offsetY + workspaceY / scale; }
    double workspaceX(double pictureX) const { return (pictureX - offsetX) * scale; }
    double workspaceY(double pictureY) const { return (pictureY - offsetY) * scale; }
};


inline bool exceedsWorkspace(int width, int height)
{
    return width > WorkspaceRasterWidth || height > WorkspaceRasterHeight;
}

// The placement of a width x height picture. Beam uses the centroid (picture pixels, pixel
// centres at whole numbers); without one it centres on the picture. A picture that fits the
// raster is always placed top-left at scale 1, whatever the mode asks.
PicturePlacement choosePlacement(PlacementMode mode, int width, int height,
                                 std::optional<std::pair<double, double>> centroid = std::nullopt);

// The part of `picture` the workspace shows under `placement` (at most 640 x 480).
QImage placePicture(const QImage &picture, const PicturePlacement &placement);

// "左上角", "光斑居中", "缩放"; and the command-line words top-left, beam, fit.
QString placementCaption(PlacementMode mode);
QString placementWord(PlacementMode mode);
std::optional<PlacementMode> placementFromWord(const QString &word);

} // namespace lumetra
