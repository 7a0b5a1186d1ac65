#pragma once

#include <QImage>
#include <QString>

namespace lumetra {

// Reads a BMP or JPEG (or another format Qt reads) defensively: a missing file, an unknown or
// corrupt format, a truncated file or a header that claims absurd dimensions is refused with a
// one-line reason instead of a half-decoded picture.
struct ImageLoadResult
{
    QImage image;   // Format_RGB32 on success (loadImageFile)
    QString error;  // empty on success
    bool ok() const { return error.isEmpty(); }
};

ImageLoadResult loadImageFile(const QString &path);

// The same checks, the picture in the format it was decoded to (a 16-bit grey PNG or TIFF stays
// Format_Grayscale16, a 16-bit colour one a 64-bit format).
ImageLoadResult loadImageFileNative(const QString &path);

// Largest picture accepted (each side, and in all).
constexpr int MaxImageSide = 30000;
constexpr qint64 MaxImagePixels = 100'000'000;

} // namespace lumetra
