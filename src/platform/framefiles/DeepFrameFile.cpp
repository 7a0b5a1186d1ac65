#include "platform/framefiles/DeepFrameFile.h"

#include "platform/framefiles/TiffFrame.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

#include <libdeflate.h>

#include <cstring>

namespace lumetra {

QImage deepFrameImage(const DeepFrame &frame)
{
    if (frame.isEmpty())
        return {};
    const bool eight = frame.bitDepth <= 8;
    QImage image(frame.width, frame.height, eight ? QImage::Format_Grayscale8 : QImage::Format_Grayscale16);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint16_t *in = frame.samples.data() + std::size_t(y) * std::size_t(frame.width);
        if (eight) {
            uchar *out = image.scanLine(y);
            for (int x = 0; x < frame.width; ++x)
                out[x] = uchar(in[x]);
        } else {
            std::memcpy(image.scanLine(y), in, std::size_t(frame.width) * 2);
        }
    }
    return image;
}

namespace {

// A 16-bit PNG of a shallower camera: samples moved to the top bits, and an sBIT chunk after
// IHDR that says how many of them count.
QByteArray deepPng(const DeepFrame &frame)
{
    QImage image = deepFrameImage(frame);
    const int shift = 16 - frame.bitDepth;
    if (shift > 0)
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<quint16 *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = quint16(line[x] << shift);
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(image))
        return {};
    if (shift == 0)
        return bytes;
    constexpr int IhdrEnd = 8 + 8 + 13 + 4; // signature, IHDR length + type, data, CRC
    if (bytes.size() < IhdrEnd || bytes.mid(12, 4) != "IHDR")
        return {};
    QByteArray chunk;
    chunk.append(char(0)).append(char(0)).append(char(0)).append(char(1));
    chunk.append("sBIT").append(char(frame.bitDepth));
    const quint32 crc = libdeflate_crc32(0, chunk.constData() + 4, std::size_t(chunk.size() - 4));
    char crcBytes[4];
    qToBigEndian(crc, crcBytes);
    chunk.append(crcBytes, 4);
    bytes.insert(IhdrEnd, chunk);
    return bytes;
}

QByteArray pgm(const DeepFrame &frame)
{
    QByteArray bytes = QStringLiteral("P5\n%1 %2\n%3\n").arg(frame.width).arg(frame.height).arg(frame.topValue()).toLatin1();
    const bool two = frame.topValue() > 255;
    for (std::uint16_t v : frame.samples) {
        if (two)
            bytes.append(char(v >> 8));
        bytes.append(char(v & 0xFF));
    }
    return bytes;
}

QByteArray encoded(const DeepFrame &frame, const QString &suffix, QString *error)
{
    if (suffix == QLatin1String("pgm"))
        return pgm(frame);
    if (suffix != QLatin1String("png"))
        return deepTiff(frame);
    if (frame.bitDepth > 8)
        return deepPng(frame);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(deepFrameImage(frame)))
        *error = writer.errorString();
    return bytes;
}

} // namespace

QString saveDeepFrame(const DeepFrame &frame, const QString &path)
{
    if (frame.isEmpty() || frame.samples.size() != std::size_t(frame.width) * std::size_t(frame.height))
        return QStringLiteral("no frame to save");
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("tif") && suffix != QLatin1String("tiff") &&
        suffix != QLatin1String("pgm"))
        return QStringLiteral("%1: the name must end in .png, .tif, .tiff or .pgm").arg(path);
    QString error;
    const QByteArray bytes = encoded(frame, suffix, &error);
    if (bytes.isEmpty())
        return QStringLiteral("%1: cannot encode the frame %2").arg(path, error);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    return {};
}

} // namespace lumetra
