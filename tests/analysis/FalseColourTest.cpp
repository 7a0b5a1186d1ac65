// False colour and contours of a camera frame: the palette mapping, the signal colour of saturated
// pixels, black below the noise, and the contour at 50 % of the peak on a Gaussian beam.
#include "analysis/picture/Contours.h"
#include "analysis/picture/FalseColour.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;

namespace {

constexpr double Dark = 100, Peak = 3000, CentreX = 100.3, CentreY = 80.7, W = 30; // 1/e² radius

// A 12-bit frame of a round Gaussian exp(-2 r² / w²) on a flat dark level, no noise.
DeepFrame gaussianFrame()
{
    DeepFrame frame;
    frame.width = 200;
    frame.height = 160;
    frame.bitDepth = 12;
    frame.samples.resize(std::size_t(frame.width) * std::size_t(frame.height));
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const double r2 = (x - CentreX) * (x - CentreX) + (y - CentreY) * (y - CentreY);
            frame.samples[std::size_t(y) * 200 + std::size_t(x)] =
                std::uint16_t(std::lround(Dark + Peak * std::exp(-2 * r2 / (W * W))));
        }
    return frame;
}

// Where exp(-2 r² / w²) is `fraction`.
double radiusAt(double fraction)
{
    return W * std::sqrt(std::log(1 / fraction) / 2);
}

} // namespace

TEST(FalseColour, SaturatedPixelsTakeTheSignalColourAndTheNoiseGoesBlack)
{
    DeepFrame frame = gaussianFrame();
    frame.samples[std::size_t(80) * 200 + 100] = 4095; // the camera's top code
    const falsecolour::ColourScale scale{0, 4095, 4095, Dark + 5};
    for (Palette palette : {Palette::Grey, Palette::Rainbow, Palette::Viridis, Palette::HighContrast}) {
        FalseColourChoice choice;
        choice.palette = palette;
        choice.noiseBlack = true;
        const falsecolour::ColouredPicture p = falsecolour::colourPicture(frame, scale, choice);
        ASSERT_EQ(p.image.size(), QSize(200, 160));
        EXPECT_EQ(p.image.pixel(100, 80), saturationColour(palette)) << paletteWord(palette);
        EXPECT_EQ(p.saturated, 1);
        EXPECT_EQ(p.peak, 4095);
        EXPECT_EQ(p.image.pixel(0, 0), qRgb(0, 0, 0)) << "the dark level is below the noise floor";
        // A pixel halfway up the beam has the palette's colour of its code.
        const int code = frame.at(120, 80);
        EXPECT_EQ(p.image.pixel(120, 80), paletteTable(palette)[std::size_t(std::lround(code / 4095.0 * 255))]);
        // The signal colour is no colour of the palette itself.
        for (QRgb c : paletteTable(palette))
            ASSERT_NE(c, saturationColour(palette)) << paletteWord(palette);
    }
    // Switched off, the top code is the palette's last colour and the dark level its own.
    FalseColourChoice plain;
    plain.palette = Palette::Viridis;
    plain.markSaturated = false;
    const falsecolour::ColouredPicture p = falsecolour::colourPicture(frame, scale, plain);
    EXPECT_EQ(p.image.pixel(100, 80), paletteTable(Palette::Viridis)[255]);
    EXPECT_NE(p.image.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(FalseColour, AnEightBitColourPictureKeepsItsColoursOnTheGreyPalette)
{
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(200, 30, 30));
    picture.setPixel(1, 0, qRgb(255, 255, 255));
    picture.setPixel(2, 0, qRgb(0, 0, 0));
    picture.setPixel(3, 0, qRgb(128, 128, 128));
    const falsecolour::ColourScale scale{0, 255, 255, 10};
    FalseColourChoice grey;
    grey.noiseBlack = true;
    const QImage shown = falsecolour::colourPicture(picture, scale, grey).image;
    EXPECT_EQ(shown.pixel(0, 0), qRgb(200, 30, 30));
    EXPECT_EQ(shown.pixel(1, 0), qRgb(255, 0, 0)) << "saturated: red on grey";
    EXPECT_EQ(shown.pixel(3, 0), qRgb(128, 128, 128));
    FalseColourChoice rainbow = grey;
    rainbow.palette = Palette::Rainbow;
    const QImage mapped = falsecolour::colourPicture(picture, scale, rainbow).image;
    EXPECT_EQ(mapped.pixel(1, 0), qRgb(255, 0, 255));
    EXPECT_EQ(mapped.pixel(3, 0), paletteTable(Palette::Rainbow)[128]);
    EXPECT_EQ(mapped.pixel(2, 0), qRgb(0, 0, 0));
}

TEST(Contours, TheHalfAndClipLevelsOfAGaussianLieOnTheirCircles)
{
    const DeepFrame frame = gaussianFrame();
    const falsecolour::DarkEstimate dark = falsecolour::estimateDark(frame);
    EXPECT_NEAR(dark.level, Dark, 0.5);
    for (const auto &[maxSide, tolerance] : {std::pair{400, 0.35}, std::pair{50, 1.5}}) {
        const contours::ValueGrid grid = contours::valueGrid(frame, maxSide);
        EXPECT_EQ(grid.step, maxSide >= 200 ? 1 : 4);
        for (double fraction : {contours::HalfLevel, contours::ClipLevel}) {
            const std::vector<QLineF> lines =
                contours::contourLines(grid, contours::levelAt(fraction, Dark, Dark + Peak));
            ASSERT_GT(lines.size(), 20u);
            // Pixel (x, y) covers x..x+1: the Gaussian's centre is at picture position centre + 0.5.
            double lowest = 1e9, highest = 0;
            for (const QLineF &l : lines)
                for (const QPointF &p : {l.p1(), l.p2()}) {
                    const double r = std::hypot(p.x() - CentreX - 0.5, p.y() - CentreY - 0.5);
                    lowest = std::min(lowest, r);
                    highest = std::max(highest, r);
                }
            EXPECT_NEAR(lowest, radiusAt(fraction), tolerance) << fraction << " at " << maxSide;
            EXPECT_NEAR(highest, radiusAt(fraction), tolerance) << fraction << " at " << maxSide;
            // A closed line: the segments' lengths add up to the circle's circumference.
            double length = 0;
            for (const QLineF &l : lines)
                length += l.length();
            EXPECT_NEAR(length, 2 * M_PI * radiusAt(fraction), 0.03 * 2 * M_PI * radiusAt(fraction));
        }
    }
    // Nothing crosses a level the frame never reaches.
    EXPECT_TRUE(contours::contourLines(contours::valueGrid(frame, 400), 5000).empty());
}
