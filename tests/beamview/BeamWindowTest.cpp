#include "BeamViewFixture.h"

#include "analysis/picture/Sampling.h"
#include "beamview/BeamReadout.h"
#include "beamview/CalibrationDialog.h"
#include "capture/CaptureWindowOpener.h"
#include "capture/CaptureWindow.h"
#include "devices/CaptureService.h"
#include "curves/CurveWindow.h"
#include "platform/settings/Calibration.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "workspace/placement/PlacementBar.h"
#include "support/WorkbookReader.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace lumetra::test {
namespace {

using BeamWindowTest = BeamViewFixture;

void expectSameResult(const beam::BeamResult &a, const beam::BeamResult &b)
{
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.centroidX, b.centroidX);
    EXPECT_EQ(a.centroidY, b.centroidY);
    EXPECT_EQ(a.dMajor, b.dMajor);
    EXPECT_EQ(a.dMinor, b.dMinor);
    EXPECT_EQ(a.dX, b.dX);
    EXPECT_EQ(a.dY, b.dY);
    EXPECT_EQ(a.phiDeg, b.phiDeg);
    EXPECT_EQ(a.peak, b.peak);
    EXPECT_EQ(a.background, b.background);
    EXPECT_EQ(a.saturatedPixels, b.saturatedPixels);
}

// The grey map the curve windows would sample from the picture now.
std::vector<int> sampled(AnalysisState &state, const PictureSurface &picture)
{
    SilentProgress quiet;
    sampling::ReadColours(state.picture, picture, quiet);
    sampling::ComputeGreyMap(state.picture, quiet);
    return std::vector<int>(state.picture.GreyMap.row(0), state.picture.GreyMap.row(480) + GreyMapGrid::Width);
}

TEST_F(BeamWindowTest, ShowsTheCoresNumbersInPixelsAndMicronsAndMarksTheBeamAboveThePicture)
{
    ASSERT_TRUE(saveCalibration({5.5, 1.0}, context->calibrationFile));
    WorkspaceWindow *ws = openFrame(offCentreEllipse());
    ASSERT_NE(ws, nullptr);
    const QImage clean = ws->picture().image();
    const std::vector<int> before = sampled(*state, ws->picture());

    BeamWindow *window = openBeamWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->result().has_value());
    const beam::BeamResult core = coreResult();
    expectSameResult(*window->result(), core);
    EXPECT_EQ(window->pixelText("dMajor"), beamNumber(core.dMajor, 2) + " px");
    EXPECT_EQ(window->pixelText("centroidY"), beamNumber(core.centroidY, 2) + " px");
    EXPECT_EQ(window->pixelText("phiDeg"), beamNumber(core.phiDeg, 2) + " °");
    EXPECT_EQ(window->micronText("dMinor"), formatLength(core.dMinor * 5.5));
    EXPECT_NEAR(core.dMajor, 120, 4);
    EXPECT_FALSE(window->saturationLabel()->isVisibleTo(window));
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - beam.png"));

    // The marks show on the screen, but sampling reads the same grey map as before.
    ASSERT_TRUE(window->overlay().shown());
    EXPECT_NE(ws->picture().image(), clean);
    EXPECT_NE(ws->picture().image().pixel(400, 150), clean.pixel(400, 150)) << "centroid cross";
    EXPECT_EQ(ws->picture().drawing(), clean);
    EXPECT_EQ(sampled(*state, ws->picture()), before);

    // Switching every mark off, then closing the window, leaves the picture as it was.
    window->shapeSwitch("rectangle")->setChecked(true);
    const QImage withRectangle = ws->picture().image();
    window->shapeSwitch("rectangle")->setChecked(false);
    EXPECT_NE(withRectangle, ws->picture().image());
    window->shapeSwitch("centroid")->setChecked(false);
    window->shapeSwitch("ellipse")->setChecked(false);
    EXPECT_EQ(ws->picture().image(), clean);
    window->shapeSwitch("ellipse")->setChecked(true);
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(BeamWindow::instance(*context), nullptr);
    EXPECT_EQ(ws->picture().image(), clean);
}

TEST_F(BeamWindowTest, ALargePictureIsMeasuredWholeAndMarkedWhereThePlacementShowsIt)
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
    ASSERT_NE(ws, nullptr);
    ws->placementBar()->button(PlacementMode::Beam)->click();
    const QPoint offset(ws->placement().offsetX, ws->placement().offsetY);
    const QImage clean = ws->picture().image();

    BeamWindow *window = openBeamWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->result().has_value());
    expectSameResult(*window->result(), coreResult());
    EXPECT_TRUE(window->sourceLabel()->text().endsWith(QStringLiteral("1280 × 960，8 位，整幅测量")));
    // The centroid cross lies on the beam as shown, not at its full-frame coordinates.
    const int cx = int(std::lround(window->result()->centroidX)) - offset.x();
    const int cy = int(std::lround(window->result()->centroidY)) - offset.y();
    EXPECT_NE(ws->picture().image().pixel(cx, cy), clean.pixel(cx, cy));
    EXPECT_EQ(ws->picture().drawing(), clean);
}

