#include "support/BenchPictures.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace lumetra::bench {

QImage beamPicture()
{
    QImage image(640, 480, QImage::Format_RGB32);
    std::mt19937 noise(3);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const double d2 =
                std::pow(x - 330.0, 2) / (2 * 80.0 * 80.0) + std::pow(y - 230.0, 2) / (2 * 60.0 * 60.0);
            const int v = std::min(255, 20 + static_cast<int>(225 * std::exp(-d2)) + int(noise() % 8));
            image.setPixel(x, y, qRgb(v, std::max(0, v - 10), std::max(0, v - 40)));
        }
    return image;
}

} // namespace lumetra::bench
