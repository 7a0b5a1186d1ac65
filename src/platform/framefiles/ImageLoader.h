#pragma once

#include "types/PictureReaders.h"

namespace lumetra {

// Reads a BMP or JPEG (or another format Qt reads) defensively: a missing file, an unknown or
// corrupt format, a truncated file or a header that claims absurd dimensions is refused with a
// one-line reason instead of a half-decoded picture.
ImageLoadResult loadImageFile(const QString &path);

// The same checks, the picture in the format it was decoded to (a 16-bit grey PNG or TIFF stays
// Format_Grayscale16, a 16-bit colour one a 64-bit format).
ImageLoadResult loadImageFileNative(const QString &path);

// Largest picture accepted (each side, and in all).
constexpr int MaxImageSide = 30000;
constexpr qint64 MaxImagePixels = 100'000'000;

} // namespace lumetra
