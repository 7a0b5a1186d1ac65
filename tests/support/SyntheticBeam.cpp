#include "support/SyntheticBeam.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace lumetra::test {

namespace {

// A spot with the cosine and sine of its turn worked out once.
struct TurnedSpot
{
    Spot s;
    double c = 1, sn = 0;
    explicit TurnedSpot(const Spot &spot) : s(spot)
    {
        const double a = -spot.phiDeg * std::numbers::pi / 180.0; // picture rows point down
        c = std::cos(a);
        sn = std::sin(a);
    }
};

double spotValue(const TurnedSpot &t, double x, double y)
{
    const Spot &s = t.s;
    const double dx = x - s.cx, dy = y - s.cy;
    const double u = dx * t.c + dy * t.sn;
    const double v = -dx * t.sn + dy * t.c;
    if (s.shape == SpotShape::Gaussian) {
        const double su = s.dMajor / 4, sv = s.dMinor / 4;
        const double q = u * u / (su * su) + v * v / (sv * sv);
        return q > 120 ? 0.0 : s.peak * std::exp(-0.5 * q); // beyond 11 sigma: below 1e-26 of the peak
    }
    if (s.shape == SpotShape::Tem01) {
        const double wu = s.dMajor / 2, wv = s.dMinor / 2;
        const double q = u * u / (wu * wu);
        return s.peak * std::exp(1.0) * 2 * q * std::exp(-2 * (q + v * v / (wv * wv)));
    }
    if (s.shape == SpotShape::Disc)
        return 4 * (u * u / (s.dMajor * s.dMajor) + v * v / (s.dMinor * s.dMinor)) <= 1 ? s.peak : 0.0;
    // A super-Gaussian of order 10: flat inside, a steep edge a pixel or two wide.
    const double r2 = 4 * (u * u / (s.dMajor * s.dMajor) + v * v / (s.dMinor * s.dMinor));
    return r2 > 2 ? 0.0 : s.peak * std::exp(-2 * std::pow(r2, 10));
}

double darkValue(const Scene &s, double x, double y)
{
    const double cx = (s.width - 1) / 2.0, cy = (s.height - 1) / 2.0;
    const double r2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (cx * cx + cy * cy);
    return s.darkLevel + s.tiltX * (x - cx) + s.tiltY * (y - cy) + s.bowl * r2;
}

// The smear of the first spot along whole columns (or rows, with smearRows).
void addSmear(const Scene &s, std::vector<double> &values)
{
    const int lines = s.smearRows ? s.height : s.width;
    const int length = s.smearRows ? s.width : s.height;
    std::vector<double> level(std::size_t(lines), 0.0);
    if (s.smearFollowsBeam) {
        const TurnedSpot spot(s.spots.front());
        for (int i = 0; i < lines; ++i)
            for (int j = 0; j < length; ++j)
                level[std::size_t(i)] += s.smearRows ? spotValue(spot, j, i) : spotValue(spot, i, j);
        const double top = *std::max_element(level.begin(), level.end());
        for (double &l : level)
            l = top > 0 ? s.smear * l / top : 0.0;
    } else {
        const int c0 = static_cast<int>(std::lround(s.smearRows ? s.spots.front().cy : s.spots.front().cx));
        for (int i = std::max(0, c0 - 1); i <= std::min(lines - 1, c0 + 1); ++i)
            level[std::size_t(i)] = s.smear;
    }
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            values[std::size_t(y) * std::size_t(s.width) + std::size_t(x)] +=
                level[std::size_t(s.smearRows ? y : x)];
}

// Fills everything but the spots into `values` (the smear only when asked: it comes from the
// beam's light); the fixed pattern and the hot pixels follow the scene's seed.
void fillDark(const Scene &s, std::vector<double> &values, bool withSmear)
{
    std::normal_distribution<double> pattern(0.0, s.fixedPattern);
    std::vector<double> columns(std::size_t(s.width), 0.0);
    std::mt19937 fixedRandom(s.seed * 7919u + 13u); // the fixed pattern is the same in every frame
    if (s.fixedPattern > 0)
        for (double &c : columns)
            c = pattern(fixedRandom);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            double v = darkValue(s, x, y) + columns[std::size_t(x)];
            if (s.fixedPattern > 0)
                v += 0.5 * pattern(fixedRandom);
            values[std::size_t(y) * std::size_t(s.width) + std::size_t(x)] = v;
        }
    if (withSmear && s.smear > 0 && !s.spots.empty())
        addSmear(s, values);
    std::uniform_int_distribution<int> px(0, s.width - 1), py(0, s.height - 1);
    const double top = s.bitDepth == 16 ? 65535.0 : 255.0;
    for (int i = 0; i < s.hotPixels; ++i)
        values[std::size_t(py(fixedRandom)) * std::size_t(s.width) + std::size_t(px(fixedRandom))] = top * 4;
}

