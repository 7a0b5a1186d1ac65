// The capture window over a camera used all day: chosen again, gone away and back, reconnected
// with what it was set to. The camera is a scripted one (see ScriptedGenicamPort).
#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"
#include "ScriptedGenicamPort.h"

#include "capture/CameraMenu.h"
#include "capture/CameraWatch.h"
#include "capture/CaptureCardControl.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LivePanel.h"
#include "capture/monitoring/MonitorSession.h"
#include "capture/monitoring/MonitorWindow.h"
#include "devices/genicam/GenicamCamera.h"
#include "devices/genicam/GenicamCaptureDevice.h"
#include "devices/genicam/GenicamSystem.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "devices/CameraSettingsStore.h"

#include <QAction>
#include <QDir>
#include <QPointer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QLabel>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

using namespace lumetra;
using lumetra::test::CameraScript;
using lumetra::test::CaptureWindowRig;
using lumetra::test::waitFor;
using Value = GenicamPort::Value;

namespace {

const QString ScriptId = QStringLiteral("SCRIPT1");

// The rig's devices: the scripted camera, which cannot be opened while it is gone.
void useScriptedCamera(CaptureWindowRig &rig, const std::shared_ptr<CameraScript> &script)
{
    rig.service = std::make_unique<CaptureService>([script] {
        return std::make_unique<GenicamCaptureDevice>(ScriptId, [script](QString *error) -> std::unique_ptr<GenicamCamera> {
            {
                std::lock_guard lock(script->mutex);
                if (script->vanished) {
                    *error = QStringLiteral("no camera answers");
                    return nullptr;
                }
            }
            return std::make_unique<GenicamCamera>(std::make_unique<test::ScriptedGenicamPort>(script),
                                                   CameraIdentity{ScriptId, QStringLiteral("Maker"), QStringLiteral("Beamcam 12"),
                                                                  ScriptId, QStringLiteral("Fake"), {}});
        });
    });
    rig.services.capture = rig.service.get();
}

struct LifecycleTest : ::testing::Test
{
    void SetUp() override
    {
        GenicamSystem::useInterfaces({QStringLiteral("fake")}); // never a search on the network
        setCameraSettingsFile(dir.filePath(QStringLiteral("cameras.ini")));
        useScriptedCamera(rig, script);
    }
    void TearDown() override { setCameraSettingsFile({}); }

    int starts()
    {
        std::lock_guard lock(script->mutex);
        return script->starts;
    }

    QTemporaryDir dir;
    std::shared_ptr<CameraScript> script = std::make_shared<CameraScript>();
    CaptureWindowRig rig;
};

} // namespace

TEST_F(LifecycleTest, ChoosingTheOpenCameraAgainLeavesItStreamingUnderItsModel)
{
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Beamcam 12"))) << form->windowTitle().toStdString();
    const QString title = form->windowTitle();
    const int started = starts();

    EXPECT_TRUE(form->cameraMenu()->chooseDevice(ScriptId));
    EXPECT_TRUE(form->cameraMenu()->chooseDevice(ScriptId));
    EXPECT_EQ(form->windowTitle(), title);
    EXPECT_EQ(starts(), started) << "the stream was restarted";
    EXPECT_TRUE(rig.dialogs.messages.isEmpty()) << rig.dialogs.messages.front().text.toStdString();
    const auto before = form->card->currentDeepFrame();
    EXPECT_TRUE(waitFor([form, before] { return form->card->currentDeepFrame() != before; }, 5000));
}

