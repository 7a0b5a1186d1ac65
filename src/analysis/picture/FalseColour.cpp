#include "analysis/picture/FalseColour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lumetra::falsecolour {

namespace {

// The colours of every whole code 0..maxCode.
std::vector<QRgb> colourTable(int maxCode, const ColourScale &scale, const FalseColourChoice &choice)
{
    std::vector<QRgb> table(std::size_t(maxCode) + 1);
    for (int code = 0; code <= maxCode; ++code)
        table[std::size_t(code)] = colourOf(code, scale, choice);
    return table;
}

// Mean and standard deviation of the four corner blocks, each an eighth of the picture's sides.
template <typename Value>
DarkEstimate cornerStatistics(int width, int height, Value value)
{
    const int cw = std::max(1, width / 8), ch = std::max(1, height / 8);
    double sum = 0, sum2 = 0;
    long long n = 0;
    for (const auto &[x0, y0] : {std::pair{0, 0}, std::pair{width - cw, 0}, std::pair{0, height - ch},
                                 std::pair{width - cw, height - ch}})
        for (int y = y0; y < y0 + ch; ++y)
            for (int x = x0; x < x0 + cw; ++x) {
                const double v = value(x, y);
                sum += v;
                sum2 += v * v;
                ++n;
            }
    DarkEstimate e;
    if (n == 0)
        return e;
    e.level = sum / double(n);
    e.noise = std::sqrt(std::max(0.0, sum2 / double(n) - e.level * e.level));
    return e;
}

} // namespace

QRgb colourOf(double code, const ColourScale &scale, const FalseColourChoice &choice)
{
    if (choice.markSaturated && code >= scale.top)
        return saturationColour(choice.palette);
    if (choice.noiseBlack && scale.noise >= 0 && code <= scale.noise)
        return qRgb(0, 0, 0);
    const double span = std::max(1e-9, scale.high - scale.low);
    const double t = std::clamp((code - scale.low) / span, 0.0, 1.0);
    return paletteTable(choice.palette)[std::size_t(std::lround(t * 255.0))];
}

ColouredPicture colourPicture(const DeepFrame &frame, const ColourScale &scale, const FalseColourChoice &choice)
{
    ColouredPicture out;
    if (frame.isEmpty() || frame.samples.size() < std::size_t(frame.width) * std::size_t(frame.height))
        return out;
    const int top = frame.topValue();
    const std::vector<QRgb> table = colourTable(top, scale, choice);
    out.image = QImage(frame.width, frame.height, QImage::Format_RGB32);
    int peak = 0;
    long long saturated = 0;
    for (int y = 0; y < frame.height; ++y) {
        const std::uint16_t *in = frame.samples.data() + std::size_t(y) * std::size_t(frame.width);
        auto *line = reinterpret_cast<QRgb *>(out.image.scanLine(y));
        for (int x = 0; x < frame.width; ++x) {
            const int code = std::min<int>(in[x], top);
            peak = std::max(peak, code);
            saturated += code >= scale.top ? 1 : 0;
            line[x] = table[std::size_t(code)];
        }
    }
    out.peak = peak;
    out.saturated = saturated;
    return out;
}

ColouredPicture colourPicture(const QImage &picture, const ColourScale &scale, const FalseColourChoice &choice)
{
    ColouredPicture out;
    if (picture.isNull())
        return out;
    const std::vector<QRgb> table = colourTable(255, scale, choice);
    out.image = QImage(picture.size(), QImage::Format_RGB32);
    int peak = 0;
    long long saturated = 0;
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    const QImage rgb = grey ? picture : picture.convertToFormat(QImage::Format_RGB32);
    // On the grey palette a colour picture keeps its own colours but for the marked codes.
    const bool ownColours = !grey && choice.palette == Palette::Grey;
    std::array<bool, 256> marked{};
    for (int code = 0; code < 256; ++code)
        marked[std::size_t(code)] = (choice.markSaturated && code >= scale.top) ||
                                    (choice.noiseBlack && scale.noise >= 0 && code <= scale.noise);
    for (int y = 0; y < rgb.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.image.scanLine(y));
        const uchar *in = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = grey ? 0 : reinterpret_cast<const QRgb *>(in)[x];
            const int code = grey ? in[x] : greyLevel(pixel);
            peak = std::max(peak, code);
            saturated += code >= scale.top ? 1 : 0;
            line[x] = ownColours && !marked[std::size_t(code)] ? pixel : table[std::size_t(code)];
        }
    }
    out.peak = peak;
    out.saturated = saturated;
    return out;
}

ColouredPicture colourPicture(const beam::BeamFrame &frame, const QRect &area, const beam::BeamFrame *dark,
                              const ColourScale &scale, const FalseColourChoice &choice)
{
    ColouredPicture out;
    const QRect inside = area.intersected(QRect(0, 0, frame.width, frame.height));
    if (inside.isEmpty() || frame.values.size() != std::size_t(frame.width) * std::size_t(frame.height))
        return out;
    const bool subtract = dark && dark->width == frame.width && dark->height == frame.height &&
                          dark->values.size() == frame.values.size();
    out.image = QImage(inside.size(), QImage::Format_RGB32);
    double peak = -1e300;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.image.scanLine(y - inside.top()));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(frame.width) + std::size_t(x);
            // Saturation is the camera's top code, before the dark frame comes off.
            const double raw = frame.values[i];
            const double v = raw - (subtract ? dark->values[i] : 0.0f);
            peak = std::max(peak, v);
            const bool top = raw >= scale.top;
            out.saturated += top ? 1 : 0;
            line[x - inside.left()] = choice.markSaturated && top ? saturationColour(choice.palette)
                                                                  : colourOf(std::min(v, scale.top - 1e-9), scale, choice);
        }
    }
    out.peak = peak;
    return out;
}

DarkEstimate estimateDark(const DeepFrame &frame)
{
    if (frame.isEmpty())
        return {};
    return cornerStatistics(frame.width, frame.height, [&frame](int x, int y) { return double(frame.at(x, y)); });
}

DarkEstimate estimateDark(const QImage &picture)
{
    if (picture.isNull())
        return {};
    if (picture.format() == QImage::Format_Grayscale8)
        return cornerStatistics(picture.width(), picture.height(),
                                [&picture](int x, int y) { return double(picture.constScanLine(y)[x]); });
    const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    return cornerStatistics(rgb.width(), rgb.height(), [&rgb](int x, int y) {
        return double(greyLevel(reinterpret_cast<const QRgb *>(rgb.constScanLine(y))[x]));
    });
}

} // namespace lumetra::falsecolour
