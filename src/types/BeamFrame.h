#pragma once

#include "types/UninitialisedAllocator.h"

#include <cstddef>

namespace lumetra::beam {

// A grey frame at full resolution. x = column, y = row, pixel (0,0) centre is the top-left pixel's centre.
struct BeamFrame
{
    int width = 0;
    int height = 0;
    int bitDepth = 8;          // 8 or 16 (bits of the file's samples)
    double topValue = 255.0;   // the format's top code value: 255, PGM maxval, PNG 2^sBIT-1 or 65535
    // Row-major, width*height; colour files: 0.299 R + 0.587 G + 0.114 B, not rounded. resize()
    // leaves new samples unset: a reader writes them all.
    Samples values;
    float at(int x, int y) const { return values[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

} // namespace lumetra::beam
