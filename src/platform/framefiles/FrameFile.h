#pragma once

#include "types/PictureReaders.h"

#include <QImage>
#include <QString>

namespace lumetra {

// Reads a camera frame at full resolution and sample depth: BMP, JPEG, PNG 8/16 bit (the sBIT
// chunk's significant bits honoured: a 12-bit PNG gives codes 0..4095), PGM/PPM P2/P3/P5/P6
// with maxval up to 65535, TIFF 8/16-bit grey and RGB. Colour pixels become
// 0.299 R + 0.587 G + 0.114 B. Missing, truncated, corrupt or absurdly large files are refused.
// Common camera PNGs (8/16-bit grey or RGB, not interlaced) are decoded directly, every other
// PNG through Qt; PngDecoder::Qt sends them all through Qt, which gives the same values.
enum class PngDecoder { Fast, Qt };
FrameReadResult readFrameFile(const QString &path, PngDecoder pngDecoder = PngDecoder::Fast);

// A decoded picture (a capture frame) as a frame: grey and 16-bit formats keep their codes,
// colour pixels become 0.299 R + 0.587 G + 0.114 B.
beam::BeamFrame frameFromImage(const QImage &image);

// A colour pixel's grey value as every frame reader computes it; grey pixels keep their code.
inline float greyOf(quint32 r, quint32 g, quint32 b)
{
    if (r == g && g == b)
        return static_cast<float>(r);
    return 0.299f * static_cast<float>(r) + 0.587f * static_cast<float>(g) + 0.114f * static_cast<float>(b);
}

} // namespace lumetra
