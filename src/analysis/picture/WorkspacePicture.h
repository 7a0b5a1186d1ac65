#pragma once

#include "analysis/AnalysisState.h"
#include "types/PicturePlacement.h"
#include "types/PictureReaders.h"

#include <QImage>
#include <QString>

#include <optional>
#include <utility>

namespace lumetra {

// A picture file as the workspace shows it. 8-bit pictures keep their colours exactly as Qt
// decodes them; deep ones (16-bit, PGM maxval other than 255) become grey levels by their own
// range (value x 255 / top value). A picture larger than 640 x 480 is placed on the raster as
// the placement mode says.
struct WorkspacePicture
{
    QString path;
    QImage full;     // the whole picture, Format_RGB32
    QImage placed;   // what goes onto the 640 x 480 surface
    PicturePlacement placement;
    int bitDepth = 8;
    double topValue = 255.0;
    // The beam's centroid in picture pixels, once measured (Beam placement); unset when not
    // measured yet or when the picture shows no beam.
    std::optional<std::pair<double, double>> centroid;
    bool centroidMeasured = false;
    QString error;   // one line naming the file; empty on success
    bool ok() const { return error.isEmpty(); }
};

WorkspacePicture readWorkspacePicture(const QString &path, PlacementMode mode, const PictureReaders &readers);

// Places the picture again under another mode; Beam measures the full-resolution frame (read
// from the file again) the first time it is asked for.
void placeWorkspacePicture(WorkspacePicture &picture, PlacementMode mode, const FrameReader &readFrame);

// "（1280×960，光斑居中）" for a picture larger than the raster, else empty: what the workspace
// title adds to its caption.
QString placementTitleSuffix(const WorkspacePicture &picture);

// Tells the sampled picture where the placed picture lies: a fitted picture covers the raster's
// top-left extent at its scale, anything else maps one raster pixel to one picture pixel.
void applyPictureExtent(SampledPicture &sampled, const WorkspacePicture &picture);

} // namespace lumetra
