#include "support/SamplingOracle.h"

#include "surface/PictureSurface.h"

#include <algorithm>
#include <cmath>

namespace lumetra::test {

int referenceGrey(int red, int green, int blue)
{
    return static_cast<int>(std::nearbyint(0.587 * green + 0.299 * red + 0.114 * blue));
}

ReferenceSampling referenceSampling(const PictureSurface &picture, int width, int height)
{
    ReferenceSampling s;
    s.width = width;
    s.height = height;
    const std::size_t n = static_cast<std::size_t>(width) * height;
    s.red.assign(n, 0);
    s.green.assign(n, 0);
    s.blue.assign(n, 0);
    s.grey.assign(641u * 481u, 0);
    for (int y = 1; y <= height; ++y) {
        for (int x = 1; x <= width; ++x) {
            const int c = picture.drawingPoint(x, y);
            const std::size_t i = static_cast<std::size_t>(y - 1) * width + (x - 1);
            // Truncating division and a remainder with the sign of c.
            s.red[i] = c % 256;
            s.green[i] = (c / 256) % 256;
            s.blue[i] = (c / 65536) % 256;
            if (x <= 640 && y <= 480)
                s.grey[static_cast<std::size_t>(y) * 641 + x] = referenceGrey(s.red[i], s.green[i], s.blue[i]);
        }
    }
    for (int y = 1; y <= 480; ++y) {
        for (int x = 1; x <= 640; ++x) {
            const int g = s.greyAt(x, y);
            if (g > s.greyMax)
                s.greyMax = g;
            if (g < s.greyMin && g != 0)
                s.greyMin = g;
        }
    }
    return s;
}

} // namespace lumetra::test
