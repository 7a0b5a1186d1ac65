#pragma once

#include <QString>
#include <QStringList>

namespace lumetra {

// The name patterns ("*.png") of every picture format the program reads: its own readers (BMP,
// JPEG, PNG, PGM/PPM, TIFF) and whatever else Qt's image plug-ins read here.
QStringList readablePicturePatterns();
// Whether `path` names a file of one of those formats (by its extension).
bool isReadablePicture(const QString &path);
// "所有图片|*.bmp;*.jpg;...": the filter entry of every readable picture, first in the open dialogs.
QString allPicturesFilter();

} // namespace lumetra
