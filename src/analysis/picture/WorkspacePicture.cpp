#include "analysis/picture/WorkspacePicture.h"
#include "types/WorkspaceRaster.h"

#include <QCoreApplication>

#include "analysis/picture/FrameGreyImage.h"
#include "analysis/beam/BeamMeasurement.h"

namespace lumetra {

namespace {

void measureCentroid(WorkspacePicture &picture, const beam::BeamFrame &frame)
{
    picture.centroidMeasured = true;
    const beam::BeamResult r = beam::measureBeam(frame);
    if (r.status == beam::BeamStatus::Ok)
        picture.centroid = std::make_pair(r.centroidX, r.centroidY);
}

} // namespace

WorkspacePicture readWorkspacePicture(const QString &path, PlacementMode mode, const PictureReaders &readers)
{
    WorkspacePicture picture;
    picture.path = path;
    FrameReadResult frame = readers.frame(path);
    if (frame.ok() && isDeepFrame(frame.frame)) {
        picture.full = frameGreyImage(frame.frame);
        picture.bitDepth = frame.frame.bitDepth;
        picture.topValue = frame.frame.topValue;
    } else {
        // 8-bit pictures exactly as Qt decodes them, colours included (and any format Qt reads
        // that the frame reader does not).
        ImageLoadResult loaded = readers.image(path);
        if (!loaded.ok()) {
            picture.error = loaded.error;
            return picture;
        }
        picture.full = std::move(loaded.image);
    }
    if (mode == PlacementMode::Beam && frame.ok() && exceedsWorkspace(picture.full.width(), picture.full.height()))
        measureCentroid(picture, frame.frame);
    placeWorkspacePicture(picture, mode, readers.frame);
    return picture;
}

void placeWorkspacePicture(WorkspacePicture &picture, PlacementMode mode, const FrameReader &readFrame)
{
    const int w = picture.full.width(), h = picture.full.height();
    if (mode == PlacementMode::Beam && !picture.centroidMeasured && exceedsWorkspace(w, h)) {
        const FrameReadResult frame = readFrame(picture.path);
        if (frame.ok())
            measureCentroid(picture, frame.frame);
        else
            picture.centroidMeasured = true; // no frame: centred on the picture
    }
    picture.placement = choosePlacement(mode, w, h, picture.centroid);
    picture.placed = placePicture(picture.full, picture.placement);
}

QString placementTitleSuffix(const WorkspacePicture &picture)
{
    if (!exceedsWorkspace(picture.full.width(), picture.full.height()))
        return {};
    return QCoreApplication::translate("WorkspacePicture", "（%1×%2，%3）")
        .arg(picture.full.width())
        .arg(picture.full.height())
        .arg(placementCaption(picture.placement.mode));
}

void applyPictureExtent(SampledPicture &sampled, const WorkspacePicture &picture)
{
    const bool fitted = picture.placement.mode == PlacementMode::Fit && !picture.placement.isIdentity();
    sampled.PictureScale = fitted ? picture.placement.scale : 1.0;
    sampled.PictureExtentX = fitted ? picture.placed.width() : WorkspaceRasterWidth;
    sampled.PictureExtentY = fitted ? picture.placed.height() : WorkspaceRasterHeight;
}

} // namespace lumetra
