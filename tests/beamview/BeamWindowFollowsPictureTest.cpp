// The beam window after the workspace's picture changes, its smear and method lines, and a new
// calibration reaching every open window at once.
#include "BeamViewFixture.h"

#include "beamview/BeamReadout.h"
#include "beamview/CalibrationDialog.h"
#include "curves/CurveWidthReadout.h"
#include "curves/CurveWindow.h"
#include "platform/settings/Calibration.h"
#include "workspace/placement/PlacementBar.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lumetra::test {
namespace {

using BeamWindowFollowsPicture = BeamViewFixture;

void expectUnmeasured(const BeamWindow &window, const WorkspaceWindow &ws, const QString &title)
{
    EXPECT_FALSE(window.measured());
    EXPECT_FALSE(window.result().has_value());
    EXPECT_EQ(window.statusLabel()->text(), QStringLiteral("未测量"));
    for (const char *key : {"centroidX", "dMajor", "dMinor", "peak"})
        EXPECT_EQ(window.pixelText(QString::fromLatin1(key)), QStringLiteral("—")) << key;
    EXPECT_FALSE(window.overlay().shown());
    EXPECT_FALSE(window.saturationLabel()->isVisibleTo(&window));
    EXPECT_EQ(ws.windowTitle(), title);
}

TEST_F(BeamWindowFollowsPicture, AnotherPictureIsMeasuredAgainAndTheTitleForgetsTheSaturation)
{
    Scene hot = offCentreEllipse();
    hot.spots[0].peak = 400; // saturated
    WorkspaceWindow *ws = openFrame(hot, QStringLiteral("hot.png"));
    BeamWindow *window = openBeamWindow();
    ASSERT_GT(window->result()->saturatedPixels, 0);
    ASSERT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - hot.png（饱和）"));
    const QImage hotMarked = ws->picture().image();

    // A second picture, its beam elsewhere and not saturated.
    Scene calm;
    calm.noise = 1.5;
    calm.spots[0].cx = 200;
    calm.spots[0].cy = 300;
    calm.spots[0].dMajor = calm.spots[0].dMinor = 60;
    ASSERT_EQ(openFrame(calm, QStringLiteral("calm.png")), ws);
    expectUnmeasured(*window, *ws, QStringLiteral("图像操作 - calm.png"));
    EXPECT_EQ(ws->picture().image(), ws->picture().drawing()) << "no marks of the first picture";

    QApplication::processEvents();
    ASSERT_TRUE(window->measured());
    ASSERT_TRUE(window->result().has_value());
    const beam::BeamResult core = coreResult();
    EXPECT_EQ(window->result()->centroidX, core.centroidX);
    EXPECT_EQ(window->result()->dMajor, core.dMajor);
    EXPECT_NEAR(core.centroidX, 200, 1);
    EXPECT_EQ(window->pixelText("dMajor"), beamNumber(core.dMajor, 2) + " px");
    EXPECT_TRUE(window->sourceLabel()->text().startsWith(QStringLiteral("calm.png")));
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - calm.png"));
    EXPECT_TRUE(window->overlay().shown());
    EXPECT_NE(ws->picture().image().pixel(200, 300), ws->picture().drawing().pixel(200, 300)) << "cross on the new beam";
    EXPECT_NE(ws->picture().image(), hotMarked);

    // Closing the picture takes its results with it.
    ws->close();
    EXPECT_FALSE(window->result().has_value());
    EXPECT_FALSE(window->overlay().shown());
    QApplication::processEvents();
    EXPECT_FALSE(window->result().has_value());
    EXPECT_EQ(window->pixelText("dMajor"), QStringLiteral("—"));
    EXPECT_FALSE(window->sourceLabel()->text().startsWith(QStringLiteral("calm.png")));
}

TEST_F(BeamWindowFollowsPicture, ANewPlacementOrAFilterMovesTheMarksWithThePicture)
{
    Scene scene;
    scene.width = 1280;
    scene.height = 960;
    scene.noise = 1.5;
    scene.spots[0].cx = 900;
    scene.spots[0].cy = 700;
    scene.spots[0].dMajor = 120;
    scene.spots[0].dMinor = 90;
    WorkspaceWindow *ws = openFrame(scene, QStringLiteral("large.png"));
    ws->placementBar()->button(PlacementMode::Beam)->click();
    BeamWindow *window = openBeamWindow();
    ASSERT_TRUE(window->overlay().shown());

    // Fitted whole onto the raster, the beam is marked where the scaled picture shows it.
    ws->placementBar()->button(PlacementMode::Fit)->click();
    expectUnmeasured(*window, *ws, ws->windowTitle());
    QApplication::processEvents();
    ASSERT_TRUE(window->measured());
    const double scale = ws->placement().scale;
    ASSERT_LT(scale, 1.0);
    const int cx = int(std::lround((window->result()->centroidX + 0.5) * scale - 0.5));
    const int cy = int(std::lround((window->result()->centroidY + 0.5) * scale - 0.5));
    EXPECT_NE(ws->picture().image().pixel(cx, cy), ws->picture().drawing().pixel(cx, cy));

    ws->menuItem(QStringLiteral("blur1"))->trigger();
    EXPECT_FALSE(window->measured());
    QApplication::processEvents();
    EXPECT_TRUE(window->measured());
    EXPECT_TRUE(window->overlay().shown());
    EXPECT_NE(ws->picture().image().pixel(cx, cy), ws->picture().drawing().pixel(cx, cy)) << "marked once, not twice";
}

TEST_F(BeamWindowFollowsPicture, SaysWhenSmearWasTakenOutAndMeasuresByTheChosenMethod)
{
    Scene smeared = offCentreEllipse();
    smeared.width = 800;
    smeared.height = 600;
    smeared.smear = 8;
    smeared.smearFollowsBeam = true;
    openFrame(smeared, QStringLiteral("smear.png"));
    BeamWindow *window = openBeamWindow();
    ASSERT_TRUE(window->result().has_value());
    EXPECT_EQ(window->result()->stripeCorrection, beam::StripeCorrection::Columns);
    EXPECT_TRUE(window->stripeLabel()->isVisibleTo(window));
    EXPECT_EQ(window->stripeLabel()->text(), QStringLiteral("已校正拖尾（列）"));
    EXPECT_EQ(window->result()->dMajor, coreResult().dMajor);

    window->methodChoice()->setCurrentIndex(1);
    const FrameReadResult read = readFrameFile(frameFile);
    beam::BeamOptions iso;
    iso.method = beam::BeamMethod::Iso;
    const beam::BeamResult core = beam::measureBeam(read.frame, iso);
    EXPECT_EQ(window->result()->method, beam::BeamMethod::Iso);
    EXPECT_EQ(window->result()->dMajor, core.dMajor);
    EXPECT_EQ(window->result()->iterations, core.iterations);
    window->copyValues();
    const QStringList lines = QApplication::clipboard()->text().trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    const QStringList names = lines[0].split(u'\t'), values = lines[1].split(u'\t');
    EXPECT_EQ(values.value(names.indexOf(QStringLiteral("方法"))), QStringLiteral("ISO 11146"));
    EXPECT_EQ(values.value(names.indexOf(QStringLiteral("拖尾校正"))), QStringLiteral("列"));

    // A frame without smear shows no such line.
    openFrame(offCentreEllipse(), QStringLiteral("clean.png"));
    QApplication::processEvents();
    EXPECT_EQ(window->result()->stripeCorrection, beam::StripeCorrection::None);
    EXPECT_FALSE(window->stripeLabel()->isVisibleTo(window));
}

TEST_F(BeamWindowFollowsPicture, ANewCalibrationReachesTheOpenCurveWindowAtOnce)
{
    WorkspaceWindow *ws = openFrame(offCentreEllipse());
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    CurveWindow *curves = CurveWindow::openWindow(*context);
    ASSERT_NE(curves, nullptr);
    ASSERT_TRUE(ws->moveCutTo(150));
    const QString before = curves->widthReadout().label()->text();
    ASSERT_FALSE(before.contains(QStringLiteral("µm"))) << before.toStdString();
    const double e2 = curves->widthReadout().rawWidths().e2.width().value();

    context->openCalibrationDialog();
    CalibrationDialog *dialog = CalibrationDialog::instance(*context);
    dialog->pixelSizeEdit()->setText(QStringLiteral("5.5"));
    ASSERT_TRUE(dialog->accept());
    EXPECT_TRUE(curves->widthReadout().label()->text().contains(formatLength(e2 * 5.5)))
        << curves->widthReadout().label()->text().toStdString();
}

} // namespace
} // namespace lumetra::test
