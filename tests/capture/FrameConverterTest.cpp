#include "CaptureTestSupport.h"

#include "devices/FrameConverter.h"
#include "devices/FrameEncoder.h"

#include <QPainter>

#include <linux/videodev2.h>

#include <gtest/gtest.h>

#include <vector>

using namespace lumetra;

namespace {

QImage testPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 255) / std::max(1, w - 1), (y * 255) / std::max(1, h - 1), 128));
    return img;
}

QImage convert(const std::vector<uchar> &bytes, quint32 fourcc, int w, int h, int bpl = 0)
{
    return convertFrame(bytes.data(), qsizetype(bytes.size()), fourcc, w, h, bpl);
}

} // namespace

TEST(FrameConverter, YuvVideoRangeMeetsTheRgbCorners)
{
    // Y U Y V: white, then black, on one line.
    const QImage white = convert({235, 128, 235, 128}, V4L2_PIX_FMT_YUYV, 2, 1);
    ASSERT_FALSE(white.isNull());
    EXPECT_EQ(white.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(white.pixel(1, 0), qRgb(255, 255, 255));
    const QImage black = convert({16, 128, 16, 128}, V4L2_PIX_FMT_YUYV, 2, 1);
    EXPECT_EQ(black.pixel(0, 0), qRgb(0, 0, 0));
    // Saturated red in BT.601: Y 81, U 90, V 240.
    const QImage red = convert({81, 90, 81, 240}, V4L2_PIX_FMT_YUYV, 2, 1);
    EXPECT_TRUE(test::closeColour(red.pixel(0, 0), qRgb(255, 0, 0), 2)) << std::hex << red.pixel(0, 0);
    // The two pixels of a pair share the chroma but keep their own luma.
    const QImage pair = convert({16, 128, 235, 128}, V4L2_PIX_FMT_YUYV, 2, 1);
    EXPECT_EQ(pair.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(pair.pixel(1, 0), qRgb(255, 255, 255));
}

TEST(FrameConverter, PackedRgbLayoutsKeepTheirChannelOrder)
{
    const QImage rgb = convert({10, 20, 30, 200, 100, 50}, V4L2_PIX_FMT_RGB24, 2, 1);
    EXPECT_EQ(rgb.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(rgb.pixel(1, 0), qRgb(200, 100, 50));
    // 0 11111 00000 00001 little-endian: full red, no green, the lowest blue.
    const QImage rgb555 = convert({0x01, 0x7c}, V4L2_PIX_FMT_RGB555, 1, 1);
    EXPECT_EQ(rgb555.pixel(0, 0), qRgb(255, 0, 8));
    const QImage green555 = convert({0xe0, 0x03}, V4L2_PIX_FMT_RGB555, 1, 1);
    EXPECT_EQ(green555.pixel(0, 0), qRgb(0, 255, 0));
}

TEST(FrameConverter, LinePaddingIsSkipped)
{
    // Two lines of one RGB24 pixel, each line padded to 8 bytes.
    const std::vector<uchar> bytes = {1, 2, 3, 9, 9, 9, 9, 9, 4, 5, 6};
    const QImage img = convert(bytes, V4L2_PIX_FMT_RGB24, 1, 2, 8);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(0, 1), qRgb(4, 5, 6));
}

TEST(FrameConverter, ShortOrUnknownFramesGiveNoPicture)
{
    std::vector<uchar> bytes(640 * 480 * 2 - 1, 128);
    EXPECT_TRUE(convert(bytes, V4L2_PIX_FMT_YUYV, 640, 480).isNull());
    bytes.push_back(128);
    EXPECT_FALSE(convert(bytes, V4L2_PIX_FMT_YUYV, 640, 480).isNull());
    EXPECT_TRUE(convert(bytes, V4L2_PIX_FMT_MJPEG, 640, 480).isNull());
    EXPECT_TRUE(convert(bytes, V4L2_PIX_FMT_YUYV, 0, 480).isNull());
    EXPECT_TRUE(convertFrame(nullptr, 100, V4L2_PIX_FMT_RGB24, 2, 2).isNull());
    // A planar frame one byte short of its U plane.
    std::vector<uchar> planar(size_t(frameBytes(V4L2_PIX_FMT_YVU420, 64, 48)) - 1, 128);
    EXPECT_TRUE(convert(planar, V4L2_PIX_FMT_YVU420, 64, 48).isNull());
}

TEST(FrameConverter, OddWidthYuyvUsesItsLastHalfPair)
{
    EXPECT_EQ(frameBytes(V4L2_PIX_FMT_YUYV, 3, 1), 8);
    const QImage img = convert({16, 128, 16, 128, 235, 128, 0, 128}, V4L2_PIX_FMT_YUYV, 3, 1);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(2, 0), qRgb(255, 255, 255));
}

TEST(FrameConverter, EveryLayoutRoundTripsAPictureWithinItsPrecision)
{
    const QImage picture = testPicture(64, 48);
    struct Case
    {
        quint32 fourcc;
        int tolerance;
    };
    // RGB555 loses three bits; the YUV layouts lose chroma detail over a gentle gradient.
    for (const Case c :
         {Case{V4L2_PIX_FMT_RGB24, 0}, Case{V4L2_PIX_FMT_RGB555, 7}, Case{V4L2_PIX_FMT_YUYV, 8},
          Case{V4L2_PIX_FMT_YVU420, 10}, Case{V4L2_PIX_FMT_YVU410, 22}}) {
        SCOPED_TRACE(c.fourcc);
        const EncodedFrame raw = encodeFrame(picture, c.fourcc);
        ASSERT_EQ(raw.data.size(), frameBytes(c.fourcc, 64, 48, raw.bytesPerLine));
        const QImage back = convertFrame(reinterpret_cast<const uchar *>(raw.data.constData()),
                                         raw.data.size(), c.fourcc, 64, 48, raw.bytesPerLine);
        ASSERT_EQ(back.size(), picture.size());
        int worst = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const QRgb a = picture.pixel(x, y), b = back.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(worst, c.tolerance);
    }
}

TEST(FrameConverter, PlanarChromaCoversItsBlock)
{
    // A 4 x 4 picture, red on the left half and blue on the right: YVU420 keeps the halves apart
    // (2 x 2 blocks), YVU410 mixes them (one 4 x 4 block).
    QImage picture(4, 4, QImage::Format_RGB32);
    QPainter(&picture).fillRect(0, 0, 2, 4, Qt::red);
    QPainter(&picture).fillRect(2, 0, 2, 4, Qt::blue);
    const auto roundTrip = [&](quint32 fourcc) {
        const EncodedFrame raw = encodeFrame(picture, fourcc);
        return convertFrame(reinterpret_cast<const uchar *>(raw.data.constData()), raw.data.size(), fourcc, 4,
                            4, raw.bytesPerLine);
    };
    const QImage fine = roundTrip(V4L2_PIX_FMT_YVU420);
    EXPECT_GT(qRed(fine.pixel(0, 0)), 200);
    EXPECT_GT(qBlue(fine.pixel(3, 3)), 200);
    EXPECT_LT(qBlue(fine.pixel(0, 0)), 40);
    const QImage coarse = roundTrip(V4L2_PIX_FMT_YVU410);
    EXPECT_LT(qRed(coarse.pixel(0, 0)), 200); // blue chroma has bled into the red half
    EXPECT_GT(qBlue(coarse.pixel(0, 0)), 40);
}
