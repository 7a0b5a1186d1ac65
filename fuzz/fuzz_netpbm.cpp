// The PGM/PPM reader on arbitrary bytes: a frame or a reason, never both; a frame has exactly
// its pixels, each within maxval.
#include "platform/framefiles/NetpbmFrame.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const lumetra::FrameReadResult r = lumetra::decodeNetpbm(bytes, QStringLiteral("fuzz"));
    if (!r.ok()) {
        if (!r.frame.values.empty())
            std::abort();
        return 0;
    }
    const auto &f = r.frame;
    if (f.width <= 0 || f.height <= 0 || f.values.size() != std::size_t(f.width) * std::size_t(f.height))
        std::abort();
    for (const float v : f.values)
        if (!(v >= 0 && v <= float(f.topValue) + 0.5f))
            std::abort();
    return 0;
}
