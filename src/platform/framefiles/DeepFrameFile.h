#pragma once

#include "types/DeepFrame.h"

#include <QImage>
#include <QString>

namespace lumetra {

// Writes a camera frame at its own depth, completely or not at all; the file name's extension
// chooses the format:
//   .png   8-bit grey for an 8-bit frame; otherwise 16-bit grey with the samples in the top
//          bits and an sBIT chunk giving the camera's depth (readers get the camera's codes);
//   .tif/.tiff  8- or 16-bit grey, the camera's codes as they are, MaxSampleValue its top code;
//   .pgm   binary PGM with maxval 2^depth - 1.
// Empty when written, else why not.
QString saveDeepFrame(const DeepFrame &frame, const QString &path);

// The frame as a QImage at its own depth: Grayscale8 for 8 bits, else Grayscale16 holding the
// camera's codes.
QImage deepFrameImage(const DeepFrame &frame);

} // namespace lumetra
