#include "platform/framefiles/FrameFile.h"

#include "platform/framefiles/ImageLoader.h"
#include "platform/framefiles/NetpbmFrame.h"
#include "platform/framefiles/PngFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace lumetra {

namespace {

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

FrameReadResult readFrameFile(const QString &path, PngDecoder pngDecoder)
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
    if (png.depth > 0 && pngDecoder == PngDecoder::Fast && decodePngFrame(bytes, result.frame))
        return result;
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
