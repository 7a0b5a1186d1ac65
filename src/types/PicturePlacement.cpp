#include "types/PicturePlacement.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace lumetra {

PicturePlacement choosePlacement(PlacementMode mode, int width, int height,
                                 std::optional<std::pair<double, double>> centroid)
{
    PicturePlacement p;
    p.mode = mode;
    p.pictureWidth = width;
    p.pictureHeight = height;
    if (!exceedsWorkspace(width, height) || mode == PlacementMode::TopLeft)
        return p;
    if (mode == PlacementMode::Fit) {
        p.scale = std::min(double(WorkspaceRasterWidth) / width, double(WorkspaceRasterHeight) / height);
        return p;
    }
    // The window's centre pixel (320, 240) goes to the pixel holding the centroid; the window
    // then slides back inside the picture along each axis that the picture covers.
    const double cx = centroid ? centroid->first : (width - 1) / 2.0;
    const double cy = centroid ? centroid->second : (height - 1) / 2.0;
    const auto start = [](double centre, int half, int size, int window) {
        if (size <= window || !std::isfinite(centre))
            return 0;
        const long long s = std::llround(centre) - half;
        return int(std::clamp<long long>(s, 0, size - window));
    };
    p.offsetX = start(cx, WorkspaceRasterWidth / 2, width, WorkspaceRasterWidth);
    p.offsetY = start(cy, WorkspaceRasterHeight / 2, height, WorkspaceRasterHeight);
    return p;
}

QImage placePicture(const QImage &picture, const PicturePlacement &placement)
{
    if (placement.scale != 1.0) {
        const int w = std::max(1, int(std::lround(picture.width() * placement.scale)));
        const int h = std::max(1, int(std::lround(picture.height() * placement.scale)));
        return picture.scaled(std::min(w, WorkspaceRasterWidth), std::min(h, WorkspaceRasterHeight),
                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (placement.isIdentity())
        return picture;
    // Only what the picture holds: a side shorter than the raster stays short.
    return picture.copy(placement.offsetX, placement.offsetY,
                        std::min(WorkspaceRasterWidth, picture.width() - placement.offsetX),
                        std::min(WorkspaceRasterHeight, picture.height() - placement.offsetY));
}

namespace {

struct PlacementNames
{
    PlacementMode mode;
    const char *caption; // on screen
    const char *word;    // in settings files and on the command line
};

constexpr PlacementNames Names[] = {
    {PlacementMode::TopLeft, QT_TRANSLATE_NOOP("PicturePlacement", "左上角"), "top-left"},
    {PlacementMode::Beam, QT_TRANSLATE_NOOP("PicturePlacement", "光斑居中"), "beam"},
    {PlacementMode::Fit, QT_TRANSLATE_NOOP("PicturePlacement", "缩放"), "fit"},
};

const PlacementNames &namesOf(PlacementMode mode)
{
    for (const PlacementNames &n : Names)
        if (n.mode == mode)
            return n;
    return Names[0];
}

} // namespace

QString placementCaption(PlacementMode mode)
{
    return QCoreApplication::translate("PicturePlacement", namesOf(mode).caption);
}

QString placementWord(PlacementMode mode)
{
    return QLatin1String(namesOf(mode).word);
}

std::optional<PlacementMode> placementFromWord(const QString &word)
{
    for (PlacementMode m : {PlacementMode::TopLeft, PlacementMode::Beam, PlacementMode::Fit})
        if (word == placementWord(m))
            return m;
    return std::nullopt;
}

} // namespace lumetra
