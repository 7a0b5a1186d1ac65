// The capture window on a GenICam camera (the fake interface's camera drawing a Gaussian beam in
// Mono16): live measurement on the camera's samples, the camera menu and saving at full depth.
#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/caustic/FrameNameZ.h"
#include "capture/CameraMenu.h"
#include "capture/CameraSettingsDialog.h"
#include "capture/CaptureCardControl.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LivePanel.h"
#include "platform/display/ColourBar.h"
#include "platform/display/FalseColourMenu.h"
#include "platform/settings/FalseColourSetting.h"
#include "platform/settings/PlacementSetting.h"
#include "devices/FrameAverager.h"
#include "devices/genicam/Aravis.h"
#include "devices/genicam/GenicamCamera.h"
#include "devices/genicam/GenicamCaptureDevice.h"
#include "platform/framefiles/FrameFile.h"
#include "devices/CameraSettingsStore.h"
#include "support/FakeBeamCamera.h"
#include "types/DeepFrame.h"

#include <QAction>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QTemporaryDir>

#include <cmath>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::test::CaptureWindowRig;
using lumetra::test::waitFor;


TEST(CameraWindow, LiveMeasurementUsesTheCamerasSixteenBitSamplesAndSavesThemBitExact)
{
    QTemporaryDir dir;
    setCameraSettingsFile(dir.filePath(QStringLiteral("cameras.ini")));
    const test::FakeBeam beam;
    CaptureWindowRig rig;
    rig.context.calibrationFile = dir.filePath(QStringLiteral("lumetra.ini"));
    rig.useBeamCamera(&beam, 420);
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    EXPECT_EQ(form->card->currentDeepFrame()->bitDepth, 16);
    EXPECT_EQ(form->card->currentFrame().size(), QSize(512, 512));
    EXPECT_TRUE(waitFor([form] { return form->cameraMenu()->droppedLabel()->text() == QStringLiteral("丢帧 0"); }));

    LiveMeasurement *live = form->liveMeasurement();
    std::optional<LiveSample> sample;
    QObject::connect(&live->measurer(), &LiveMeasurer::measured, form, [&sample](const LiveSample &s) { sample = s; });
    form->menuItem(QStringLiteral("mnuLiveMeasure"))->trigger();
    ASSERT_TRUE(waitFor([&sample] { return sample.has_value(); }, 10000));
    const auto measuredFrame = live->lastMeasuredFrame();
    ASSERT_TRUE(measuredFrame);
    const beam::BeamResult expected = beam::measureBeam(*measuredFrame);
    EXPECT_GT(sample->result.peak, 255) << "measured on 16-bit samples, not the 8-bit picture";
    EXPECT_EQ(sample->result.centroidX, expected.centroidX);
    EXPECT_EQ(sample->result.dX, expected.dX);
    EXPECT_EQ(sample->result.dY, expected.dY);
    EXPECT_NEAR(sample->result.dX, 4 * beam.sigmaX, 0.02 * 4 * beam.sigmaX);

    // 平均 N: the measured frames become means of N frames.
    rig.dialogs.inputAnswers.push_back(QStringLiteral("4"));
    form->cameraMenu()->chooseAveraging();
    EXPECT_EQ(live->averaging(), 4);
    // Averaging says it is on and how far the mean in hand has got.
    QLabel *averaging = form->cameraMenu()->averagingLabel();
    EXPECT_TRUE(averaging->isVisibleTo(form));
    EXPECT_TRUE(waitFor([live] { return live->meansMade() >= 2; }, 10000));
    EXPECT_TRUE(waitFor([averaging] { return averaging->text().contains(QStringLiteral("，已平均 ")); }, 3000));
    EXPECT_TRUE(averaging->text().startsWith(QStringLiteral("平均 4 帧："))) << averaging->text().toStdString();
    // 采集暗场: N frames with the beam blocked become the dark frame.
    rig.dialogs.messageAnswers.push_back(Dialogs::Answer::Ok);
    form->cameraMenu()->collectDark();
    EXPECT_TRUE(waitFor([live] { return live->hasDarkFrame(); }, 10000));

    if (qEnvironmentVariableIsSet("LUMETRA_SCREENSHOT_DIR")) {
        // A little over-exposed, so that the saturated core shows red.
        live->clearDarkFrame();
        live->setAveraging(1);
        form->card->device().cameraControls()->setExposureUs(540);
        waitFor([] { return false; }, 3000); // the plots fill a little
        QWidget *frame = form->parentWidget() ? form->parentWidget() : form;
        frame->grab().save(QDir(qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR")).filePath(QStringLiteral("live-camera-16bit.png")));
        form->card->device().cameraControls()->setExposureUs(420);
    }

    // 存为… at the camera's depth: the frame on show, code for code.
    form->menuItem(QStringLiteral("mnuStop"))->trigger();
    const std::shared_ptr<const DeepFrame> shown = form->card->currentDeepFrame();
    const QString path = dir.filePath(QStringLiteral("frame.png"));
    rig.dialogs.fileAnswers.push_back(path);
    form->cameraMenu()->saveFrame();
    const FrameReadResult back = readFrameFile(path);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_EQ(back.frame.values, beamFrameOf(*shown).values);

    // A caustic frame: its z in the name, as the M² window reads it.
    rig.dialogs.inputAnswers.push_back(dir.filePath(QStringLiteral("caustic")));
    rig.dialogs.inputAnswers.push_back(QStringLiteral("-2.5"));
    form->cameraMenu()->grabCausticFrame();
    const QStringList series = QDir(dir.filePath(QStringLiteral("caustic"))).entryList(QDir::Files);
    ASSERT_EQ(series.size(), 1);
    EXPECT_EQ(beam::zFromFileName(series[0]), -2.5);
    EXPECT_EQ(readFrameFile(dir.filePath(QStringLiteral("caustic/")) + series[0]).frame.values, back.frame.values);
    setCameraSettingsFile({});
}

TEST(CameraWindow, FalseColourMarksTheCamerasTopCodeAndDrawsTheHalfContourWhereTheBeamIsAtHalfItsPeak)
{
    QTemporaryDir dir;
    setCameraSettingsFile(dir.filePath(QStringLiteral("cameras.ini")));
    setPlacementSettingsFile(dir.filePath(QStringLiteral("lumetra.ini")));
    const test::FakeBeam beam;
    CaptureWindowRig rig;
    rig.useBeamCamera(&beam, 540); // a little over-exposed: the core is at the top code
    CaptureWindow *form = rig.open();
    FalseColourMenu *colours = form->falseColourMenu();
    colours->entry(QStringLiteral("palette-viridis"))->trigger();
    colours->entry(QStringLiteral("contours"))->trigger();
    ASSERT_TRUE(waitFor([form] {
        return form->card->currentDeepFrame() && !form->card->shownPicture().halfContour.empty();
    }, 10000));
    form->menuItem(QStringLiteral("mnuStop"))->trigger();
    QCoreApplication::processEvents();
    const VideoPicture &shown = form->card->shownPicture();
    EXPECT_EQ(shown.scale.top, 65535) << "saturated means the camera's top code, not 255 of the picture";
    const QImage screen = form->card->grab().toImage();
    EXPECT_EQ(screen.pixel(260, 240), qRgb(255, 0, 255)) << "the saturated core in the signal colour";
    EXPECT_EQ(screen.pixel(5, 5), paletteTable(Palette::Viridis)[3]) << "the 1 % dark level, dark violet";

    // The 50 % line along the beam's row: where the Gaussian (clipped at the top code) is half way
    // from the dark level to the top, x = cx + σ √(2 ln(A / (top / 2 − dark / 2))).
    const double top = 65535, dark = beam.darkFraction * top, amplitude = beam.peakPerUs * 540 * top;
    const double expectedX = beam.cx + 0.5 + beam.sigmaX * std::sqrt(2 * std::log(amplitude / (0.5 * (top - dark))));
    double foundX = -1;
    for (const QLineF &l : shown.halfContour)
        if (std::min(l.y1(), l.y2()) <= 240.75 && std::max(l.y1(), l.y2()) >= 240.75 && l.x1() > beam.cx)
            foundX = l.x1() + (240.75 - l.y1()) / (l.y2() - l.y1() == 0 ? 1 : l.y2() - l.y1()) * (l.x2() - l.x1());
    EXPECT_NEAR(foundX, expectedX, 1.0);
    // Drawn white over the picture there.
    bool white = false;
    for (int x = int(foundX) - 1; x <= int(foundX) + 1; ++x)
        white = white || screen.pixel(x, 240) == qRgb(255, 255, 255);
    EXPECT_TRUE(white) << std::hex << screen.pixel(int(foundX), 240);

    // The colour bar, in codes and % of full scale; the choice is kept for the next window.
    ASSERT_TRUE(form->card->colourBar()->isVisible());
    EXPECT_EQ(form->card->colourBar()->tickTexts().last(), QStringLiteral("65535 · 100 %"));
    EXPECT_EQ(loadFalseColour(QStringLiteral("capture")).palette, Palette::Viridis);
    EXPECT_TRUE(loadFalseColour(QStringLiteral("capture")).contours);
    setPlacementSettingsFile({});
    setCameraSettingsFile({});
}

TEST(CameraWindow, SettingsDialogShowsWhatTheCameraTookAndTheyAreRememberedPerSerial)
{
    QTemporaryDir dir;
    setCameraSettingsFile(dir.filePath(QStringLiteral("cameras.ini")));
    const test::FakeBeam beam;
    CaptureWindowRig rig;
    rig.useBeamCamera(&beam, 420);
    CaptureWindow *form = rig.open();
    CameraControls *camera = form->card->device().cameraControls();
    ASSERT_TRUE(camera);
    rig.runner = [](QDialog &dialog) {
        auto &settings = dynamic_cast<CameraSettingsDialog &>(dialog);
        EXPECT_EQ(settings.exposure()->maximum(), 10000000.0); // the camera's own limit
        // Read in units, not as "(10 – 1e+07)".
        const auto *form = settings.findChild<QFormLayout *>();
        const auto *caption = form ? qobject_cast<QLabel *>(form->labelForField(settings.exposure())) : nullptr;
        EXPECT_TRUE(caption && caption->text().endsWith(QStringLiteral(" – 10 s)"))) << (caption ? caption->text().toStdString() : "");
        EXPECT_TRUE(caption && !caption->text().contains(QStringLiteral("e+")));
        settings.exposure()->setValue(1234);
        settings.roi(2)->setValue(256);
        EXPECT_EQ(settings.apply(), QStringList());
        EXPECT_EQ(settings.exposure()->value(), 1234);
        return int(QDialog::Accepted);
    };
    form->setModalRunner(rig.runner);
    form->cameraMenu()->showCameraSettings();
    EXPECT_EQ(camera->settings().exposureUs, 1234);
    EXPECT_EQ(camera->settings().roi.width(), 256);
    ASSERT_TRUE(waitFor([form] { return form->card->currentFrame().width() == 256; }, 10000));
    const std::optional<CameraSettings> kept = loadCameraSettings(camera->identity().serial);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->exposureUs, 1234);
    EXPECT_EQ(kept->roi.width(), 256);
    // What the capture port reports with a saved frame names the camera's settings.
    EXPECT_TRUE(form->cameraSettings().contains(QStringLiteral("256 × 512，Mono16，曝光 1234 µs")))
        << form->cameraSettings().toStdString();

    // A refused value: said which, and the one in force stays.
    CameraSettings wanted = camera->settings();
    wanted.gain = 99;
    const QStringList refusals = applyCameraSettings(*camera, wanted);
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals[0].contains(QStringLiteral("增益")));
    EXPECT_EQ(camera->settings().gain, kept->gain);
    setCameraSettingsFile({});
}

