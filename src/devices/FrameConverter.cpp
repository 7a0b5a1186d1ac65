#include "devices/FrameConverter.h"

#include <linux/videodev2.h>

#include <algorithm>

namespace lumetra {

namespace {

int packedLine(quint32 fourcc, int width)
{
    switch (fourcc) {
    case V4L2_PIX_FMT_RGB555: return width * 2;
    case V4L2_PIX_FMT_YUYV: return (width + 1) / 2 * 4;
    case V4L2_PIX_FMT_RGB24: return width * 3;
    case V4L2_PIX_FMT_YVU410:
    case V4L2_PIX_FMT_YVU420: return width;
    default: return 0;
    }
}

// Chroma block edge of the planar layouts (1 for packed ones).
int chromaDivisor(quint32 fourcc)
{
    if (fourcc == V4L2_PIX_FMT_YVU410)
        return 4;
    if (fourcc == V4L2_PIX_FMT_YVU420)
        return 2;
    return 1;
}

inline quint8 clip(int v)
{
    return quint8(std::clamp(v, 0, 255));
}

// BT.601 video range in fixed point: the chroma terms are shared by the pixels of a block.
struct Chroma
{
    int red, green, blue;
};

inline Chroma chromaOf(int u, int v)
{
    const int d = u - 128, e = v - 128;
    return {409 * e + 128, -100 * d - 208 * e + 128, 516 * d + 128};
}

inline QRgb withLuma(int y, const Chroma &c)
{
    const int l = 298 * (y - 16);
    return 0xff000000u | quint32(clip((l + c.red) >> 8)) << 16 | quint32(clip((l + c.green) >> 8)) << 8 |
           clip((l + c.blue) >> 8);
}

void convertRgb555(const uchar *data, int bpl, QImage &out)
{
    for (int y = 0; y < out.height(); ++y) {
        const uchar *src = data + qsizetype(y) * bpl;
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const unsigned p = unsigned(src[2 * x]) | unsigned(src[2 * x + 1]) << 8;
            const unsigned r = (p >> 10) & 31, g = (p >> 5) & 31, b = p & 31;
            dst[x] = qRgb(int(r << 3 | r >> 2), int(g << 3 | g >> 2), int(b << 3 | b >> 2));
        }
    }
}

void convertRgb24(const uchar *data, int bpl, QImage &out)
{
    for (int y = 0; y < out.height(); ++y) {
        const uchar *src = data + qsizetype(y) * bpl;
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x, src += 3)
            dst[x] = 0xff000000u | quint32(src[0]) << 16 | quint32(src[1]) << 8 | src[2];
    }
}

void convertYuyv(const uchar *data, int bpl, QImage &out)
{
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        const uchar *src = data + qsizetype(y) * bpl;
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        int x = 0;
        for (; x + 1 < w; x += 2, src += 4) {
            const Chroma c = chromaOf(src[1], src[3]);
            dst[x] = withLuma(src[0], c);
            dst[x + 1] = withLuma(src[2], c);
        }
        if (x < w) // odd width: the last pair carries one pixel
            dst[x] = withLuma(src[0], chromaOf(src[1], src[3]));
    }
}

// Y plane, then V, then U, each chroma sample covering a div x div block.
void convertPlanarYvu(const uchar *data, int bpl, int div, QImage &out)
{
    const int w = out.width(), h = out.height();
    const int cstride = bpl / div, cheight = (h + div - 1) / div;
    const uchar *vPlane = data + qsizetype(bpl) * h;
    const uchar *uPlane = vPlane + qsizetype(cstride) * cheight;
    for (int y = 0; y < h; ++y) {
        const uchar *ys = data + qsizetype(y) * bpl;
        const uchar *vs = vPlane + qsizetype(y / div) * cstride;
        const uchar *us = uPlane + qsizetype(y / div) * cstride;
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int cx = 0, x = 0; x < w; ++cx) {
            const Chroma c = chromaOf(us[cx], vs[cx]);
            for (const int end = std::min(x + div, w); x < end; ++x)
                dst[x] = withLuma(ys[x], c);
        }
    }
}

} // namespace

qsizetype frameBytes(quint32 fourcc, int width, int height, int bytesPerLine)
{
    const int packed = packedLine(fourcc, width);
    if (packed == 0 || width <= 0 || height <= 0)
        return 0;
    const qsizetype bpl = std::max(bytesPerLine, packed);
    const int div = chromaDivisor(fourcc);
    if (div == 1)
        return bpl * (height - 1) + packed; // the last line may end without padding
    const qsizetype cstride = bpl / div, cwidth = (width + div - 1) / div, cheight = (height + div - 1) / div;
    return bpl * height + cstride * cheight + cstride * (cheight - 1) + cwidth;
}

QImage convertFrame(const uchar *data, qsizetype size, quint32 fourcc, int width, int height,
                    int bytesPerLine)
{
    const qsizetype needed = frameBytes(fourcc, width, height, bytesPerLine);
    if (needed == 0 || data == nullptr || size < needed)
        return {};
    const int bpl = std::max(bytesPerLine, packedLine(fourcc, width));
    const int div = chromaDivisor(fourcc);
    if (div > 1 && (bpl / div) < (width + div - 1) / div)
        return {};
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    switch (fourcc) {
    case V4L2_PIX_FMT_RGB555: convertRgb555(data, bpl, out); break;
    case V4L2_PIX_FMT_RGB24: convertRgb24(data, bpl, out); break;
    case V4L2_PIX_FMT_YUYV: convertYuyv(data, bpl, out); break;
    default: convertPlanarYvu(data, bpl, div, out); break;
    }
    return out;
}

} // namespace lumetra
