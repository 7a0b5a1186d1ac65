#include "support/NoiseFrames.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace lumetra::test {

namespace {

beam::BeamFrame frameOf(int width, int height, const std::vector<double> &values)
{
    beam::BeamFrame f;
    f.width = width;
    f.height = height;
    f.bitDepth = 8;
    f.topValue = 255;
    f.values.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        f.values[i] = static_cast<float>(std::clamp(std::nearbyint(values[i]), 0.0, 255.0));
    return f;
}

void addHits(std::vector<double> &v, int width, int height, std::mt19937 &random, int count, int maxPixels)
{
    std::uniform_int_distribution<int> px(2, width - 3), py(2, height - 3), size(1, maxPixels), step(0, 3);
    std::uniform_real_distribution<double> brightness(60, 400);
    std::vector<std::pair<int, int>> placed; // hits lie apart: no two make one larger cluster
    for (int i = 0; i < count; ++i) {
        int x = px(random), y = py(random);
        const auto near = [&](const std::pair<int, int> &p) {
            return std::abs(p.first - x) < 10 && std::abs(p.second - y) < 10;
        };
        if (std::any_of(placed.begin(), placed.end(), near)) {
            --i;
            continue;
        }
        placed.emplace_back(x, y);
        const int pixels = size(random);
        const double b = brightness(random);
        for (int k = 0; k < pixels; ++k) {
            v[std::size_t(y) * std::size_t(width) + std::size_t(x)] += b;
            const int s = step(random); // the next pixel of the hit touches this one
            x = std::clamp(x + (s == 0 ? 1 : s == 1 ? -1 : 0), 0, width - 1);
            y = std::clamp(y + (s == 2 ? 1 : s == 3 ? -1 : 0), 0, height - 1);
        }
    }
}

} // namespace

std::string noiseKindName(NoiseKind kind)
{
    const char *names[] = {"white", "poisson", "uniform", "gradient", "column pattern", "row pattern", "hot pixels",
                           "cosmic rays"};
    return names[int(kind)];
}

beam::BeamFrame noiseFrame(NoiseKind kind, int width, int height, unsigned seed)
{
    std::mt19937 random(seed * 7919u + unsigned(kind));
    std::vector<double> v(std::size_t(width) * std::size_t(height));
    std::normal_distribution<double> gauss(0, 1);
    std::vector<double> lines(std::size_t(std::max(width, height)));
    for (double &o : lines)
        o = 2 * gauss(random);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double &p = v[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            switch (kind) {
            case NoiseKind::White:
                p = 20 + 3 * gauss(random);
                break;
            case NoiseKind::Poisson:
                p = std::poisson_distribution<int>(2.0)(random);
                break;
            case NoiseKind::Uniform:
                p = std::uniform_int_distribution<int>(22, 99)(random);
                break;
            case NoiseKind::Gradient:
                p = 20 + 60.0 * x / std::max(1, width - 1) + 5 * gauss(random);
                break;
            case NoiseKind::ColumnPattern:
                p = 20 + lines[std::size_t(x)] + 2 * gauss(random);
                break;
            case NoiseKind::RowPattern:
                p = 20 + lines[std::size_t(y)] + 2 * gauss(random);
                break;
            case NoiseKind::HotPixels:
            case NoiseKind::CosmicRays:
                p = 20 + 2 * gauss(random);
                break;
            }
        }
    if (kind == NoiseKind::HotPixels)
        addHits(v, width, height, random, 40, 1);
    if (kind == NoiseKind::CosmicRays)
        addHits(v, width, height, random, 6, 4);
    return frameOf(width, height, v);
}

beam::BeamFrame withoutLastRow(const beam::BeamFrame &frame)
{
    beam::BeamFrame f = frame;
    f.height -= 1;
    f.values.resize(std::size_t(f.width) * std::size_t(f.height));
    return f;
}

beam::BeamFrame withoutLastColumn(const beam::BeamFrame &frame)
{
    beam::BeamFrame f = frame;
    f.width -= 1;
    f.values.clear();
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            f.values.push_back(frame.at(x, y));
    return f;
}

FaintBeam faintBeam(int width, int height, double cx, double cy, double diameter, double peakSigmas,
                    double darkMean, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, 1);
    const bool poisson = darkMean > 0;
    const double sigma = poisson ? std::sqrt(darkMean) : 2.0;
    const double dark = poisson ? darkMean : 10.0;
    const double peak = peakSigmas * sigma;
    const double s = diameter / 4; // the Gaussian's standard deviation
    std::vector<double> v(std::size_t(width) * std::size_t(height));
    double p = 0, sxx = 0, syy = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = x - cx, dy = y - cy;
            const double e = peak * std::exp(-(dx * dx + dy * dy) / (2 * s * s));
            p += e;
            sxx += dx * dx * e;
            syy += dy * dy * e;
            const double mean = dark + e;
            v[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                poisson ? std::poisson_distribution<int>(mean)(random) : mean + sigma * gauss(random);
        }
    FaintBeam b;
    b.frame = frameOf(width, height, v);
    b.cx = cx;
    b.cy = cy;
    b.diameter = 2 * (std::sqrt(sxx / p) + std::sqrt(syy / p));
    return b;
}

} // namespace lumetra::test
