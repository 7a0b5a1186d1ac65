#include "devices/SimulatedBeam.h"

#include <QColor>
#include <QRect>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lumetra {

namespace {

struct Spot
{
    QPointF centre;
    double sigmaX;
    double sigmaY;
};

std::vector<Spot> spotsOf(int source, QSize size, double t, QPointF shift)
{
    const double w = size.width(), h = size.height();
    const QPointF c = SimulatedBeam::spotCentre(source, size, t) + shift;
    switch (source) {
    case 1: return {{c, w / 9.0, h / 18.0}};
    case 2: return {{c, w / 18.0, w / 18.0}, {QPointF(w - c.x(), h - c.y()), w / 22.0, w / 22.0}};
    case 3: return {{c, w / 16.0, w / 16.0}};
    default: return {{c, w / 14.0, w / 14.0}};
    }
}

std::vector<float> gaussian(int n, double centre, double sigma)
{
    std::vector<float> g(std::size_t(std::max(n, 0)));
    const double k = -1.0 / (2.0 * sigma * sigma);
    for (int i = 0; i < n; ++i)
        g[std::size_t(i)] = float(std::exp(k * (i + 0.5 - centre) * (i + 0.5 - centre)));
    return g;
}

// One channel's level after contrast and brightness, for each level before them.
std::array<quint8, 256> channelTable(double tint, const BeamSettings &s)
{
    std::array<quint8, 256> table{};
    const double gain = std::clamp(s.contrast, 0, 10000) / 5000.0;
    const double offset = (std::clamp(s.brightness, 0, 10000) - 5000) / 5000.0 * 128.0;
    for (int i = 0; i < int(table.size()); ++i) {
        const double level = i * tint;
        table[std::size_t(i)] =
            quint8(std::clamp(std::lround((level - 128.0) * gain + 128.0 + offset), 0L, 255L));
    }
    return table;
}

} // namespace

QPointF SimulatedBeam::spotCentre(int source, QSize size, double t)
{
    const double w = size.width(), h = size.height();
    switch (source) {
    case 1: return {w * (0.5 + 0.22 * std::sin(0.5 * t + 1.0)), h * (0.5 + 0.3 * std::sin(0.8 * t))};
    case 2: return {w * (0.3 + 0.1 * std::sin(0.9 * t)), h * (0.35 + 0.1 * std::cos(0.9 * t))};
    case 3: return {w / 2.0, h / 2.0};
    default: return {w * (0.5 + 0.28 * std::sin(0.7 * t)), h * (0.5 + 0.25 * std::sin(1.1 * t + 0.6))};
    }
}

double SimulatedBeam::nextGaussian()
{
    // splitmix64 for two uniform draws, Box-Muller for the normal deviate.
    const auto uniform = [this] {
        quint64 z = (m_jitterRandom += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return (double(z >> 11) + 0.5) / 9007199254740992.0; // (0, 1)
    };
    const double u1 = uniform(), u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.14159265358979323846 * u2);
}

quint32 SimulatedBeam::nextRandom()
{
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return m_random;
}

QImage SimulatedBeam::render(const BeamSettings &settings, double seconds)
{
    QImage out(settings.size, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    QPointF shift(settings.driftXPerMinute * seconds / 60.0, settings.driftYPerMinute * seconds / 60.0);
    if (settings.jitterRms > 0) {
        const double jx = nextGaussian(), jy = nextGaussian();
        shift += QPointF(jx, jy) * settings.jitterRms;
    }
    if (settings.source == 4) {
        const int hw = out.width() / 2, hh = out.height() / 2;
        out.fill(Qt::black);
        for (int q = 0; q < 4; ++q)
            paintSource(q, settings, seconds, shift, out, QRect((q % 2) * hw, (q / 2) * hh, hw, hh));
    } else {
        paintSource(std::clamp(settings.source, 0, 3), settings, seconds, shift, out, out.rect());
    }
    return out;
}

void SimulatedBeam::paintSource(int source, const BeamSettings &s, double seconds, QPointF shift, QImage &out,
                                const QRect &area)
{
    const int w = area.width(), h = area.height();
    if (w <= 0 || h <= 0)
        return;
    // Hue 5000 is a green tint; the scale turns half the colour circle each way.
    const double hue = std::fmod(1.0 + 120.0 / 360.0 + (std::clamp(s.hue, 0, 10000) - 5000) / 10000.0, 1.0);
    const double sat = std::clamp(0.6 * std::clamp(s.saturation, 0, 10000) / 5000.0, 0.0, 1.0);
    const QColor tint = QColor::fromHsvF(float(hue), float(sat), 1.0f);
    const auto red = channelTable(tint.redF(), s), green = channelTable(tint.greenF(), s),
               blue = channelTable(tint.blueF(), s);

    std::vector<float> field(std::size_t(w) * std::size_t(h), 0.0f);
    for (const Spot &spot : spotsOf(source, QSize(w, h), seconds, shift)) {
        const auto gx = gaussian(w, spot.centre.x(), spot.sigmaX),
                   gy = gaussian(h, spot.centre.y(), spot.sigmaY);
        for (int y = 0; y < h; ++y) {
            float *row = field.data() + std::size_t(y) * std::size_t(w);
            const float fy = gy[std::size_t(y)];
            if (fy < 1e-4f)
                continue;
            for (int x = 0; x < w; ++x)
                row[x] = std::max(row[x], fy * gx[std::size_t(x)]);
        }
    }
    for (int y = 0; y < h; ++y) {
        const float *row = field.data() + std::size_t(y) * std::size_t(w);
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(area.top() + y)) + area.left();
        for (int x = 0; x < w; ++x) {
            const quint32 r = nextRandom();
            // Two uniform draws make a triangular noise of +-Noise levels.
            const int noise = int(r & 7u) + int((r >> 3) & 7u) - 7;
            const int level = Background + int(row[x] * float(Peak - Background) + 0.5f);
            const int i = std::clamp(level + std::clamp(noise, -Noise, Noise), 0, 255);
            dst[x] = 0xff000000u | quint32(red[std::size_t(i)]) << 16 | quint32(green[std::size_t(i)]) << 8 |
                     blue[std::size_t(i)];
        }
    }
}

} // namespace lumetra
