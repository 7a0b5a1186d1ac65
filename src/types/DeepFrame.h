#pragma once

#include <cstdint>
#include <vector>

namespace lumetra {

// A camera frame at the sensor's own depth: one sample a pixel, row-major, the significant bits
// in the low bits (a 12-bit camera gives 0..4095 whatever its transfer packing was).
struct DeepFrame
{
    int width = 0;
    int height = 0;
    int bitDepth = 8;   // 8..16 significant bits
    std::uint64_t id = 0; // the camera's frame number
    std::vector<std::uint16_t> samples;

    int topValue() const { return (1 << bitDepth) - 1; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    std::uint16_t at(int x, int y) const { return samples[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

} // namespace lumetra