beam::BeamFrame quantise(const Scene &s, const std::vector<double> &values, std::mt19937 &random)
{
    beam::BeamFrame f;
    f.width = s.width;
    f.height = s.height;
    f.bitDepth = s.bitDepth;
    f.topValue = s.bitDepth == 16 ? 65535.0 : 255.0;
    f.values.resize(values.size());
    std::normal_distribution<double> noise(0.0, std::max(s.noise, 1e-12));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double v = values[i] + (s.noise > 0 ? noise(random) : 0.0);
        f.values[i] = static_cast<float>(std::clamp(std::nearbyint(v), 0.0, f.topValue));
    }
    return f;
}

} // namespace

SyntheticFrame makeFrame(const Scene &scene)
{
    std::mt19937 random(scene.seed);
    std::vector<double> values(std::size_t(scene.width) * std::size_t(scene.height));
    fillDark(scene, values, true);
    double p = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    const std::vector<TurnedSpot> spots(scene.spots.begin(), scene.spots.end());
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x) {
            double &v = values[std::size_t(y) * std::size_t(scene.width) + std::size_t(x)];
            for (std::size_t k = 0; k < spots.size(); ++k) {
                const double e = spotValue(spots[k], x, y);
                v += e;
                if (k == 0) {
                    p += e;
                    sx += x * e;
                    sy += y * e;
                    sxx += double(x) * x * e;
                    syy += double(y) * y * e;
                    sxy += double(x) * y * e;
                }
            }
        }
    SyntheticFrame out;
    out.frame = quantise(scene, values, random);
    if (p > 0) {
        BeamTruth &t = out.truth;
        t.cx = sx / p;
        t.cy = sy / p;
        const double vxx = sxx / p - t.cx * t.cx, vyy = syy / p - t.cy * t.cy, vxy = sxy / p - t.cx * t.cy;
        const double root = std::sqrt((vxx - vyy) * (vxx - vyy) + 4 * vxy * vxy);
        t.dMajor = 2 * std::sqrt(2.0) * std::sqrt(vxx + vyy + root);
        t.dMinor = 2 * std::sqrt(2.0) * std::sqrt(std::max(0.0, vxx + vyy - root));
        t.phiDeg = scene.spots.front().phiDeg;
    }
    return out;
}

beam::BeamFrame makeDarkFrame(const Scene &scene)
{
    std::mt19937 random(scene.seed + 1000003u);
    std::vector<double> values(std::size_t(scene.width) * std::size_t(scene.height));
    fillDark(scene, values, false);
    return quantise(scene, values, random);
}

beam::BeamFrame jpegRoundTrip(const beam::BeamFrame &frame, int quality)
{
    QImage image(frame.width, frame.height, QImage::Format_Grayscale8);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            image.scanLine(y)[x] = static_cast<uchar>(std::clamp(std::lround(frame.at(x, y)), 0L, 255L));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    const QImage back = QImage::fromData(bytes, "JPEG").convertToFormat(QImage::Format_Grayscale8);
    beam::BeamFrame out = frame;
    out.bitDepth = 8;
    out.topValue = 255;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            out.values[std::size_t(y) * std::size_t(frame.width) + std::size_t(x)] = back.constScanLine(y)[x];
    return out;
}

} // namespace lumetra::test
