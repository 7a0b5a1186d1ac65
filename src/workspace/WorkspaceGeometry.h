#pragma once

#include "types/WorkspaceRaster.h"

#include <QPoint>
#include <QSize>

#include <cmath>

namespace lumetra::workspace {

// Client area of the workspace in pixels, and the user scale laid over it.
constexpr int ClientWidth = 711;
constexpr int ClientHeight = 540;
constexpr double ScaleWidth = 680;
constexpr double ScaleHeight = 520;

// pictureView: 640 x 480 inner pixels inside a 2-pixel box, its outer corner at (30, 30) scale units.
constexpr int PictureWidth = WorkspaceRasterWidth;
constexpr int PictureHeight = WorkspaceRasterHeight;
constexpr int PictureBorder = 2;
constexpr double PictureScaleLeft = 30;
constexpr double PictureScaleTop = 30;

// A point of the user scale in client pixels (nearest pixel).
inline QPoint scaleToPixels(double x, double y)
{
    return QPoint(static_cast<int>(std::lround(x * ClientWidth / ScaleWidth)),
                  static_cast<int>(std::lround(y * ClientHeight / ScaleHeight)));
}

inline QPoint picturePosition()
{
    return scaleToPixels(PictureScaleLeft, PictureScaleTop);
}

// Where the main window places the workspace (the top-left corner, leaving the room at its
// right and below it to the other windows) and the settings dialog.
constexpr QPoint WorkspacePosition(0, 0);
constexpr QPoint SettingsPosition(300, 150);

} // namespace lumetra::workspace
