#include "surface/PictureSurface.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace lumetra;

namespace {

QImage gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return image;
}

} // namespace

TEST(PictureSurface, PointReadsColourInsideAndMinusOneOutside)
{
    PictureSurface s(640, 480);
    s.setBackColour(rgb(70, 70, 70));
    s.setPixel(10, 20, rgb(1, 2, 3));
    EXPECT_EQ(s.point(10, 20), rgb(1, 2, 3));
    EXPECT_EQ(s.point(0, 0), rgb(70, 70, 70));
    EXPECT_EQ(s.point(639, 479), rgb(70, 70, 70));
    EXPECT_EQ(s.point(640, 0), -1);
    EXPECT_EQ(s.point(0, 480), -1);
    EXPECT_EQ(s.point(-1, 5), -1);
}

struct XorCase
{
    PictureSurface::LineStyle style;
    int width;
    double x1, y1, x2, y2;
};

class XorLines : public ::testing::TestWithParam<XorCase>
{
};

TEST_P(XorLines, DrawingTwiceRestoresEveryPixel)
{
    const XorCase c = GetParam();
    PictureSurface s(200, 120);
    s.setPicture(gradient(200, 120));
    const QImage before = s.image().copy();
    s.setPenMode(PictureSurface::PenMode::Xor);
    s.setLineStyle(c.style);
    s.setLineWidth(c.width);
    s.line(c.x1, c.y1, c.x2, c.y2, rgb(0, 128, 0));
    EXPECT_NE(s.image(), before) << "the first drawing changes pixels";
    s.line(c.x1, c.y1, c.x2, c.y2, rgb(0, 128, 0));
    EXPECT_EQ(s.image(), before);
}

INSTANTIATE_TEST_SUITE_P(StylesAndWidths, XorLines,
                         ::testing::Values(XorCase{PictureSurface::LineStyle::Solid, 1, 0, 50, 200, 50},
                                           XorCase{PictureSurface::LineStyle::Dot, 1, 0, 50, 200, 50},
                                           XorCase{PictureSurface::LineStyle::Solid, 1, 3, 7, 190, 111},
                                           XorCase{PictureSurface::LineStyle::Dot, 1, 190, 3, 7, 111},
                                           XorCase{PictureSurface::LineStyle::Solid, 2, 10, 10, 150, 90},
                                           XorCase{PictureSurface::LineStyle::Dot, 3, 10, 100, 150, 20},
                                           XorCase{PictureSurface::LineStyle::Solid, 1, -50, 60, 400, 60}),
                         [](const ::testing::TestParamInfo<XorCase> &info) {
                             return std::string(info.param.style == PictureSurface::LineStyle::Dot
                                                    ? "dotted"
                                                    : "solid") +
                                    "_width" + std::to_string(info.param.width) + "_" +
                                    std::to_string(info.index);
                         });

TEST(PictureSurface, XorBoxIsReversibleAndKeepsItsCorners)
{
    PictureSurface s(100, 100);
    s.setPicture(gradient(100, 100));
    const QImage before = s.image().copy();
    s.setPenMode(PictureSurface::PenMode::Xor);
    s.box(10, 10, 40, 30, colours::White);
    // every outline pixel, corners included, is inverted exactly once
    EXPECT_EQ(s.point(10, 10), rgb(10 ^ 255, 10 ^ 255, (70 + 30) % 256 ^ 255));
    EXPECT_EQ(s.point(40, 30), rgb(40 ^ 255, 30 ^ 255, (280 + 90) % 256 ^ 255));
    s.box(10, 10, 40, 30, colours::White);
    EXPECT_EQ(s.image(), before);
    s.box(5, 5, 5, 5, colours::White); // a zero-size box is one pixel
    EXPECT_EQ(s.point(5, 5), rgb(5 ^ 255, 5 ^ 255, (35 + 15) ^ 255));
}

TEST(PictureSurface, DottedLineIsOneOnTwoOffWithBothEnds)
{
    PictureSurface s(20, 3);
    s.setBackColour(colours::Black);
    s.setLineStyle(PictureSurface::LineStyle::Dot);
    s.line(0, 1, 9, 1, colours::White);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(s.point(x, 1), (x % 3 == 0 && x <= 9) ? colours::White : colours::Black) << x;
}