TEST_F(BeamWindowTest, SaturatedAndBeamlessFramesSaySoInsteadOfNumbers)
{
    Scene saturated = offCentreEllipse();
    saturated.spots[0].peak = 400; // clipped at 255
    WorkspaceWindow *ws = openFrame(saturated, QStringLiteral("hot.png"));
    BeamWindow *window = openBeamWindow();
    const beam::BeamResult core = coreResult();
    ASSERT_GT(core.saturatedPixels, 0);
    EXPECT_TRUE(window->saturationLabel()->isVisibleTo(window));
    EXPECT_EQ(window->saturationLabel()->text(), QStringLiteral("饱和：%1 个像素").arg(core.saturatedPixels));
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - hot.png（饱和）"));
    EXPECT_TRUE(core.warnings.has(beam::BeamWarning::Saturated));
    EXPECT_FALSE(window->warningLabel()->text().contains(QStringLiteral("饱和"))) << "said on its own line";
    window->measure();
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - hot.png（饱和）")) << "marked once";
    window->close();
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - hot.png"));
    ws->close();
    closeAllWindows();

    Scene dark;
    dark.noise = 2;
    dark.spots.clear();
    ws = openFrame(dark, QStringLiteral("dark.png"));
    const QImage clean = ws->picture().image();
    window = openBeamWindow();
    ASSERT_EQ(window->result()->status, beam::BeamStatus::NoBeam);
    EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("未检测到光斑"));
    EXPECT_EQ(window->pixelText("dMajor"), QStringLiteral("—"));
    EXPECT_EQ(window->pixelText("centroidX"), QStringLiteral("—"));
    EXPECT_FALSE(window->overlay().shown());
    EXPECT_EQ(ws->picture().image(), clean);
}

TEST_F(BeamWindowTest, MovesTheCurveWindowsCutThroughTheCentroid)
{
    WorkspaceWindow *ws = openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    EXPECT_FALSE(window->cutThroughCentroid()) << "no curve window yet";

    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    ASSERT_NE(context->curveWindow, nullptr);
    ASSERT_TRUE(window->cutThroughCentroid());
    EXPECT_EQ(state->cut.CutPosition, std::lround(window->result()->centroidY));
    EXPECT_EQ(CurveWindow::openWindow(*context)->cutLabel(),
              QStringLiteral("对应像素点：") + QString::number(std::lround(window->result()->centroidY)));
    context->curveWindow->closeWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ws->menuItem(QStringLiteral("verticalCurve"))->trigger();
    ASSERT_TRUE(window->cutThroughCentroid());
    EXPECT_EQ(state->cut.CutPosition, std::lround(window->result()->centroidX));
}

TEST_F(BeamWindowTest, ADarkFrameIsSubtractedUntilClearedAndAWrongSizeIsNotUsed)
{
    Scene scene = offCentreEllipse();
    scene.fixedPattern = 4;
    scene.bowl = 20;
    openFrame(scene);
    BeamWindow *window = openBeamWindow();
    EXPECT_EQ(window->darkLabel()->text(), QStringLiteral("未使用暗场"));

    const QString darkFile = path(QStringLiteral("blocked.png"));
    const beam::BeamFrame darkFrame = makeDarkFrame(scene);
    ASSERT_TRUE(frameImage(darkFrame).save(darkFile, "PNG"));
    dialogs.fileAnswers.push_back(darkFile);
    window->takeDarkFromFile();
    ASSERT_TRUE(window->darkFrameInUse());
    EXPECT_EQ(window->darkLabel()->text(), QStringLiteral("已扣除暗场：blocked.png"));
    const FrameReadResult dark = readFrameFile(darkFile);
    expectSameResult(*window->result(), coreResult(&dark.frame));
    EXPECT_NE(window->result()->background, coreResult().background);

    window->clearDark();
    EXPECT_FALSE(window->darkFrameInUse());
    expectSameResult(*window->result(), coreResult());

    // A dark frame of another size is kept but not subtracted, and the window says so.
    const QString small = path(QStringLiteral("small.png"));
    Scene smallScene;
    smallScene.width = 320;
    smallScene.height = 240;
    ASSERT_TRUE(frameImage(makeDarkFrame(smallScene)).save(small, "PNG"));
    dialogs.fileAnswers.push_back(small);
    window->takeDarkFromFile();
    EXPECT_EQ(window->darkLabel()->text(), QStringLiteral("暗场（320 × 240）与图像尺寸不同，未扣除"));
    expectSameResult(*window->result(), coreResult());

    // Without a capture window there is no frame to take.
    window->takeDarkFromCapture();
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().text.contains(QStringLiteral("没有采集帧")));
}

