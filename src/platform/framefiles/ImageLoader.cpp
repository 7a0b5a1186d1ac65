#include "platform/framefiles/ImageLoader.h"

#include "types/MessageLanguage.h"
#include "platform/framefiles/PixelBudget.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace lumetra {

namespace {

// A JPEG stream ends with the EOI marker; decoders fill a cut-off file with grey and carry on,
// so look for the marker ourselves. Trailing bytes after it are tolerated.
bool jpegLooksComplete(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 tail = std::min<qint64>(file.size(), 64 * 1024);
    file.seek(file.size() - tail);
    const QByteArray bytes = file.read(tail);
    return bytes.contains(QByteArray("\xFF\xD9", 2));
}

// An uncompressed BMP holds exactly its rows after the pixel-data offset; Qt's reader pads a
// cut-off file with black and reports success, so compare the file size with what the header
// promises. Compressed (RLE) and unusual headers are left to the decoder.
bool bmpLooksComplete(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray h = file.read(34);
    if (h.size() < 34 || !h.startsWith("BM"))
        return true;
    const auto u32 = [&h](int at) {
        return quint32(quint8(h[at])) | quint32(quint8(h[at + 1])) << 8 | quint32(quint8(h[at + 2])) << 16 |
               quint32(quint8(h[at + 3])) << 24;
    };
    const auto u16 = [&h](int at) { return quint16(quint8(h[at]) | quint8(h[at + 1]) << 8); };
    const quint32 offset = u32(10);
    const quint32 headerSize = u32(14);
    if (headerSize < 40)
        return true; // the old core header; rare, let the decoder judge it
    const qint64 width = qint32(u32(18));
    const qint64 height = qint32(u32(22));
    const quint16 bitsPerPixel = u16(28);
    const quint32 compression = u32(30);
    if ((compression != 0 && compression != 3) || width <= 0 || bitsPerPixel == 0)
        return true;
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    return file.size() >= qint64(offset) + stride * (height < 0 ? -height : height);
}

} // namespace

ImageLoadResult loadImageFileNative(const QString &path)
{
    ImageLoadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = messageText("文件不存在: %1", "the file does not exist: %1").arg(path);
        return result;
    }
    if (!info.isFile() || !info.isReadable()) {
        result.error = messageText("无法读取文件: %1", "cannot read the file: %1").arg(path);
        return result;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        result.error = messageText("不是可识别的图像文件: %1", "not a picture file this program can read: %1").arg(path);
        return result;
    }
    // The size the header gives is checked before anything is decoded.
    const QSize size = reader.size();
    if (size.isValid()) {
        if (const QString refusal = pixelBudgetRefusal(size.width(), size.height()); !refusal.isEmpty()) {
            result.error = QStringLiteral("%1: %2").arg(refusal, path);
            return result;
        }
    }
    const QByteArray format = reader.format();
    if (format == "bmp" && !bmpLooksComplete(path)) {
        result.error = messageText("图像文件已损坏或不完整: %1", "the picture file is damaged or incomplete: %1").arg(path);
        return result;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.error = messageText("图像文件已损坏或不完整: %1", "the picture file is damaged or incomplete: %1").arg(path);
        return result;
    }
    if (format == "jpeg" && !jpegLooksComplete(path)) {
        result.error = messageText("图像文件已损坏或不完整: %1", "the picture file is damaged or incomplete: %1").arg(path);
        return result;
    }
    result.image = image;
    return result;
}

ImageLoadResult loadImageFile(const QString &path)
{
    ImageLoadResult result = loadImageFileNative(path);
    if (result.ok())
        result.image = result.image.convertToFormat(QImage::Format_RGB32);
    return result;
}

} // namespace lumetra
