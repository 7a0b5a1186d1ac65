// Grey pixel formats of GenICam cameras unpacked to one sample a pixel.
#include "devices/genicam/MonoUnpacking.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lumetra;

namespace {

// Packs samples as each layout's definition says, bit by bit: the reference the unpacking is
// checked against.
std::vector<std::uint8_t> pack(std::uint32_t format, const std::vector<std::uint16_t> &v)
{
    std::vector<std::uint8_t> out;
    if (format == MonoFormat::Mono10p) { // LSB-first bit stream
        out.assign((v.size() * 10 + 7) / 8, 0);
        for (std::size_t i = 0; i < v.size(); ++i)
            for (int b = 0; b < 10; ++b)
                if (v[i] >> b & 1)
                    out[(i * 10 + b) / 8] |= std::uint8_t(1 << ((i * 10 + b) % 8));
        return out;
    }
    for (std::size_t i = 0; i < v.size(); i += 2) {
        const unsigned a = v[i], b = i + 1 < v.size() ? v[i + 1] : 0;
        switch (format) {
        case MonoFormat::Mono12p: out.insert(out.end(), {std::uint8_t(a), std::uint8_t((a >> 8) | (b << 4)), std::uint8_t(b >> 4)}); break;
        case MonoFormat::Mono12Packed: out.insert(out.end(), {std::uint8_t(a >> 4), std::uint8_t((a & 0xF) | (b & 0xF) << 4), std::uint8_t(b >> 4)}); break;
        case MonoFormat::Mono10Packed: out.insert(out.end(), {std::uint8_t(a >> 2), std::uint8_t((a & 3) | (b & 3) << 4), std::uint8_t(b >> 2)}); break;
        default: return {};
        }
    }
    return out;
}

} // namespace

TEST(MonoUnpacking, EveryGreyLayoutGivesTheCamerasCodes)
{
    const int w = 5, h = 3; // odd width: a pair straddles the line end
    struct Case { std::uint32_t format; int depth; };
    for (const Case c : {Case{MonoFormat::Mono10p, 10}, Case{MonoFormat::Mono12p, 12}, Case{MonoFormat::Mono12Packed, 12},
                         Case{MonoFormat::Mono10Packed, 10}}) {
        std::vector<std::uint16_t> codes;
        for (int i = 0; i < w * h; ++i)
            codes.push_back(std::uint16_t((i * 733 + 5) % (1 << c.depth)));
        codes[3] = std::uint16_t((1 << c.depth) - 1);
        const std::vector<std::uint8_t> bytes = pack(c.format, codes);
        DeepFrame frame;
        ASSERT_TRUE(unpackMono(c.format, bytes.data(), bytes.size(), w, h, frame)) << std::hex << c.format;
        EXPECT_EQ(frame.bitDepth, c.depth);
        EXPECT_EQ(frame.samples, codes) << std::hex << c.format;
        EXPECT_FALSE(unpackMono(c.format, bytes.data(), bytes.size() - 2, w, h, frame)) << "too few bytes";
    }
    // Unpacked 16-bit layouts: little-endian, bits above the depth cleared.
    const std::vector<std::uint8_t> twelve{0xFF, 0xFF, 0x34, 0x02};
    DeepFrame frame;
    ASSERT_TRUE(unpackMono(MonoFormat::Mono12, twelve.data(), twelve.size(), 2, 1, frame));
    EXPECT_EQ(frame.samples, (std::vector<std::uint16_t>{0x0FFF, 0x0234}));
    ASSERT_TRUE(unpackMono(MonoFormat::Mono16, twelve.data(), twelve.size(), 2, 1, frame));
    EXPECT_EQ(frame.samples, (std::vector<std::uint16_t>{0xFFFF, 0x0234}));
    EXPECT_FALSE(unpackMono(0x02180014u /* RGB8 */, twelve.data(), twelve.size(), 1, 1, frame));
}
