// The GenICam camera through a scripted port: refusals, timeouts, a camera that vanishes and
// frames that arrive incomplete, none of which a real or fake camera can be made to do on demand.
// Every refusal goes through Aravis's error path, which CI also runs under AddressSanitizer.
#include "ScriptedGenicamPort.h"

#include "devices/genicam/GenicamCamera.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumetra;
using lumetra::test::CameraScript;
using lumetra::test::ScriptedGenicamPort;
using Value = GenicamPort::Value;

namespace {

struct ScriptedCamera
{
    std::shared_ptr<CameraScript> script = std::make_shared<CameraScript>();
    GenicamCamera camera{std::make_unique<ScriptedGenicamPort>(script),
                         CameraIdentity{QStringLiteral("SCRIPT1"), QStringLiteral("Maker"), QStringLiteral("Model"),
                                        QStringLiteral("SCRIPT1"), QStringLiteral("Fake"), {}}};
};

} // namespace

TEST(GenicamSeam, ARefusedValueInsideTheRangeKeepsTheOldValueAndNamesTheSettingAndTheCause)
{
    ScriptedCamera c;
    c.script->refusals[Value::ExposureUs] = QStringLiteral("ExposureAuto is Continuous");
    c.script->refusals[Value::Gain] = QStringLiteral("timeout");

    const QString exposure = c.camera.setExposureUs(500);
    EXPECT_TRUE(exposure.contains(QStringLiteral("曝光时间"))) << exposure.toStdString();
    EXPECT_TRUE(exposure.contains(QStringLiteral("500")));
    EXPECT_TRUE(exposure.contains(QStringLiteral("ExposureAuto is Continuous")));
    EXPECT_DOUBLE_EQ(c.camera.settings().exposureUs, 10000);

    const QString gain = c.camera.setGain(3);
    EXPECT_TRUE(gain.contains(QStringLiteral("增益")) && gain.contains(QStringLiteral("timeout"))) << gain.toStdString();
    EXPECT_DOUBLE_EQ(c.camera.settings().gain, 0);

    // Binning 3 lies within the bounds 1..4 of a camera that takes 1, 2 and 4.
    const QString binning = c.camera.setBinning(3);
    EXPECT_TRUE(binning.contains(QStringLiteral("像素合并"))) << binning.toStdString();
    EXPECT_EQ(c.camera.settings().binning, 1);
    EXPECT_EQ(c.camera.setBinning(2), QString());
    EXPECT_EQ(c.camera.settings().binning, 2);

    // What the camera takes is set; a refusal before does not linger.
    c.script->refusals.clear();
    EXPECT_EQ(c.camera.setExposureUs(500), QString());
    EXPECT_DOUBLE_EQ(c.camera.settings().exposureUs, 500);
}

TEST(GenicamSeam, AStartTheCameraRefusesLeavesNoStreamAndTheNextStartWorks)
{
    ScriptedCamera c;
    c.script->refuseStart = QStringLiteral("Controller privilege required");
    QString error;
    EXPECT_FALSE(c.camera.start(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("Controller privilege required"))) << error.toStdString();
    EXPECT_FALSE(c.camera.isStreaming());

    c.script->refuseStart.clear();
    ASSERT_TRUE(c.camera.start(&error)) << error.toStdString();
    DeepFrame frame;
    EXPECT_EQ(c.camera.next(frame, 1000, &error), GenicamCamera::Grab::Frame);
    EXPECT_EQ(frame.width, 64);
}

TEST(GenicamSeam, IncompleteFramesAreCountedAndNeverHandedOut)
{
    ScriptedCamera c;
    c.script->incomplete = 3;
    c.script->level = 77;
    QString error;
    ASSERT_TRUE(c.camera.start(&error));
    DeepFrame frame;
    ASSERT_EQ(c.camera.next(frame, 1000, &error), GenicamCamera::Grab::Frame);
    EXPECT_EQ(frame.id, 4u); // the first three were incomplete
    EXPECT_EQ(*std::max_element(frame.samples.begin(), frame.samples.end()), 77);
    EXPECT_EQ(c.camera.droppedFrames(), 3);

    // Only incomplete frames: a timeout, with every one of them counted.
    c.script->incomplete = -1;
    EXPECT_EQ(c.camera.next(frame, 100, &error), GenicamCamera::Grab::Timeout);
    EXPECT_GT(c.camera.droppedFrames(), 10);
    EXPECT_FALSE(c.camera.controlLost());
}

TEST(GenicamSeam, ACameraThatVanishesIsLostAndItsStreamStopped)
{
    ScriptedCamera c;
    QString error;
    ASSERT_TRUE(c.camera.start(&error));
    c.script->vanished = true;
    DeepFrame frame;
    EXPECT_EQ(c.camera.next(frame, 50, &error), GenicamCamera::Grab::Lost);
    EXPECT_TRUE(error.contains(QStringLiteral("SCRIPT1"))) << error.toStdString();
    EXPECT_TRUE(c.camera.controlLost());
    EXPECT_FALSE(c.camera.isStreaming());
    // Settings read from a vanished camera fail quietly rather than on an error freed twice.
    EXPECT_FALSE(c.camera.setExposureUs(100).isEmpty());
}
