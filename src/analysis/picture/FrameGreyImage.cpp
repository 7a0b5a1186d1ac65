#include "analysis/picture/FrameGreyImage.h"

#include "types/Rounding.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

inline std::uint8_t greyLevel(double scaled)
{
    return static_cast<std::uint8_t>(std::clamp(rounding::halfEven(scaled), 0.0, 255.0));
}

} // namespace

std::uint8_t workspaceGreyLevel(double value, double topValue)
{
    if (!(topValue > 0.0) || !std::isfinite(value))
        return 0;
    return greyLevel(value * 255.0 / topValue);
}

QImage frameGreyImage(const beam::BeamFrame &frame)
{
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    if (image.isNull() || frame.topValue <= 0.0)
        return image;
    const double top = frame.topValue;
    const float *in = frame.values.data();
    for (int y = 0; y < frame.height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < frame.width; ++x) {
            const unsigned g = greyLevel(double(in[x]) * 255.0 / top);
            out[x] = 0xFF000000u | g << 16 | g << 8 | g;
        }
        in += frame.width;
    }
    return image;
}

} // namespace lumetra
