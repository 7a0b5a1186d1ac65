#include "platform/ImageLoader.h"

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

} // namespace

ImageLoadResult loadImageFile(const QString &path)
{
    ImageLoadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("文件不存在: %1").arg(path);
        return result;
    }
    if (!info.isFile() || !info.isReadable()) {
        result.error = QStringLiteral("无法读取文件: %1").arg(path);
        return result;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        result.error = QStringLiteral("不是可识别的图像文件: %1").arg(path);
        return result;
    }
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > MaxImageSide || size.height() > MaxImageSide ||
                           qint64(size.width()) * size.height() > MaxImagePixels)) {
        result.error = QStringLiteral("图像尺寸不合理 (%1 x %2): %3")
                           .arg(size.width())
                           .arg(size.height())
                           .arg(path);
        return result;
    }
    const QByteArray format = reader.format();
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.error = QStringLiteral("图像文件已损坏或不完整: %1").arg(path);
        return result;
    }
    if (format == "jpeg" && !jpegLooksComplete(path)) {
        result.error = QStringLiteral("图像文件已损坏或不完整: %1").arg(path);
        return result;
    }
    result.image = image.convertToFormat(QImage::Format_RGB32);
    return result;
}

} // namespace lumetra
