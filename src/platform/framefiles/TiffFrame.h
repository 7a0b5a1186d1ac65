#pragma once

#include "types/DeepFrame.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace lumetra {

// A grey camera frame as a baseline TIFF: little-endian, one uncompressed strip, 8 bits a sample
// for frames of up to 8 bits, else 16, the camera's codes as they are, and MaxSampleValue (tag
// 281) set to the camera's top code so that readers know the depth (4095 for 12 bits).
QByteArray deepTiff(const DeepFrame &frame);

// The MaxSampleValue of the first image of the TIFF file at `path`; nothing when the file is no
// TIFF or does not give one.
std::optional<quint32> tiffMaxSampleValue(const QString &path);

} // namespace lumetra
