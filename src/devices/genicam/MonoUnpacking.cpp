#include "devices/genicam/MonoUnpacking.h"

namespace lumetra {

std::optional<int> monoBitDepth(std::uint32_t pixelFormat)
{
    switch (pixelFormat) {
    case MonoFormat::Mono8: return 8;
    case MonoFormat::Mono10:
    case MonoFormat::Mono10Packed:
    case MonoFormat::Mono10p: return 10;
    case MonoFormat::Mono12:
    case MonoFormat::Mono12Packed:
    case MonoFormat::Mono12p: return 12;
    case MonoFormat::Mono14: return 14;
    case MonoFormat::Mono16: return 16;
    default: return std::nullopt;
    }
}

namespace {

std::size_t bytesNeeded(std::uint32_t pixelFormat, std::size_t pixels)
{
    switch (pixelFormat) {
    case MonoFormat::Mono8: return pixels;
    case MonoFormat::Mono10Packed:
    case MonoFormat::Mono12Packed:
    case MonoFormat::Mono12p: return (pixels * 3 + 1) / 2;
    case MonoFormat::Mono10p: return (pixels * 10 + 7) / 8;
    default: return pixels * 2;
    }
}

} // namespace

bool unpackMono(std::uint32_t pixelFormat, const std::uint8_t *data, std::size_t size, int width, int height,
                DeepFrame &frame)
{
    const std::optional<int> depth = monoBitDepth(pixelFormat);
    if (!depth || width <= 0 || height <= 0 || data == nullptr)
        return false;
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    if (size < bytesNeeded(pixelFormat, pixels))
        return false;
    std::vector<std::uint16_t> out(pixels);
    const auto mask = std::uint16_t((1u << *depth) - 1u);
    switch (pixelFormat) {
    case MonoFormat::Mono8:
        for (std::size_t i = 0; i < pixels; ++i)
            out[i] = data[i];
        break;
    case MonoFormat::Mono12Packed:
        for (std::size_t i = 0; i < pixels; i += 2) {
            const std::uint8_t *b = data + i / 2 * 3;
            out[i] = std::uint16_t((b[0] << 4) | (b[1] & 0x0F));
            if (i + 1 < pixels)
                out[i + 1] = std::uint16_t((b[2] << 4) | (b[1] >> 4));
        }
        break;
    case MonoFormat::Mono10Packed:
        for (std::size_t i = 0; i < pixels; i += 2) {
            const std::uint8_t *b = data + i / 2 * 3;
            out[i] = std::uint16_t((b[0] << 2) | (b[1] & 0x03));
            if (i + 1 < pixels)
                out[i + 1] = std::uint16_t((b[2] << 2) | ((b[1] >> 4) & 0x03));
        }
        break;
    case MonoFormat::Mono12p:
        for (std::size_t i = 0; i < pixels; i += 2) {
            const std::uint8_t *b = data + i / 2 * 3;
            out[i] = std::uint16_t(b[0] | ((b[1] & 0x0F) << 8));
            if (i + 1 < pixels)
                out[i + 1] = std::uint16_t((b[1] >> 4) | (b[2] << 4));
        }
        break;
    case MonoFormat::Mono10p:
        // A bit stream, least significant bit first.
        for (std::size_t i = 0; i < pixels; ++i) {
            const std::size_t bit = i * 10;
            const std::uint32_t word = std::uint32_t(data[bit / 8]) |
                                       (bit / 8 + 1 < size ? std::uint32_t(data[bit / 8 + 1]) << 8 : 0u);
            out[i] = std::uint16_t((word >> (bit % 8)) & 0x3FF);
        }
        break;
    default: // two bytes a sample, little-endian
        for (std::size_t i = 0; i < pixels; ++i)
            out[i] = std::uint16_t((data[2 * i] | (data[2 * i + 1] << 8)) & mask);
        break;
    }
    frame.width = width;
    frame.height = height;
    frame.bitDepth = *depth;
    frame.samples = std::move(out);
    return true;
}

} // namespace lumetra
