#pragma once

#include "types/BeamFrame.h"

#include <QByteArrayView>

namespace lumetra {

// The PNG's sample depth and, from its sBIT chunk, how many of those bits are significant
// (the colour channels' largest; alpha does not count). Both are 0 when the bytes are not a
// PNG; significant equals depth when the file has no sBIT chunk.
struct PngDepth
{
    int depth = 0;
    int significant = 0;
};

PngDepth pngDepth(QByteArrayView bytes);

// Decodes the common camera PNG directly: not interlaced, 8 or 16 bits, grey or RGB, no
// transparency. The IDAT stream is inflated in one go and the row filters undone; the values
// are those readFrameFile gives through Qt's decoder (the bits below sBIT's significant ones
// dropped, colour as 0.299 R + 0.587 G + 0.114 B, topValue 2^significant - 1).
// Returns false, leaving `frame` alone, for any other kind of PNG and for a stream that does
// not decode to exactly the picture's size; the caller then uses the general decoder.
bool decodePngFrame(QByteArrayView bytes, beam::BeamFrame &frame);

} // namespace lumetra
