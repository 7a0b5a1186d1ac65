#include "platform/framefiles/NetpbmFrame.h"

#include "platform/framefiles/ImageLoader.h"

#include <cctype>

namespace lumetra {

namespace {

// Reads the header's and the plain formats' decimal numbers, skipping blanks and # comments.
class NetpbmScanner
{
public:
    NetpbmScanner(QByteArrayView bytes, qsizetype start) : m_bytes(bytes), m_at(start) {}

    // The next number, or -1 when there is none (end of data or not a digit).
    qint64 number()
    {
        skipBlanks();
        if (m_at >= m_bytes.size() || !std::isdigit(static_cast<unsigned char>(m_bytes[m_at])))
            return -1;
        qint64 value = 0;
        while (m_at < m_bytes.size() && std::isdigit(static_cast<unsigned char>(m_bytes[m_at]))) {
            value = value * 10 + (m_bytes[m_at] - '0');
            if (value > 0x7fffffff)
                return -1;
            ++m_at;
        }
        return value;
    }

    // After maxval: exactly one whitespace character, then the raster.
    bool skipOneBlank()
    {
        if (m_at >= m_bytes.size() || !std::isspace(static_cast<unsigned char>(m_bytes[m_at])))
            return false;
        ++m_at;
        return true;
    }

    qsizetype position() const { return m_at; }

private:
    void skipBlanks()
    {
        while (m_at < m_bytes.size()) {
            const char c = m_bytes[m_at];
            if (c == '#') {
                while (m_at < m_bytes.size() && m_bytes[m_at] != '\n' && m_bytes[m_at] != '\r')
                    ++m_at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_at;
            } else {
                return;
            }
        }
    }

    QByteArrayView m_bytes;
    qsizetype m_at;
};

// Sample k of a binary raster: one byte, or two bytes most significant first.
template <int Bytes>
inline quint32 sampleAt(const uchar *raster, qsizetype k)
{
    if constexpr (Bytes == 1)
        return raster[k];
    else
        return quint32(raster[2 * k]) << 8 | raster[2 * k + 1];
}

// The binary rasters, one loop per layout so that each runs without a test per pixel; each
// returns the highest sample.
template <int Bytes>
quint32 decodeGrey(const uchar *raster, qsizetype pixels, float *out)
{
    quint32 highest = 0;
    for (qsizetype i = 0; i < pixels; ++i) {
        const quint32 v = sampleAt<Bytes>(raster, i);
        highest = std::max(highest, v);
        out[i] = static_cast<float>(v);
    }
    return highest;
}

template <int Bytes>
quint32 decodeColour(const uchar *raster, qsizetype pixels, float *out)
{
    quint32 highest = 0;
    for (qsizetype i = 0; i < pixels; ++i) {
        const quint32 r = sampleAt<Bytes>(raster, 3 * i), g = sampleAt<Bytes>(raster, 3 * i + 1),
                      b = sampleAt<Bytes>(raster, 3 * i + 2);
        highest = std::max({highest, r, g, b});
        out[i] = greyOf(r, g, b);
    }
    return highest;
}

} // namespace

bool looksLikeNetpbm(QByteArrayView bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'P' &&
           (bytes[1] == '2' || bytes[1] == '3' || bytes[1] == '5' || bytes[1] == '6');
}

FrameReadResult decodeNetpbm(QByteArrayView bytes, const QString &name)
{
    FrameReadResult result;
    const auto fail = [&result, &name](const QString &what) {
        result.error = QStringLiteral("%1: %2").arg(what, name);
        return result;
    };
    if (!looksLikeNetpbm(bytes))
        return fail(QStringLiteral("不是 PGM/PPM 文件"));
    const char kind = bytes[1];
    const bool colour = kind == '3' || kind == '6';
    const bool plain = kind == '2' || kind == '3';
    NetpbmScanner scan(bytes, 2);
    const qint64 width = scan.number();
    const qint64 height = scan.number();
    const qint64 maxval = scan.number();
    if (width <= 0 || height <= 0 || maxval <= 0)
        return fail(QStringLiteral("PGM/PPM 文件头无效"));
    if (width > MaxImageSide || height > MaxImageSide || width * height > MaxImagePixels)
        return fail(QStringLiteral("图像尺寸不合理 (%1 x %2)").arg(width).arg(height));
    if (maxval > 65535)
        return fail(QStringLiteral("PGM/PPM 的最大值 %1 超过 65535").arg(maxval));
    if (!scan.skipOneBlank())
        return fail(QStringLiteral("PGM/PPM 文件头无效"));

    beam::BeamFrame &frame = result.frame;
    frame.width = static_cast<int>(width);
    frame.height = static_cast<int>(height);
    frame.bitDepth = maxval > 255 ? 16 : 8;
    frame.topValue = static_cast<double>(maxval);
    const qsizetype pixels = static_cast<qsizetype>(width * height);
    const int channels = colour ? 3 : 1;
    frame.values.resize(static_cast<std::size_t>(pixels));
    quint32 highest = 0;

    if (plain) {
        NetpbmScanner samples(bytes, scan.position());
        for (qsizetype i = 0; i < pixels; ++i) {
            qint64 s[3] = {0, 0, 0};
            for (int c = 0; c < channels; ++c) {
                s[c] = samples.number();
                if (s[c] < 0) {
                    frame = {};
                    return fail(QStringLiteral("图像文件已损坏或不完整"));
                }
                highest = std::max(highest, static_cast<quint32>(std::min<qint64>(s[c], 0xffffffff)));
            }
            frame.values[std::size_t(i)] =
                colour ? greyOf(quint32(s[0]), quint32(s[1]), quint32(s[2])) : static_cast<float>(s[0]);
        }
    } else {
        const int sampleBytes = maxval > 255 ? 2 : 1;
        const qsizetype need = pixels * channels * sampleBytes;
        if (bytes.size() - scan.position() < need) {
            frame = {};
            return fail(QStringLiteral("图像文件已损坏或不完整"));
        }
        const auto *raster = reinterpret_cast<const uchar *>(bytes.data() + scan.position());
        float *out = frame.values.data();
        if (colour)
            highest = sampleBytes == 1 ? decodeColour<1>(raster, pixels, out) : decodeColour<2>(raster, pixels, out);
        else
            highest = sampleBytes == 1 ? decodeGrey<1>(raster, pixels, out) : decodeGrey<2>(raster, pixels, out);
    }
    if (highest > maxval) {
        frame = {};
        return fail(QStringLiteral("PGM/PPM 的像素值 %1 超过最大值 %2").arg(highest).arg(maxval));
    }
    return result;
}

} // namespace lumetra
