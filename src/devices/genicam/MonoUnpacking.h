#pragma once

#include "types/DeepFrame.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumetra {

// GenICam pixel format codes of the grey formats a beam camera delivers.
namespace MonoFormat {
enum : std::uint32_t {
    Mono8 = 0x01080001u,
    Mono10 = 0x01100003u,
    Mono10Packed = 0x010C0004u, // GigE Vision: two pixels in three bytes
    Mono10p = 0x010A0046u,      // four pixels in five bytes, least significant bit first
    Mono12 = 0x01100005u,
    Mono12Packed = 0x010C0006u, // GigE Vision: two pixels in three bytes
    Mono12p = 0x010C0047u,      // two pixels in three bytes, least significant bit first
    Mono14 = 0x01100025u,
    Mono16 = 0x01100007u,
};
} // namespace MonoFormat

// The significant bits of a grey format; nothing for a format that is not one of the above.
std::optional<int> monoBitDepth(std::uint32_t pixelFormat);

// The samples of a width x height frame delivered in `pixelFormat`, unpacked to one sample a
// pixel (bits above the format's depth cleared). False, leaving `frame` alone, when the format
// is not a grey one or `size` holds fewer bytes than the frame needs.
bool unpackMono(std::uint32_t pixelFormat, const std::uint8_t *data, std::size_t size, int width, int height,
                DeepFrame &frame);

} // namespace lumetra
