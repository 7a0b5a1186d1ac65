#pragma once

#include <QByteArray>
#include <QImage>

namespace lumetra {

// A picture laid out as a capture driver delivers it.
struct EncodedFrame
{
    QByteArray data;
    int bytesPerLine = 0; // of the packed line or the Y plane
};

// Lays a picture out in a driver pixel layout (RGB555, RGB24, YUYV, YVU410, YVU420; YUV as
// ITU-R BT.601 video range, chroma averaged over its block): the reverse of convertFrame.
// Empty data for a layout not handled or a null picture.
EncodedFrame encodeFrame(const QImage &picture, quint32 fourcc);

} // namespace lumetra
