#pragma once

#include "types/BeamFrame.h"

#include <QImage>
#include <QString>

#include <functional>

namespace lumetra {

// A camera frame read at full resolution and sample depth, or why it could not be.
struct FrameReadResult
{
    beam::BeamFrame frame;
    QString error; // one line naming the file and what is wrong with it
    bool ok() const { return error.isEmpty(); }
};

// A picture decoded for display, or why it could not be.
struct ImageLoadResult
{
    QImage image;   // Format_RGB32 on success (loadImageFile)
    QString error;  // empty on success
    bool ok() const { return error.isEmpty(); }
};

using FrameReader = std::function<FrameReadResult(const QString &path)>;
using ImageReader = std::function<ImageLoadResult(const QString &path)>;

// How the analysis reaches picture files: it never reads a file itself, the program hands it
// the readers (the frame-file readers of the platform layer; tests may hand others).
struct PictureReaders
{
    FrameReader frame;
    ImageReader image;
};

} // namespace lumetra
