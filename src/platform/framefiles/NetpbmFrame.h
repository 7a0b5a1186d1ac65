#pragma once

#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/FrameInput.h"

#include <QByteArrayView>

namespace lumetra {

// True when the bytes start like a PGM or PPM file (P2, P3, P5 or P6).
bool looksLikeNetpbm(QByteArrayView bytes);

// Decodes a PGM/PPM file (P2, P3, P5, P6) with maxval 1..65535; binary samples above 255 are
// two bytes, big-endian. The code values are kept: topValue is maxval, bitDepth 16 when
// maxval > 255. Before the frame is allocated the header's size is checked against the pixel
// budget and against what the rest of the file can hold; the raster is then read row by row.
// `name` is used in error messages.
FrameReadResult decodeNetpbm(FrameInput &input, const QString &name);
FrameReadResult decodeNetpbm(QByteArrayView bytes, const QString &name);

} // namespace lumetra
