// The direct PNG decoder on arbitrary bytes: a decoded frame has exactly its pixels, each within
// the top code.
#include "platform/framefiles/PngFrame.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    lumetra::beam::BeamFrame frame;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!lumetra::decodePngFrame(bytes, frame))
        return frame.values.empty() ? 0 : (std::abort(), 0);
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.values.size() != std::size_t(frame.width) * std::size_t(frame.height))
        std::abort();
    for (const float v : frame.values)
        if (!(v >= 0 && v <= float(frame.topValue) + 0.5f))
            std::abort();
    return 0;
}