TEST_F(LifecycleTest, AVanishedCameraIsGreyedRetriedAndComesBackWithItsRememberedSettings)
{
    // A VGA sensor with a bright spot, so that the picture shows what happens.
    const auto vga = [this] {
        std::lock_guard lock(script->mutex);
        script->sensor = QSize(640, 480);
        script->region = QRect(0, 0, 640, 480);
        script->level = 3000;
    };
    vga();
    CameraSettings stored;
    stored.pixelFormat = QStringLiteral("Mono12");
    stored.exposureUs = 5000;
    stored.gain = 2;
    stored.frameRate = 25;
    stored.roi = QRect(0, 0, 480, 360);
    ASSERT_TRUE(saveCameraSettings(ScriptId, stored));
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    EXPECT_EQ(form->card->currentDeepFrame()->width, 480);
    form->cameraWatch()->setRetryInterval(100);

    {
        std::lock_guard lock(script->mutex);
        script->vanished = true;
    }
    ASSERT_TRUE(waitFor([form] { return form->cameraWatch()->isLost(); }, 10000));
    EXPECT_TRUE(form->card->isStale());
    EXPECT_TRUE(form->cameraWatch()->label()->isVisible());
    EXPECT_TRUE(form->cameraWatch()->label()->text().startsWith(QStringLiteral("相机无应答")));
    EXPECT_EQ(form->findChild<QLabel *>(QStringLiteral("frameRate"))->text(), QStringLiteral("帧率 0.0 帧/秒"));
    QTest::qWait(500); // several retries while it is gone: still one message
    EXPECT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_TRUE(form->cameraWatch()->isLost());
    if (const QString shots = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR"); !shots.isEmpty()) {
        QWidget *frame = form->parentWidget() ? form->parentWidget() : form;
        frame->grab().save(QDir(shots).filePath(QStringLiteral("capture-camera-no-answer.png")));
    }

    // Back after a power cycle, at its defaults: the retry opens it and sets what was stored.
    {
        std::lock_guard lock(script->mutex);
        script->powerCycle();
    }
    vga();
    ASSERT_TRUE(waitFor([form] { return !form->cameraWatch()->isLost(); }, 10000));
    const auto before = form->card->currentDeepFrame();
    ASSERT_TRUE(waitFor([form, before] { return form->card->currentDeepFrame() != before; }, 10000));
    EXPECT_FALSE(form->card->isStale());
    EXPECT_FALSE(form->cameraWatch()->label()->isVisible());
    std::lock_guard lock(script->mutex);
    EXPECT_EQ(script->pixelFormat, QStringLiteral("Mono12"));
    EXPECT_EQ(script->values[Value::ExposureUs], 5000);
    EXPECT_EQ(script->values[Value::Gain], 2);
    EXPECT_EQ(script->region, QRect(0, 0, 480, 360));
}

TEST_F(LifecycleTest, ReconnectByHandRestoresTheStoredSettings)
{
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    CameraSettings stored = form->card->device().cameraControls()->settings();
    stored.exposureUs = 78; // what auto exposure found, say
    stored.gain = 2;
    ASSERT_TRUE(saveCameraSettings(ScriptId, stored));
    {
        std::lock_guard lock(script->mutex);
        script->vanished = true;
    }
    ASSERT_TRUE(waitFor([form] { return form->cameraWatch()->isLost(); }, 10000));
    {
        std::lock_guard lock(script->mutex);
        script->powerCycle();
    }
    form->findChild<QAction *>(QStringLiteral("mnuReconnect"))->trigger();
    EXPECT_FALSE(form->cameraWatch()->isLost());
    std::lock_guard lock(script->mutex);
    EXPECT_EQ(script->values[Value::ExposureUs], 78);
    EXPECT_EQ(script->values[Value::Gain], 2);
}

TEST_F(LifecycleTest, ARecordingLogsTheExposureAndLeavesTheGainTheCameraLacksEmpty)
{
    script->missing.insert(GenicamPort::Feature::Gain);
    script->values[Value::ExposureUs] = 640;
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    form->menuItem(QStringLiteral("mnuLiveMeasure"))->trigger();
    form->liveMeasurement()->panel()->recordButton()->click();
    MonitorWindow *w = form->liveMeasurement()->existingMonitorWindow();
    ASSERT_TRUE(w);
    w->findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("camera.csv")));
    w->setRecording(true);
    ASSERT_TRUE(w->isRecording());
    QTest::qWait(1200); // the readings are taken twice a second
    ASSERT_TRUE(waitFor([w] { return w->session().recorder().recorded() >= 5; }, 10000));
    w->setRecording(false);

    QFile log(w->session().path());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).trimmed().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2);
    const QStringList header = lines.front().split(QLatin1Char(','));
    const QStringList last = lines.back().split(QLatin1Char(','));
    const qsizetype exposure = header.indexOf(QStringLiteral("exposure_us"));
    const qsizetype gain = header.indexOf(QStringLiteral("gain"));
    ASSERT_GE(exposure, 0);
    ASSERT_GE(gain, 0);
    ASSERT_EQ(last.size(), header.size());
    EXPECT_EQ(last[exposure].toDouble(), 640) << lines.back().toStdString();
    EXPECT_EQ(last[gain], QString()) << lines.back().toStdString();
}

namespace {

// Scripted dialogs whose message box stays open while `whileOpen` runs (as a modal box's own
// event loop would let timers and menus run).
struct OpenMessageDialogs : ScriptedDialogs
{
    std::function<void()> whileOpen;
    Answer message(QWidget *parent, const QString &text, const QString &title, Buttons buttons, Icon icon) override
    {
        const Answer answer = ScriptedDialogs::message(parent, text, title, buttons, icon);
        if (auto run = std::exchange(whileOpen, {}))
            run();
        return answer;
    }
};

} // namespace