TEST(PictureSurface, ClearKeepsPersistentDrawingAndCommittedPicture)
{
    PictureSurface s(50, 50);
    s.setBackColour(rgb(70, 70, 70));
    s.setPersistent(true);
    s.line(0, 10, 49, 10, colours::Grid);
    s.commitPersistent();
    s.line(0, 20, 49, 20, colours::White); // persistent, not committed
    s.setPersistent(false);
    s.line(0, 30, 49, 30, colours::White); // screen only
    s.clear();                             // back to the persistent drawing
    EXPECT_EQ(s.point(5, 10), colours::Grid);
    EXPECT_EQ(s.point(5, 20), colours::White);
    EXPECT_EQ(s.point(5, 30), rgb(70, 70, 70));
    s.setPersistent(true);
    s.clear(); // back to the picture, which holds the committed grid
    EXPECT_EQ(s.point(5, 10), colours::Grid);
    EXPECT_EQ(s.point(5, 20), rgb(70, 70, 70));
}

TEST(PictureSurface, PicturesAreAnchoredTopLeftAtNaturalSize)
{
    PictureSurface s(640, 480);
    s.setBackColour(rgb(70, 70, 70));
    s.setPicture(gradient(800, 600)); // larger: cut off
    EXPECT_EQ(s.point(639, 479), rgb(639 % 256, 479 % 256, (639 * 7 + 479 * 3) % 256));
    s.setPicture(gradient(320, 240)); // smaller: the rest shows the back colour
    EXPECT_EQ(s.point(319, 239), rgb(319 % 256, 239, (319 * 7 + 239 * 3) % 256));
    EXPECT_EQ(s.point(320, 0), rgb(70, 70, 70));
    EXPECT_EQ(s.point(0, 240), rgb(70, 70, 70));
}

TEST(PictureSurface, CopyFromClipsToTheSource)
{
    PictureSurface banner(100, 41);
    banner.setBackColour(rgb(9, 9, 9));
    const QImage bitmap = gradient(30, 20);
    banner.copyFrom(bitmap, QRect(20, 0, 30, 41), QPoint(0, 0)); // only x 20..29, y 0..19 exist
    EXPECT_EQ(banner.point(0, 0), rgb(20, 0, 140 % 256));
    EXPECT_EQ(banner.point(9, 19), rgb(29, 19, (203 + 57) % 256));
    EXPECT_EQ(banner.point(10, 0), rgb(9, 9, 9));
    EXPECT_EQ(banner.point(0, 20), rgb(9, 9, 9));
}

TEST(PictureSurface, PrintMovesToTheNextLineAndTextHasSize)
{
    PictureSurface s(200, 100);
    s.setBackColour(colours::Black);
    s.setForeColour(colours::White);
    EXPECT_GT(s.textWidth(QStringLiteral("100")), s.textWidth(QStringLiteral("1")));
    const int h = s.textHeight(QStringLiteral("1"));
    EXPECT_GT(h, 8);
    s.setCurrentX(5);
    s.setCurrentY(7);
    s.print(QStringLiteral("光强 100"));
    EXPECT_DOUBLE_EQ(s.currentX(), 0);
    EXPECT_DOUBLE_EQ(s.currentY(), 7 + h);
    int lit = 0;
    for (int y = 7; y < 7 + h; ++y)
        for (int x = 5; x < 100; ++x)
            lit += s.point(x, y) != colours::Black;
    EXPECT_GT(lit, 20);
}

TEST(PictureSurface, ResizeKeepsDrawingTopLeft)
{
    PictureSurface s(20, 20);
    s.setBackColour(rgb(70, 70, 70));
    s.setPixel(3, 4, colours::White);
    s.resize(30, 10);
    EXPECT_EQ(s.width(), 30);
    EXPECT_EQ(s.height(), 10);
    EXPECT_EQ(s.point(3, 4), colours::White);
    EXPECT_EQ(s.point(25, 5), rgb(70, 70, 70));
}
