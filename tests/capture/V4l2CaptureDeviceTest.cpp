#include "CaptureTestSupport.h"
#include "FakeV4l2Device.h"

#include "types/MessageLanguage.h"
#include "devices/V4l2CaptureDevice.h"
#include "support/TextChecks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

using namespace lumetra;
using lumetra::test::FakeV4l2Device;

namespace {

// A fake driver, a device over it, and the frames and failures the device reports.
struct Rig
{
    std::shared_ptr<FakeV4l2Device> driver = std::make_shared<FakeV4l2Device>();
    std::unique_ptr<V4l2CaptureDevice> device;
    std::mutex mutex;
    QImage lastFrame;
    std::atomic<int> frames{0};
    QStringList failures;

    // The device's thread ends before the members its sinks write to go away.
    ~Rig() { device.reset(); }

    void make()
    {
        device = std::make_unique<V4l2CaptureDevice>(driver);
        device->setSinks(
            [this](const QImage &frame) {
                std::lock_guard lock(mutex);
                lastFrame = frame;
                ++frames;
            },
            [this](const QString &reason) {
                std::lock_guard lock(mutex);
                failures << reason;
            });
    }
    QImage frame()
    {
        std::lock_guard lock(mutex);
        return lastFrame;
    }
    int failureCount()
    {
        std::lock_guard lock(mutex);
        return int(failures.size());
    }
};

class V4l2CaptureDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override { rig.make(); }
    Rig rig;
};

} // namespace

TEST_F(V4l2CaptureDeviceTest, NoDeviceNodeMeansNoChannelAndInertOperations)
{
    rig.driver->nodes.clear();
    EXPECT_LT(rig.device->connectDevice(), 0);
    EXPECT_FALSE(rig.device->isConnected());
    EXPECT_FALSE(rig.device->setFormat(640, 480, SubtypeRgb24));
    EXPECT_FALSE(rig.device->signalPresent());
    rig.device->run();
    EXPECT_EQ(rig.device->streamState(), StreamState::Stopped);
    EXPECT_EQ(rig.device->format().width, 0);
    EXPECT_EQ(rig.driver->openDescriptors(), 0);
}

TEST_F(V4l2CaptureDeviceTest, ConnectsToTheFirstNodeThatCanCaptureAndNamesItsChannel)
{
    rig.driver->nodes = {{QStringLiteral("/dev/video0"), false},
                         {QStringLiteral("/dev/video2"), true},
                         {QStringLiteral("/dev/video3"), true}};
    EXPECT_EQ(rig.device->connectDevice(), 2);
    EXPECT_EQ(rig.driver->openDescriptors(), 1); // the metadata node was closed again
    EXPECT_EQ(rig.device->connectDevice(), 2);   // connecting again keeps the connection
    EXPECT_EQ(rig.driver->openDescriptors(), 1);
    rig.device->release();
    EXPECT_EQ(rig.driver->openDescriptors(), 0);
    EXPECT_FALSE(rig.device->isConnected());
}

TEST_F(V4l2CaptureDeviceTest, StandardsAreSetAndAnUnsupportedOneLeavesTheOneInForce)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    rig.device->setStandard(StandardNtsc);
    EXPECT_EQ(rig.device->standard(), StandardNtsc);
    rig.device->setStandard(StandardPal);
    EXPECT_EQ(rig.device->standard(), StandardPal);
    rig.device->setStandard(StandardSecam); // this driver has no SECAM
    EXPECT_EQ(rig.device->standard(), StandardPal);
    EXPECT_EQ(rig.driver->currentStandard(), V4L2_STD_PAL);
    rig.device->setStandard(7);
    EXPECT_EQ(rig.device->standard(), StandardPal);
}

TEST_F(V4l2CaptureDeviceTest, StandardAndInputChangeWhileStreamingAndThePictureGoesOn)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    ASSERT_TRUE(rig.device->setFormat(640, 480, SubtypeYuy2));
    ASSERT_TRUE(test::waitFor([&] { return rig.frames.load() > 0; }));
    rig.device->setStandard(StandardNtsc); // the driver is busy streaming
    EXPECT_EQ(rig.device->standard(), StandardNtsc);
    rig.device->setInput(1);
    EXPECT_EQ(rig.device->input(), 1);
    EXPECT_EQ(rig.device->streamState(), StreamState::Running);
    const int before = rig.frames.load();
    EXPECT_TRUE(test::waitFor([&] { return rig.frames.load() > before; }));

    // Paused, the change comes through and the picture stays paused.
    rig.device->pause();
    rig.device->setStandard(StandardPal);
    EXPECT_EQ(rig.device->standard(), StandardPal);
    EXPECT_EQ(rig.device->streamState(), StreamState::Paused);
    EXPECT_FALSE(rig.driver->isStreaming());
}