TEST_F(LifecycleTest, AMessageWhileAnotherIsOpenGoesToTheStatusBar)
{
    OpenMessageDialogs dialogs;
    rig.services.dialogs = &dialogs;
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    dialogs.whileOpen = [form] { form->findChild<QAction *>(QStringLiteral("mnuReconnect"))->trigger(); };
    {
        std::lock_guard lock(script->mutex);
        script->vanished = true;
    }
    ASSERT_TRUE(waitFor([&dialogs] { return !dialogs.messages.isEmpty(); }, 10000));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("无法重新连接相机")))
        << form->statusBar()->currentMessage().toStdString();
}

TEST_F(LifecycleTest, TheExposureAutoExposureFindsIsRememberedForTheNextOpening)
{
    script->levelPerUs = 1.0; // saturated at the 10,000 µs it starts with
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    std::optional<bool> found;
    QObject::connect(form->cameraMenu(), &CameraMenu::autoExposureFinished, form,
                     [&found](bool ok, const QString &) { found = ok; });
    form->cameraMenu()->autoExposure();
    ASSERT_TRUE(waitFor([&found] { return found.has_value(); }, 30000));
    ASSERT_TRUE(*found);
    const double exposure = form->card->device().cameraControls()->settings().exposureUs;
    EXPECT_GE(exposure, 0.7 * 255);
    EXPECT_LE(exposure, 0.9 * 255 + 1);
    const std::optional<CameraSettings> kept = loadCameraSettings(ScriptId);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->exposureUs, exposure);
}

TEST_F(LifecycleTest, TheAveragingChosenForACameraComesBackWithItsNextWindow)
{
    ASSERT_TRUE(saveCameraAveraging(ScriptId, 4));
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    EXPECT_EQ(form->liveMeasurement()->averaging(), 4);
    rig.dialogs.inputAnswers.push_back(QStringLiteral("8"));
    form->cameraMenu()->chooseAveraging();
    EXPECT_EQ(form->liveMeasurement()->averaging(), 8);
    EXPECT_EQ(loadCameraAveraging(ScriptId), 8);
}

TEST_F(LifecycleTest, TheDarkFrameServesTheNextOpeningOnlyAtTheSettingsItWasCollectedAt)
{
    const auto reopen = [this](CaptureWindow *&form) {
        QPointer<CaptureWindow> old(form);
        form->close(); // deleted on close
        ASSERT_TRUE(waitFor([old] { return old.isNull(); }, 5000));
        form = rig.open();
        ASSERT_TRUE(form);
        ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    };
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    form->findChild<QAction *>(QStringLiteral("mnuDark"))->trigger(); // the beam blocked: 确定
    const QDir folder(dir.path());
    ASSERT_TRUE(waitFor([&folder] { return !folder.entryList({QStringLiteral("dark-*.bin")}).isEmpty(); }, 10000));
    const auto dark = form->liveMeasurement()->darkFrame();
    ASSERT_TRUE(dark);

    reopen(form);
    const auto restored = form->liveMeasurement()->darkFrame();
    ASSERT_TRUE(restored);
    EXPECT_TRUE(form->liveMeasurement()->hasDarkFrame());
    EXPECT_EQ(restored->width, dark->width);
    EXPECT_EQ(restored->height, dark->height);
    EXPECT_EQ(restored->values, dark->values);

    // Another exposure: the stored dark frame does not hold and is not subtracted.
    CameraSettings longer = form->card->device().cameraControls()->settings();
    longer.exposureUs *= 2;
    ASSERT_TRUE(saveCameraSettings(ScriptId, longer));
    reopen(form);
    EXPECT_FALSE(form->liveMeasurement()->darkFrame());
    EXPECT_FALSE(form->liveMeasurement()->hasDarkFrame());

    // Cleared by hand: gone for good, also when the settings match again.
    CameraSettings same = longer;
    same.exposureUs /= 2;
    ASSERT_TRUE(saveCameraSettings(ScriptId, same));
    reopen(form);
    ASSERT_TRUE(form->liveMeasurement()->darkFrame());
    // The settings changed while the window is open (the settings dialog and 重新连接 set the
    // stored ones): the dark frame is dropped, and the window says so.
    ASSERT_TRUE(saveCameraSettings(ScriptId, longer));
    form->findChild<QAction *>(QStringLiteral("mnuReconnect"))->trigger();
    EXPECT_FALSE(form->liveMeasurement()->darkFrame());
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("其他相机设置")))
        << form->statusBar()->currentMessage().toStdString();
    ASSERT_TRUE(saveCameraSettings(ScriptId, same));
    form->findChild<QAction *>(QStringLiteral("mnuReconnect"))->trigger();
    ASSERT_TRUE(form->liveMeasurement()->darkFrame());
    form->findChild<QAction *>(QStringLiteral("mnuClearDark"))->trigger();
    reopen(form);
    EXPECT_FALSE(form->liveMeasurement()->darkFrame());
}
