#include "CaptureTestSupport.h"

#include "devices/SimulatedBeam.h"
#include "devices/SimulatedCaptureDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>

using namespace lumetra;

namespace {

QPoint brightestPixel(const QImage &img)
{
    QPoint best;
    int level = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) > level) {
                level = qGray(img.pixel(x, y));
                best = QPoint(x, y);
            }
    return best;
}

// Mean difference between the largest and the smallest channel: 0 for a grey picture.
double meanTint(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); y += 4)
        for (int x = 0; x < img.width(); x += 4) {
            const QRgb p = img.pixel(x, y);
            sum += std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
        }
    return sum / (img.width() / 4.0 * img.height() / 4.0);
}

class SimulatedCaptureDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(device.connectDevice(), 0); }
    SimulatedCaptureDevice device;
};

} // namespace

TEST(SimulatedBeam, TheSpotIsBrightestWhereItIsAndMoves)
{
    SimulatedBeam beam;
    BeamSettings s;
    for (double t : {0.0, 1.5, 4.0}) {
        const QImage img = beam.render(s, t);
        ASSERT_EQ(img.size(), QSize(640, 480));
        const QPointF centre = SimulatedBeam::spotCentre(0, s.size, t);
        const QPoint peak = brightestPixel(img);
        EXPECT_LT(std::hypot(peak.x() - centre.x(), peak.y() - centre.y()), 12.0) << t;
        // Far from the spot only the background and its noise remain.
        const int far = qGray(img.pixel(int(centre.x()) < 320 ? 630 : 5, int(centre.y()) < 240 ? 470 : 5));
        EXPECT_LT(far, 40);
    }
    EXPECT_NE(SimulatedBeam::spotCentre(0, s.size, 0.0), SimulatedBeam::spotCentre(0, s.size, 1.0));
    EXPECT_EQ(SimulatedBeam::spotCentre(3, s.size, 0.0), SimulatedBeam::spotCentre(3, s.size, 9.0));
}

TEST(SimulatedBeam, NoiseVariesFromFrameToFrame)
{
    SimulatedBeam beam;
    const QImage a = beam.render({}, 2.0), b = beam.render({}, 2.0);
    EXPECT_NE(a, b);
    EXPECT_NEAR(test::channelMean(a, 1), test::channelMean(b, 1), 0.5);
}

TEST(SimulatedBeam, FourWayShowsAQuarterOfEachSource)
{
    SimulatedBeam beam;
    BeamSettings s;
    s.source = 4;
    const QImage img = beam.render(s, 0.0);
    // Source 3 rests in the middle of its quarter, the bottom-right one.
    EXPECT_GT(qGray(img.pixel(480, 360)), 150);
    EXPECT_LT(qGray(img.pixel(320, 240)), 100);
}

TEST_F(SimulatedCaptureDeviceTest, TakesNtscAndPalButKeepsItsStandardOnSecam)
{
    EXPECT_EQ(device.standard(), StandardNtsc);
    device.setStandard(StandardPal);
    EXPECT_EQ(device.standard(), StandardPal);
    device.setStandard(StandardSecam);
    EXPECT_EQ(device.standard(), StandardPal);
    device.setStandard(StandardNtsc);
    device.setStandard(-1);
    EXPECT_EQ(device.standard(), StandardNtsc);
}

TEST_F(SimulatedCaptureDeviceTest, AcceptsTwoSizesInEverySubtypeAndRefusesTheRest)
{
    for (int subtype = 0; subtype < VideoSubtypeCount; ++subtype) {
        EXPECT_TRUE(device.setFormat(320, 240, subtype));
        EXPECT_EQ(device.format().subtype, subtype);
    }
    EXPECT_TRUE(device.setFormat(640, 480, SubtypeRgb555));
    EXPECT_FALSE(device.setFormat(800, 600, SubtypeRgb24));
    EXPECT_FALSE(device.setFormat(640, 480, 5));
    EXPECT_FALSE(device.setFormat(480, 640, SubtypeRgb24));
    const VideoFormat f = device.format();
    EXPECT_EQ(f.width, 640);
    EXPECT_EQ(f.height, 480);
    EXPECT_EQ(f.subtype, SubtypeRgb555);
}

