#include "support/FrameImage.h"

#include <algorithm>
#include <cmath>

namespace lumetra::test {

QImage frameImage(const beam::BeamFrame &frame)
{
    const bool wide = frame.bitDepth > 8;
    QImage image(frame.width, frame.height, wide ? QImage::Format_Grayscale16 : QImage::Format_Grayscale8);
    const long top = wide ? 65535 : 255;
    for (int y = 0; y < frame.height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < frame.width; ++x) {
            const long level = std::clamp(std::lround(double(frame.at(x, y))), 0L, top);
            if (wide)
                reinterpret_cast<quint16 *>(line)[x] = quint16(level);
            else
                line[x] = uchar(level);
        }
    }
    return image;
}

} // namespace lumetra::test
