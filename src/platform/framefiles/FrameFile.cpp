#include "platform/framefiles/FrameFile.h"

#include "types/MessageLanguage.h"
#include "platform/framefiles/ImageLoader.h"
#include "platform/framefiles/FrameInput.h"
#include "platform/framefiles/NetpbmFrame.h"
#include "platform/framefiles/PngFrame.h"
#include "platform/framefiles/TiffFrame.h"

#include <QFileInfo>
#include <QImage>

namespace lumetra {

namespace {

// One row of `decoded` in `format`: the row itself when it is in that format already, otherwise
// that row alone converted, so that a deep colour picture never has a second full copy.
class RowsIn
{
public:
    RowsIn(const QImage &decoded, QImage::Format format) : m_image(decoded), m_format(format) {}
    const uchar *row(int y)
    {
        if (m_image.format() == m_format)
            return m_image.constScanLine(y);
        m_row = m_image.copy(0, y, m_image.width(), 1).convertToFormat(m_format);
        return m_row.constScanLine(0);
    }

private:
    const QImage &m_image;
    QImage::Format m_format;
    QImage m_row;
};

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
        RowsIn rows(decoded, QImage::Format_RGBA64);
        for (int y = 0; y < h; ++y) {
            const auto *row = reinterpret_cast<const QRgba64 *>(rows.row(y));
            for (int x = 0; x < w; ++x)
                *out++ = greyOf(row[x].red() >> shift, row[x].green() >> shift, row[x].blue() >> shift);
        }
        return;
    }
    default: {
        frame.bitDepth = 8;
        RowsIn rows(decoded, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(rows.row(y));
            for (int x = 0; x < w; ++x)
                *out++ = greyOf(quint32(qRed(row[x])) >> shift, quint32(qGreen(row[x])) >> shift,
                                quint32(qBlue(row[x])) >> shift);
        }
        return;
    }
    }
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
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = messageText("文件不存在: %1", "the file does not exist: %1").arg(path);
        return result;
    }
    if (!info.isFile()) {
        result.error = messageText("无法读取文件: %1", "cannot read the file: %1").arg(path);
        return result;
    }
    FrameInput input({});
    if (!input.open(path, result.error))
        return result;
    // Whatever a reader made of a file that changed under it (a camera program still writing
    // it), the file is refused.
    const auto checked = [&input, &path](FrameReadResult read) {
        if (input.changed()) {
            read.frame = {};
            read.error = messageText("文件在读取时被改动: %1", "the file changed while it was read: %1").arg(path);
        }
        return read;
    };
    const QByteArray head = input.head(8);
    if (looksLikeNetpbm(head))
        return checked(decodeNetpbm(input, path));

    PngDepth png;
    if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        QString error;
        const PngOutcome outcome = decodePng(input, result.frame, png, error, pngDecoder == PngDecoder::Qt);
        if (outcome == PngOutcome::Decoded)
            return checked(std::move(result));
        if (outcome == PngOutcome::Refused) {
            result.error = QStringLiteral("%1: %2").arg(error, path);
            return result;
        }
        if (!input.tail(64).contains("IEND")) {
            result.error = messageText("图像文件已损坏或不完整: %1", "the picture file is damaged or incomplete: %1").arg(path);
            return checked(std::move(result));
        }
    }
    ImageLoadResult loaded = loadImageFileNative(path);
    if (!loaded.ok()) {
        result.error = loaded.error;
        return checked(std::move(result));
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
    loaded.image = QImage();
    result.frame.topValue = double((1u << (result.frame.bitDepth - shift)) - 1u);
    // A TIFF of a 12-bit camera says so in MaxSampleValue: its top code, not 65535, saturates.
    const bool tiff = head.startsWith(QByteArrayLiteral("II*")) || head.startsWith(QByteArrayLiteral("MM"));
    if (const std::optional<quint32> top = tiff ? tiffMaxSampleValue(path) : std::nullopt;
        top && *top > 0 && *top < result.frame.topValue)
        result.frame.topValue = double(*top);
    return checked(std::move(result));
}

} // namespace lumetra