TEST_F(BeamWindowTest, CopiesTabSeparatedValuesAndLogsOneRowPerPress)
{
    openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    window->copyValues();
    QString copied = QApplication::clipboard()->text();
    ASSERT_TRUE(copied.endsWith(u'\n'));
    copied.chop(1); // the µm columns at the end are empty: not calibrated
    const QStringList lines = copied.split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    const QStringList names = lines[0].split(u'\t'), values = lines[1].split(u'\t');
    ASSERT_EQ(names.size(), values.size());
    EXPECT_EQ(values[0], QStringLiteral("beam.png"));
    EXPECT_EQ(values[names.indexOf(QStringLiteral("D4σ长轴(px)"))], beamNumber(coreResult().dMajor, 3));

    const QString csv = path(QStringLiteral("log.csv"));
    dialogs.fileAnswers.push_back(csv);
    window->exportRow();
    window->exportRow();
    EXPECT_EQ(dialogs.saveRequests.size(), 1) << "the log is chosen once";
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).trimmed().split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].contains(QStringLiteral("时间,文件,状态")));
    EXPECT_EQ(rows[1].section(u',', 1), rows[2].section(u',', 1)) << "same values, later time";

    // A workbook log holds the rows logged since it was chosen.
    ScriptedWorkbookService workbook;
    services.workbook = &workbook;
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window = openBeamWindow();
    const QString xlsx = path(QStringLiteral("log.xlsx"));
    dialogs.fileAnswers.push_back(xlsx);
    window->exportRow();
    window->exportRow();
    const WorkbookContents book = readWorkbook(xlsx);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(book.cell("B3").toString(), QStringLiteral("beam.png"));
    EXPECT_EQ(book.cell("C3").toString(), QStringLiteral("ok"));
    EXPECT_TRUE(book.isNumber("F3"));
    EXPECT_FALSE(book.cells.contains("A4"));

    // A failed write keeps the file and says why.
    workbook.failing = true;
    window->exportRow();
    EXPECT_TRUE(dialogs.messages.last().text.contains(xlsx));
    EXPECT_FALSE(readWorkbook(xlsx).cells.contains("A4"));
}

TEST_F(BeamWindowTest, WithoutAWorkspaceItMeasuresTheCaptureFrameWhichAlsoServesAsDarkFrame)
{
    const auto simulated = CaptureService::simulated();
    services.capture = simulated.get();
    CaptureWindow *capture = openCaptureWindow(*context);
    ASSERT_EQ(context->captureFrames, capture);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !capture->currentFrame().isNull(); }, 5000));
    capture->menuItem(QStringLiteral("mnuCalibrate"))->trigger();
    EXPECT_NE(CalibrationDialog::instance(*context), nullptr) << "标定 of the capture window";

    context->openBeamWindow();
    BeamWindow *window = BeamWindow::instance(*context);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->source().kind, BeamSource::Kind::CaptureFrame);
    ASSERT_TRUE(window->result().has_value());
    window->takeDarkFromCapture();
    EXPECT_TRUE(window->darkFrameInUse());
    EXPECT_TRUE(window->darkLabel()->text().startsWith(QStringLiteral("已扣除暗场：采集帧")));
    capture->mnuFileExit_Click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(context->captureFrames, nullptr);
}

// A measurement with warnings is never shown like a clean one: each warning in words.
TEST_F(BeamWindowTest, EveryWarningIsShownInWords)
{
    openFrame(offCentreEllipse(), QStringLiteral("clean.png"));
    BeamWindow *window = openBeamWindow();
    ASSERT_EQ(window->result()->status, beam::BeamStatus::Ok);
    EXPECT_TRUE(window->result()->warnings.empty());
    EXPECT_FALSE(window->warningLabel()->isVisibleTo(window));
    closeAllWindows();

    Scene atEdge = offCentreEllipse();
    atEdge.spots[0].cx = 40; // the integration area reaches past the left edge
    openFrame(atEdge, QStringLiteral("edge.png"));
    window = openBeamWindow();
    ASSERT_TRUE(window->result()->warnings.has(beam::BeamWarning::BeamClipped));
    EXPECT_TRUE(window->warningLabel()->isVisibleTo(window));
    EXPECT_TRUE(window->warningLabel()->text().contains(QStringLiteral("光斑或积分区域到达图像边缘")))
        << window->warningLabel()->text().toStdString();
}

} // namespace
} // namespace lumetra::test