TEST_F(V4l2CaptureDeviceTest, PictureControlsMapTheCardScaleOntoTheDriverRange)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    // Every control starts at the driver's default, which reads as 5000.
    for (PictureControl c : {PictureControl::Brightness, PictureControl::Contrast, PictureControl::Hue,
                             PictureControl::Saturation})
        EXPECT_EQ(rig.device->pictureControl(c), 5000);

    rig.device->setPictureControl(PictureControl::Brightness, 0);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_BRIGHTNESS), -64);
    EXPECT_EQ(rig.device->pictureControl(PictureControl::Brightness), 0);
    rig.device->setPictureControl(PictureControl::Brightness, 10000);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_BRIGHTNESS), 64);
    rig.device->setPictureControl(PictureControl::Brightness, 20000); // beyond the scale: the top
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_BRIGHTNESS), 64);

    // Contrast 0..95 with default 32: the upper half of the scale covers 32..95.
    rig.device->setPictureControl(PictureControl::Contrast, 7500);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_CONTRAST), 64); // 32 + 63 / 2, rounded
    EXPECT_NEAR(rig.device->pictureControl(PictureControl::Contrast), 7500, 80);

    // Hue moves in steps of 100 over -2000..2000: the card keeps the nearest step.
    rig.device->setPictureControl(PictureControl::Hue, 5100);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_HUE), 0);
    EXPECT_EQ(rig.device->pictureControl(PictureControl::Hue), 5000);
    rig.device->setPictureControl(PictureControl::Hue, 6000);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_HUE), 400);
    EXPECT_EQ(rig.device->pictureControl(PictureControl::Hue), 6000);

    rig.device->setPictureControl(PictureControl::Saturation, 5000);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_SATURATION), 64);
}

TEST_F(V4l2CaptureDeviceTest, AMissingControlReadsNeutralAndIgnoresWrites)
{
    rig.driver->controlList.removeIf([](const FakeV4l2Device::Control &c) { return c.id == V4L2_CID_HUE; });
    ASSERT_GE(rig.device->connectDevice(), 0);
    rig.device->setPictureControl(PictureControl::Hue, 9000);
    EXPECT_EQ(rig.device->pictureControl(PictureControl::Hue), 5000);
}

TEST_F(V4l2CaptureDeviceTest, InputsAreSwitchedAndAnUnknownOneIsRefused)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    EXPECT_EQ(rig.device->inputNames(), rig.driver->inputs);
    rig.device->setInput(2);
    EXPECT_EQ(rig.device->input(), 2);
    rig.device->setInput(4);
    EXPECT_EQ(rig.device->input(), 2);
}

TEST_F(V4l2CaptureDeviceTest, AcceptedFormatIsInForceAndStartsTheStream)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    EXPECT_TRUE(rig.device->setFormat(320, 240, SubtypeYuy2));
    const VideoFormat f = rig.device->format();
    EXPECT_EQ(f.width, 320);
    EXPECT_EQ(f.height, 240);
    EXPECT_EQ(f.subtype, SubtypeYuy2);
    EXPECT_EQ(rig.device->streamState(), StreamState::Running);
    ASSERT_TRUE(test::waitFor([&] { return rig.frames.load() >= 3; }));
    const QImage frame = rig.frame();
    EXPECT_EQ(frame.size(), QSize(320, 240));
    EXPECT_TRUE(test::closeColour(frame.pixel(10, 10), rig.driver->frameColour.rgb(), 3));
}

TEST_F(V4l2CaptureDeviceTest, RefusedFormatsLeaveTheFormatInForce)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    ASSERT_TRUE(rig.device->setFormat(352, 288, SubtypeRgb24));
    // A size the driver would change, a layout it does not have, and nonsense.
    EXPECT_FALSE(rig.device->setFormat(800, 600, SubtypeRgb24));
    EXPECT_FALSE(rig.device->setFormat(640, 480, SubtypeRgb555));
    EXPECT_FALSE(rig.device->setFormat(640, 480, 9));
    EXPECT_FALSE(rig.device->setFormat(0, 480, SubtypeRgb24));
    const VideoFormat f = rig.device->format();
    EXPECT_EQ(f.width, 352);
    EXPECT_EQ(f.height, 288);
    EXPECT_EQ(f.subtype, SubtypeRgb24);
    EXPECT_EQ(rig.device->streamState(), StreamState::Running); // the stream went on with it
}

TEST_F(V4l2CaptureDeviceTest, EveryLayoutTheDriverHasStreamsThePictureItSends)
{
    rig.driver->formats = {V4L2_PIX_FMT_RGB555, V4L2_PIX_FMT_RGB24, V4L2_PIX_FMT_YUYV, V4L2_PIX_FMT_YVU410,
                           V4L2_PIX_FMT_YVU420};
    rig.driver->frameColour = QColor(40, 160, 220);
    ASSERT_GE(rig.device->connectDevice(), 0);
    for (int subtype = 0; subtype < VideoSubtypeCount; ++subtype) {
        SCOPED_TRACE(subtype);
        ASSERT_TRUE(rig.device->setFormat(640, 480, subtype));
        const int before = rig.frames.load();
        ASSERT_TRUE(test::waitFor([&] { return rig.frames.load() >= before + 2; }));
        const QImage frame = rig.frame();
        ASSERT_EQ(frame.size(), QSize(640, 480));
        EXPECT_TRUE(test::closeColour(frame.pixel(320, 240), QColor(40, 160, 220).rgb(), 8));
    }
}

