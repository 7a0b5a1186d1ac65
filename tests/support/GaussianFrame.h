#pragma once

// Header only: the benchmarks use it as well as the tests.
#include <QImage>
#include <QSize>

#include <cmath>
#include <numbers>
#include <random>

namespace lumetra::test {

// A 16-bit grey frame of an elliptical Gaussian beam with second-moment (D4sigma) diameters
// dMajorPx and dMinorPx, its major axis turned angleDeg from the rows (counter-clockwise on
// screen), centred in the frame, over a dark level with Gaussian noise.
struct GaussianFrameSpec
{
    QSize size{400, 400};
    double dMajorPx = 40;
    double dMinorPx = 40;
    double angleDeg = 0;
    double peak = 40000;
    double background = 800;
    double noise = 60;
    unsigned seed = 1;
};

inline QImage gaussianFrame(const GaussianFrameSpec &spec)
{
    QImage image(spec.size, QImage::Format_Grayscale16);
    std::mt19937 random(spec.seed);
    std::normal_distribution<double> noise(0.0, spec.noise);
    const double cx = (spec.size.width() - 1) / 2.0, cy = (spec.size.height() - 1) / 2.0;
    // Screen angles count upwards; picture rows count downwards.
    const double a = -spec.angleDeg * std::numbers::pi / 180;
    const double c = std::cos(a), s = std::sin(a);
    const double sMajor = spec.dMajorPx / 4, sMinor = spec.dMinorPx / 4;
    for (int y = 0; y < spec.size.height(); ++y) {
        auto *line = reinterpret_cast<quint16 *>(image.scanLine(y));
        for (int x = 0; x < spec.size.width(); ++x) {
            const double u = (x - cx) * c + (y - cy) * s, v = -(x - cx) * s + (y - cy) * c;
            const double value = spec.background + noise(random) +
                                 spec.peak * std::exp(-0.5 * (u * u / (sMajor * sMajor) + v * v / (sMinor * sMinor)));
            line[x] = quint16(std::clamp(std::lround(value), 0L, 65535L));
        }
    }
    return image;
}

} // namespace lumetra::test
