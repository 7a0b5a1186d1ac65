#include "platform/FrameFile.h"

#include "platform/ImageLoader.h"
#include "platform/NetpbmFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace lumetra {

namespace {

quint32 bigEndian32(const uchar *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

// The PNG's sample depth and, from its sBIT chunk, how many of those bits are significant
// (the colour channels' largest; alpha does not count). Significant equals depth when the
// file has no sBIT chunk or is not a PNG.
struct PngDepth
{
    int depth = 0;
    int significant = 0;
};

PngDepth pngDepth(QByteArrayView bytes)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    PngDepth d;
    if (bytes.size() < 33 || QByteArrayView(bytes.data(), 8) != QByteArrayView(signature, 8))
        return d;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    d.depth = p[24];
    d.significant = d.depth;
    const int colourType = p[25];
    const int colourChannels = (colourType & 2) ? 3 : 1;
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const quint32 length = bigEndian32(p + at);
        const QByteArrayView type(bytes.data() + at + 4, 4);
        if (type == "IDAT" || type == "IEND" || length > quint32(bytes.size() - at - 12))
            break;
        if (type == "sBIT" && length >= quint32(colourChannels)) {
            int bits = 0;
            for (int c = 0; c < colourChannels; ++c)
                bits = std::max(bits, int(p[at + 8 + c]));
            // Palette entries are 8-bit whatever the index depth.
            const int limit = colourType == 3 ? 8 : d.depth;
            if (bits > 0 && bits <= limit) {
                d.significant = bits;
                if (colourType == 3)
                    d.depth = 8;
            }
            break;
        }
        at += 12 + qsizetype(length);
    }
    return d;
}

float greyOf(quint32 r, quint32 g, quint32 b)
{
    if (r == g && g == b)
        return static_cast<float>(r);
    return 0.299f * static_cast<float>(r) + 0.587f * static_cast<float>(g) + 0.114f * static_cast<float>(b);
}

// Code values of a decoded picture, each sample shifted right by `shift` (the bits below the
// PNG's significant ones). 16-bit formats keep their 16 bits.
void fillFromImage(const QImage &decoded, int shift, beam::BeamFrame &frame)
{
    const int w = decoded.width(), h = decoded.height();
    frame.width = w;
    frame.height = h;
    frame.values.resize(std::size_t(w) * std::size_t(h));
    float *out = frame.values.data();
    switch (decoded.format()) {
    case QImage::Format_Grayscale8:
        frame.bitDepth = 8;
        for (int y = 0; y < h; ++y) {
            const uchar *row = decoded.constScanLine(y);
            for (int x = 0; x < w; ++x)
                *out++ = static_cast<float>(row[x] >> shift);
        }
        return;
    case QImage::Format_Grayscale16:
        frame.bitDepth = 16;
        for (int y = 0; y < h; ++y) {
            const auto *row = reinterpret_cast<const quint16 *>(decoded.constScanLine(y));
            for (int x = 0; x < w; ++x)
                *out++ = static_cast<float>(row[x] >> shift);
        }
        return;
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied: {
        frame.bitDepth = 16;
        const QImage image = decoded.convertToFormat(QImage::Format_RGBA64);
        for (int y = 0; y < h; ++y) {
            const auto *row = reinterpret_cast<const QRgba64 *>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                *out++ = greyOf(row[x].red() >> shift, row[x].green() >> shift, row[x].blue() >> shift);
        }
        return;
    }
    default: {
        frame.bitDepth = 8;
        const QImage image = decoded.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                *out++ = greyOf(quint32(qRed(row[x])) >> shift, quint32(qGreen(row[x])) >> shift,
                                quint32(qBlue(row[x])) >> shift);
        }
        return;
    }
    }
}

// A PNG must end with its IEND chunk; decoders hand back what they got from a cut-off file.
bool pngLooksComplete(QByteArrayView bytes)
{
    const qsizetype tail = std::min<qsizetype>(bytes.size(), 64);
    return QByteArrayView(bytes.data() + bytes.size() - tail, tail).contains(QByteArrayView("IEND"));
}

} // namespace

beam::BeamFrame frameFromImage(const QImage &image)
{
    beam::BeamFrame frame;
    if (image.isNull())
        return frame;
    fillFromImage(image, 0, frame);
    frame.topValue = frame.bitDepth == 16 ? 65535.0 : 255.0;
    return frame;
}

FrameReadResult readFrameFile(const QString &path)
{
    FrameReadResult result;
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("文件不存在: %1").arg(path);
        return result;
    }
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("无法读取文件: %1").arg(path);
        return result;
    }
    // The file's bytes are mapped, not copied; only the header is looked at for Qt's formats.
    QByteArray copy;
    QByteArrayView bytes;
    if (file.size() > 0) {
        if (uchar *mapped = file.map(0, file.size()))
            bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), file.size());
        else
            bytes = copy = file.readAll();
    }
    if (looksLikeNetpbm(bytes))
        return decodeNetpbm(bytes, path);

    const PngDepth png = pngDepth(bytes);
    if (png.depth > 0 && !pngLooksComplete(bytes)) {
        result.error = QStringLiteral("图像文件已损坏或不完整: %1").arg(path);
        return result;
    }
    ImageLoadResult loaded = loadImageFileNative(path);
    if (!loaded.ok()) {
        result.error = loaded.error;
        return result;
    }
    const QImage::Format format = loaded.image.format();
    const bool wide = format == QImage::Format_Grayscale16 || format == QImage::Format_RGBX64 ||
                      format == QImage::Format_RGBA64 || format == QImage::Format_RGBA64_Premultiplied;
    // The bits below the PNG's significant ones are dropped, so a 12-bit camera's PNG gives its
    // own codes 0..4095 (and a full well reads as the top code).
    int shift = 0;
    if ((png.depth == 16 && wide) || (png.depth == 8 && !wide))
        shift = png.depth - png.significant;
    fillFromImage(loaded.image, shift, result.frame);
    result.frame.topValue = double((1u << (result.frame.bitDepth - shift)) - 1u);
    return result;
}

} // namespace lumetra