TEST_F(SimulatedCaptureDeviceTest, PictureControlsChangeTheFrame)
{
    device.setInput(3); // the resting spot, so that frames differ only by the controls
    const QImage neutral = device.frameAt(0.0);
    EXPECT_EQ(device.pictureControl(PictureControl::Brightness), 5000);

    device.setPictureControl(PictureControl::Brightness, 9000);
    EXPECT_GT(test::channelMean(device.frameAt(0.0), 1), test::channelMean(neutral, 1) + 40);
    device.setPictureControl(PictureControl::Brightness, 5000);

    device.setPictureControl(PictureControl::Contrast, 1000); // levels squeezed towards mid-grey
    const QImage flat = device.frameAt(0.0);
    const auto spread = [](const QImage &img) { return qGray(img.pixel(320, 240)) - qGray(img.pixel(5, 5)); };
    EXPECT_LT(spread(flat), spread(neutral) / 3);
    EXPECT_GT(qGray(flat.pixel(5, 5)), qGray(neutral.pixel(5, 5)) + 40);
    device.setPictureControl(PictureControl::Contrast, 5000);

    device.setPictureControl(PictureControl::Saturation, 0);
    EXPECT_LT(meanTint(device.frameAt(0.0)), 2.0);
    EXPECT_GT(meanTint(neutral), 10.0);
    device.setPictureControl(PictureControl::Saturation, 5000);

    // The neutral spot is green; half a turn of hue makes it magenta.
    const QRgb spot = neutral.pixel(320, 240);
    EXPECT_GT(qGreen(spot), qRed(spot));
    device.setPictureControl(PictureControl::Hue, 10000);
    const QRgb turned = device.frameAt(0.0).pixel(320, 240);
    EXPECT_GT(qRed(turned), qGreen(turned));

    device.setPictureControl(PictureControl::Hue, 12000);
    EXPECT_EQ(device.pictureControl(PictureControl::Hue), 10000);
}

TEST_F(SimulatedCaptureDeviceTest, TheSubtypeShowsInThePicture)
{
    device.setInput(3);
    ASSERT_TRUE(device.setFormat(640, 480, SubtypeRgb555));
    device.stop();
    const QImage img = device.frameAt(0.0);
    // Five bits a channel: every level is a multiple of 8 with its top bits repeated below.
    for (int x = 300; x < 340; ++x) {
        const int r = qRed(img.pixel(x, 240));
        EXPECT_EQ(r & 7, r >> 5) << x;
    }
}

TEST_F(SimulatedCaptureDeviceTest, StreamsFramesOfTheFormatUntilPausedOrStopped)
{
    std::atomic<int> frames{0};
    std::mutex mutex;
    QSize size;
    device.setSinks(
        [&](const QImage &f) {
            std::lock_guard lock(mutex);
            size = f.size();
            ++frames;
        },
        {});
    ASSERT_TRUE(device.setFormat(320, 240, SubtypeYuy2));
    EXPECT_EQ(device.streamState(), StreamState::Running);
    ASSERT_TRUE(test::waitFor([&] { return frames.load() >= 3; }));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(size, QSize(320, 240));
    }
    device.pause();
    EXPECT_EQ(device.streamState(), StreamState::Paused);
    const int paused = frames.load();
    QThread::msleep(100);
    EXPECT_EQ(frames.load(), paused);
    device.run();
    ASSERT_TRUE(test::waitFor([&] { return frames.load() > paused; }));
    device.stop();
    EXPECT_EQ(device.streamState(), StreamState::Stopped);
    device.release();
    EXPECT_FALSE(device.isConnected());
    EXPECT_EQ(device.standard(), -1);
}

TEST_F(SimulatedCaptureDeviceTest, OffersItsControlsSourcesAndSizes)
{
    EXPECT_TRUE(device.signalPresent());
    EXPECT_EQ(device.inputNames().size(), SimulatedCaptureDevice::SourceCount);
    device.setInput(4);
    EXPECT_EQ(device.input(), 4);
    device.setInput(5);
    EXPECT_EQ(device.input(), 4);
    const QList<DeviceControl> controls = device.controls();
    ASSERT_EQ(controls.size(), 4);
    device.setControl(controls[1].id, 7000);
    EXPECT_EQ(device.pictureControl(PictureControl::Contrast), 7000);
    EXPECT_EQ(device.frameSizes(), (QList<QSize>{QSize(640, 480), QSize(320, 240)}));
}