TEST(CameraWindowGige, LostFramesAreCountedAndAVanishedCameraIsReportedAndReconnected)
{
    if (qEnvironmentVariableIsSet("LUMETRA_NO_NETNS") || !test::onlyLoopbackNetwork())
        GTEST_SKIP() << "GigE over loopback runs only in a network namespace with loopback alone: "
                        "ctest -R capture_gige_loopback";
    auto gv = std::make_unique<test::LoopbackCamera>(test::FakeBeam{}, 0.02);
    CaptureWindowRig rig;
    rig.service = CaptureService::forId(QStringLiteral("127.0.0.1"));
    rig.services.capture = rig.service.get();
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    QLabel *dropped = form->cameraMenu()->droppedLabel();
    ASSERT_TRUE(waitFor([dropped] { return dropped->text().startsWith(QStringLiteral("丢帧 ")) &&
                                           dropped->text() != QStringLiteral("丢帧 0"); }, 20000))
        << dropped->text().toStdString();

    gv.reset(); // unplugged
    ASSERT_TRUE(waitFor([&rig] { return !rig.dialogs.messages.isEmpty(); }, 20000));
    EXPECT_TRUE(rig.dialogs.messages.last().text.contains(QStringLiteral("127.0.0.1")))
        << rig.dialogs.messages.last().text.toStdString();
    EXPECT_FALSE(form->menuItem(QStringLiteral("mnuOperate"))->isEnabled());
    EXPECT_TRUE(form->isVisible());

    gv = std::make_unique<test::LoopbackCamera>();
    form->cameraMenu()->reconnect();
    EXPECT_TRUE(form->menuItem(QStringLiteral("mnuOperate"))->isEnabled());
    const auto before = form->card->currentDeepFrame();
    EXPECT_TRUE(waitFor([form, before] { return form->card->currentDeepFrame() != before; }, 10000));
    gv.reset();
    form->menuItem(QStringLiteral("mnuStop"))->trigger();
}