TEST_F(V4l2CaptureDeviceTest, PauseAndStopEndTheStreamAndStopFreesTheBuffers)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    ASSERT_TRUE(rig.device->setFormat(640, 480, SubtypeYuy2));
    ASSERT_TRUE(test::waitFor([&] { return rig.frames.load() > 0; }));

    rig.device->pause();
    EXPECT_EQ(rig.device->streamState(), StreamState::Paused);
    EXPECT_FALSE(rig.driver->isStreaming());
    EXPECT_GT(rig.driver->mappedBuffers(), 0);
    const int paused = rig.driver->framesDelivered();
    QThread::msleep(40);
    EXPECT_EQ(rig.driver->framesDelivered(), paused);

    rig.device->run();
    EXPECT_EQ(rig.device->streamState(), StreamState::Running);
    ASSERT_TRUE(test::waitFor([&] { return rig.driver->framesDelivered() > paused; }));

    rig.device->stop();
    EXPECT_EQ(rig.device->streamState(), StreamState::Stopped);
    EXPECT_FALSE(rig.driver->isStreaming());
    EXPECT_EQ(rig.driver->mappedBuffers(), 0);

    // A new format is taken only without buffers; stopping made that possible.
    EXPECT_TRUE(rig.device->setFormat(320, 240, SubtypeYv12));
}

TEST_F(V4l2CaptureDeviceTest, UnpluggingWhileStreamingStopsTheStreamWithOneReason)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    ASSERT_TRUE(rig.device->setFormat(640, 480, SubtypeYuy2));
    ASSERT_TRUE(test::waitFor([&] { return rig.frames.load() > 0; }));
    rig.driver->unplug();
    ASSERT_TRUE(test::waitFor([&] { return rig.failureCount() > 0; }));
    EXPECT_EQ(rig.device->streamState(), StreamState::Stopped);
    QThread::msleep(30);
    EXPECT_EQ(rig.failureCount(), 1);
    EXPECT_FALSE(rig.failures.first().isEmpty());
    // Whatever comes next fails quietly.
    rig.device->stop();
    rig.device->run();
    EXPECT_FALSE(rig.device->signalPresent());
    EXPECT_FALSE(rig.device->setFormat(640, 480, SubtypeYuy2));
    rig.device->release();
    EXPECT_FALSE(rig.device->isConnected());
}

TEST_F(V4l2CaptureDeviceTest, SignalFollowsTheInputStatus)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    EXPECT_TRUE(rig.device->signalPresent());
    rig.driver->signal = false;
    EXPECT_FALSE(rig.device->signalPresent());
}

TEST_F(V4l2CaptureDeviceTest, DialogListsComeFromTheDriver)
{
    ASSERT_GE(rig.device->connectDevice(), 0);
    const QList<DeviceControl> controls = rig.device->controls();
    ASSERT_EQ(controls.size(), rig.driver->controlList.size());
    EXPECT_EQ(controls[3].name, QStringLiteral("Hue"));
    EXPECT_EQ(controls[3].minimum, -2000);
    EXPECT_EQ(controls[3].step, 100);
    EXPECT_TRUE(controls[4].isBoolean);
    rig.device->setControl(V4L2_CID_HUE, 1234);
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_HUE), 1200);
    EXPECT_EQ(rig.device->frameSizes(), rig.driver->sizes);
}

TEST_F(V4l2CaptureDeviceTest, FrameSizesAreProbedWhenTheDriverCannotListThem)
{
    rig.driver->listsFrameSizes = false;
    rig.driver->sizes = {QSize(320, 240), QSize(720, 576)};
    ASSERT_GE(rig.device->connectDevice(), 0);
    EXPECT_EQ(rig.device->frameSizes(), (QList<QSize>{QSize(320, 240), QSize(720, 576)}));
}

// The command line and Python read what the devices say in English: a refusal and the stream's
// failure when the card is pulled.
TEST_F(V4l2CaptureDeviceTest, TheCommandLineReadsRefusalsAndFailuresInEnglish)
{
    setMessagesInEnglish(true);
    ASSERT_GE(rig.device->connectDevice(), 0);
    rig.device->setInput(7);
    const QString refusal = rig.device->lastSettingRefusal();
    ASSERT_TRUE(rig.device->setFormat(640, 480, SubtypeYuy2));
    ASSERT_TRUE(test::waitFor([&] { return rig.frames.load() > 0; }));
    rig.driver->unplug();
    ASSERT_TRUE(test::waitFor([&] { return rig.failureCount() > 0; }));
    setMessagesInEnglish(false);
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("the device refused input 7"))) << qPrintable(refusal);
    EXPECT_FALSE(test::containsChinese(refusal)) << qPrintable(refusal);
    const QString failure = rig.failures.first();
    EXPECT_TRUE(failure.contains(QStringLiteral("video"))) << qPrintable(failure);
    EXPECT_FALSE(test::containsChinese(failure)) << qPrintable(failure);
}
