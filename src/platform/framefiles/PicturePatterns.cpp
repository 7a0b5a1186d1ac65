#include "platform/framefiles/PicturePatterns.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

namespace lumetra {

QStringList readablePicturePatterns()
{
    QStringList patterns{QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                         QStringLiteral("*.png"), QStringLiteral("*.pgm"), QStringLiteral("*.ppm"),
                         QStringLiteral("*.tif"), QStringLiteral("*.tiff")};
    // Drawings and documents are no camera pictures, whatever plug-in reads them.
    const QStringList vector{QStringLiteral("svg"), QStringLiteral("svgz"), QStringLiteral("pdf")};
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        const QString pattern = QStringLiteral("*.") + suffix;
        if (!vector.contains(suffix) && !patterns.contains(pattern))
            patterns << pattern;
    }
    return patterns;
}

bool isReadablePicture(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return !suffix.isEmpty() && readablePicturePatterns().contains(QStringLiteral("*.") + suffix);
}

QString allPicturesFilter()
{
    return QCoreApplication::translate("PicturePatterns", "所有图片|%1")
        .arg(readablePicturePatterns().join(u';'));
}

} // namespace lumetra
