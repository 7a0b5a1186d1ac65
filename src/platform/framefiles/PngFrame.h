#pragma once

#include "platform/framefiles/FrameInput.h"
#include "types/BeamFrame.h"

#include <QByteArrayView>
#include <QString>

namespace lumetra {

// The PNG's sample depth and, from its sBIT chunk, how many of those bits are significant
// (the colour channels' largest; alpha does not count). Both are 0 when the bytes are not a
// PNG; significant equals depth when the file has no sBIT chunk.
struct PngDepth
{
    int depth = 0;
    int significant = 0;
};

enum class PngOutcome {
    Decoded,  // `frame` holds the picture
    Declined, // a PNG this decoder does not handle, or a stream it could not decode: try Qt's
    Refused,  // not to be decoded at all: `error` says why (too large, or more than the file holds)
};

// Decodes the common camera PNG directly: not interlaced, 8 or 16 bits, grey or RGB, no
// transparency. The values are those readFrameFile gives through Qt's decoder (the bits below
// sBIT's significant ones dropped, colour as 0.299 R + 0.587 G + 0.114 B, topValue
// 2^significant - 1). A grey picture's stream is inflated at once into its filtered rows (the
// frame costs its float values and those rows: at most 6 bytes a pixel and a byte a row); an RGB
// one row by row as its stream inflates (the float values and two rows). Any PNG's size is checked first, against the pixel budget and against what its
// compressed stream can hold. `depth` is filled from the header for Qt's decoder; headerOnly
// stops there (Declined) for a PNG that is to go through Qt anyway.
PngOutcome decodePng(FrameInput &input, beam::BeamFrame &frame, PngDepth &depth, QString &error,
                     bool headerOnly = false);

// The same on bytes in memory: true when decoded; `frame` is left alone otherwise.
bool decodePngFrame(QByteArrayView bytes, beam::BeamFrame &frame);

} // namespace lumetra
