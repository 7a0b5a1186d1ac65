#include "devices/FrameEncoder.h"

#include "devices/FrameConverter.h"


#include <linux/videodev2.h>

#include <algorithm>

namespace lumetra {

namespace {

inline int lumaOf(int r, int g, int b)
{
    return ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16;
}
inline int blueDiffOf(int r, int g, int b)
{
    return ((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128;
}
inline int redDiffOf(int r, int g, int b)
{
    return ((112 * r - 94 * g - 18 * b + 128) >> 8) + 128;
}

struct Sum
{
    int r = 0, g = 0, b = 0, n = 0;
    void add(QRgb p)
    {
        r += qRed(p);
        g += qGreen(p);
        b += qBlue(p);
        ++n;
    }
    int u() const { return blueDiffOf(r / n, g / n, b / n); }
    int v() const { return redDiffOf(r / n, g / n, b / n); }
};

void encodePacked(const QImage &img, quint32 fourcc, uchar *out, int bpl)
{
    const int w = img.width();
    for (int y = 0; y < img.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        uchar *dst = out + qsizetype(y) * bpl;
        if (fourcc == V4L2_PIX_FMT_RGB24) {
            for (int x = 0; x < w; ++x, dst += 3) {
                dst[0] = uchar(qRed(src[x]));
                dst[1] = uchar(qGreen(src[x]));
                dst[2] = uchar(qBlue(src[x]));
            }
        } else if (fourcc == V4L2_PIX_FMT_RGB555) {
            for (int x = 0; x < w; ++x) {
                const unsigned p = unsigned(qRed(src[x]) >> 3) << 10 | unsigned(qGreen(src[x]) >> 3) << 5 |
                                   unsigned(qBlue(src[x]) >> 3);
                dst[2 * x] = uchar(p & 0xff);
                dst[2 * x + 1] = uchar(p >> 8);
            }
        } else { // YUYV
            for (int x = 0; x < w; x += 2, dst += 4) {
                const QRgb a = src[x], b = x + 1 < w ? src[x + 1] : src[x];
                Sum s;
                s.add(a);
                s.add(b);
                dst[0] = uchar(lumaOf(qRed(a), qGreen(a), qBlue(a)));
                dst[1] = uchar(s.u());
                dst[2] = uchar(lumaOf(qRed(b), qGreen(b), qBlue(b)));
                dst[3] = uchar(s.v());
            }
        }
    }
}

void encodePlanar(const QImage &img, int div, uchar *out, int bpl)
{
    const int w = img.width(), h = img.height();
    const int cstride = bpl / div, cw = (w + div - 1) / div, ch = (h + div - 1) / div;
    uchar *vPlane = out + qsizetype(bpl) * h;
    uchar *uPlane = vPlane + qsizetype(cstride) * ch;
    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            out[qsizetype(y) * bpl + x] = uchar(lumaOf(qRed(src[x]), qGreen(src[x]), qBlue(src[x])));
    }
    for (int cy = 0; cy < ch; ++cy) {
        for (int cx = 0; cx < cw; ++cx) {
            Sum s;
            for (int y = cy * div; y < std::min(h, (cy + 1) * div); ++y) {
                const auto *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
                for (int x = cx * div; x < std::min(w, (cx + 1) * div); ++x)
                    s.add(src[x]);
            }
            vPlane[qsizetype(cy) * cstride + cx] = uchar(s.v());
            uPlane[qsizetype(cy) * cstride + cx] = uchar(s.u());
        }
    }
}

} // namespace

EncodedFrame encodeFrame(const QImage &picture, quint32 fourcc)
{
    const qsizetype size = frameBytes(fourcc, picture.width(), picture.height());
    if (picture.isNull() || size == 0)
        return {};
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    EncodedFrame frame;
    const bool planar = fourcc == V4L2_PIX_FMT_YVU410 || fourcc == V4L2_PIX_FMT_YVU420;
    const int div = fourcc == V4L2_PIX_FMT_YVU410 ? 4 : 2;
    // Planar lines are padded to a whole chroma block so that the chroma stride is exact.
    frame.bytesPerLine =
        planar ? (img.width() + div - 1) / div * div : int(frameBytes(fourcc, img.width(), 1));
    frame.data = QByteArray(frameBytes(fourcc, img.width(), img.height(), frame.bytesPerLine), '\0');
    auto *out = reinterpret_cast<uchar *>(frame.data.data());
    if (planar)
        encodePlanar(img, div, out, frame.bytesPerLine);
    else
        encodePacked(img, fourcc, out, frame.bytesPerLine);
    return frame;
}

} // namespace lumetra
