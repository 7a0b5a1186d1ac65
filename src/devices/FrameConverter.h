#pragma once

#include <QImage>
#include <QtGlobal>

namespace lumetra {

// Bytes one frame of this driver pixel layout needs (0 for a layout not converted here).
// bytesPerLine 0 stands for the packed line length; planar layouts count it for the Y plane.
qsizetype frameBytes(quint32 fourcc, int width, int height, int bytesPerLine = 0);

// Converts one frame as the driver hands it over (RGB555, RGB24, YUYV, YVU410 or YVU420) into a
// Format_RGB32 picture. YUV is read as ITU-R BT.601 video range. A layout not handled here,
// an empty size or data shorter than the frame gives a null picture, never a read past the end.
QImage convertFrame(const uchar *data, qsizetype size, quint32 fourcc, int width, int height,
                    int bytesPerLine = 0);

} // namespace lumetra
