#pragma once

#include "types/BeamFrame.h"

#include <QImage>

#include <cstdint>

namespace lumetra {

// A sample of a deep picture (16-bit, or a PGM maxval other than 255) as a workspace grey level:
// value x 255 / topValue, rounded half to even, held to 0..255.
std::uint8_t workspaceGreyLevel(double value, double topValue);

// The whole frame as a grey Format_RGB32 picture, each pixel workspaceGreyLevel of its value.
QImage frameGreyImage(const beam::BeamFrame &frame);

// True when the frame's codes do not already run 0..255, so the workspace must scale them.
inline bool isDeepFrame(const beam::BeamFrame &frame)
{
    return frame.bitDepth > 8 || frame.topValue > 255.0;
}

} // namespace lumetra
