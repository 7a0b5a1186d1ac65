#include "devices/genicam/DeepDisplay.h"

#include <algorithm>
#include <vector>

namespace lumetra {

QImage deepDisplayImage(const DeepFrame &frame)
{
    if (frame.isEmpty())
        return {};
    const int top = frame.topValue();
    std::vector<QRgb> lut(std::size_t(top) + 1);
    for (int v = 0; v < top; ++v) {
        const int g = int((v * 255LL + top / 2) / top);
        lut[std::size_t(v)] = qRgb(g, g, g);
    }
    lut[std::size_t(top)] = qRgb(255, 0, 0);
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint16_t *in = frame.samples.data() + std::size_t(y) * std::size_t(frame.width);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < frame.width; ++x)
            out[x] = lut[std::min<std::size_t>(in[x], std::size_t(top))];
    }
    return image;
}

} // namespace lumetra
