// Deep and large pictures in the workspace: grey levels by the picture's own range, placement of
// pictures larger than 640 x 480, the bar above the picture, the options dialog, the title.
#include "WorkspaceFixture.h"

#include "analysis/picture/FrameGreyImage.h"
#include "platform/framefiles/PixelBudget.h"
#include "platform/settings/PixelBudgetSetting.h"
#include "platform/settings/PlacementSetting.h"
#include "support/FrameWriters.h"
#include "support/SyntheticBeam.h"
#include "workspace/placement/PlacementBar.h"
#include "workspace/placement/PlacementOptionsDialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace lumetra::test {
namespace {

class PicturePlacementTest : public WorkspaceFixture
{
protected:
    // 16-bit samples of a frame, rounded to codes 0..top.
    static std::vector<unsigned> codes(const beam::BeamFrame &frame, unsigned top)
    {
        std::vector<unsigned> out(frame.values.size());
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = std::min<unsigned>(top, unsigned(std::lround(std::max(0.0f, frame.values[i]))));
        return out;
    }

    // The workspace pixel (x, y) must be the grey level of picture pixel (px, py).
    void expectGrey(int x, int y, unsigned code, double top)
    {
        const int g = workspaceGreyLevel(code, top);
        EXPECT_EQ(workspaceWindow()->picture().point(x, y), rgb(g, g, g)) << x << "," << y;
    }

    WorkspaceWindow *workspaceWindow() { return WorkspaceWindow::instance(*context); }

    // A 1280 x 960 16-bit camera frame with its beam at (900, 700), as a PNG.
    QString largeBeamPng()
    {
        Scene scene;
        scene.width = 1280;
        scene.height = 960;
        scene.bitDepth = 16;
        scene.darkLevel = 800;
        scene.noise = 60;
        scene.spots[0].cx = 900;
        scene.spots[0].cy = 700;
        scene.spots[0].dMajor = 160;
        scene.spots[0].dMinor = 120;
        scene.spots[0].peak = 40000;
        large = codes(makeFrame(scene).frame, 65535);
        QImage png(1280, 960, QImage::Format_Grayscale16);
        for (int y = 0; y < 960; ++y)
            for (int x = 0; x < 1280; ++x)
                reinterpret_cast<quint16 *>(png.scanLine(y))[x] = quint16(large[std::size_t(y) * 1280 + x]);
        const QString file = path(QStringLiteral("large.png"));
        EXPECT_TRUE(png.save(file, "PNG"));
        return file;
    }
    unsigned largeAt(int x, int y) const { return large[std::size_t(y) * 1280 + std::size_t(x)]; }

    std::vector<unsigned> large;
};

TEST(WorkspaceGreyLevel, ScalesByTheTopValueAndRoundsHalvesToEven)
{
    EXPECT_EQ(workspaceGreyLevel(65535, 65535), 255);
    EXPECT_EQ(workspaceGreyLevel(4095, 4095), 255);
    EXPECT_EQ(workspaceGreyLevel(2048, 4095), 128); // 127.56
    EXPECT_EQ(workspaceGreyLevel(1, 510), 0);        // 0.5 -> 0
    EXPECT_EQ(workspaceGreyLevel(3, 510), 2);        // 1.5 -> 2
    EXPECT_EQ(workspaceGreyLevel(5, 510), 2);        // 2.5 -> 2
    EXPECT_EQ(workspaceGreyLevel(70000, 65535), 255);
    EXPECT_EQ(workspaceGreyLevel(-3, 4095), 0);
}

TEST_F(PicturePlacementTest, DeepPicturesOfEveryFormatBecomeGreyLevelsByTheirOwnRange)
{
    struct Case
    {
        const char *name;
        int maxval;
        QByteArray bytes;
    };
    // A 640 x 480 ramp through every code of the range, so each rounding is met.
    const auto ramp = [](unsigned top) {
        std::vector<unsigned> v(640u * 480u);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = unsigned((i * 7919u) % (top + 1u));
        return v;
    };
    for (int maxval : {255, 510, 4095, 65535}) {
        SCOPED_TRACE(maxval);
        const std::vector<unsigned> samples = ramp(unsigned(maxval));
        ASSERT_TRUE(writeBytes(path(QStringLiteral("f.pgm")), netpbmBytes(640, 480, 1, maxval, false, samples)));
        ASSERT_TRUE(open(path(QStringLiteral("f.pgm"))));
        for (const QPoint p : {QPoint(0, 0), QPoint(639, 479), QPoint(1, 0), QPoint(77, 300), QPoint(500, 9)})
            expectGrey(p.x(), p.y(), samples[std::size_t(p.y()) * 640 + std::size_t(p.x())], maxval);
        EXPECT_EQ(workspaceWindow()->windowTitle(), QStringLiteral("图像操作 - f.pgm"));
        EXPECT_FALSE(workspaceWindow()->placementBar()->isVisibleTo(workspaceWindow()));
        closeAllWindows();
    }
    const std::vector<unsigned> samples = ramp(65535);
    QImage png(640, 480, QImage::Format_Grayscale16);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            reinterpret_cast<quint16 *>(png.scanLine(y))[x] = quint16(samples[std::size_t(y) * 640 + x]);
    ASSERT_TRUE(png.save(path(QStringLiteral("f.png")), "PNG"));
    ASSERT_TRUE(writeBytes(path(QStringLiteral("f.tif")), tiffBytes(640, 480, 1, 16, samples)));
    for (const char *name : {"f.png", "f.tif"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open(path(QString::fromLatin1(name))));
        for (const QPoint p : {QPoint(0, 0), QPoint(639, 479), QPoint(3, 1), QPoint(321, 222)})
            expectGrey(p.x(), p.y(), samples[std::size_t(p.y()) * 640 + std::size_t(p.x())], 65535);
        closeAllWindows();
    }
}

TEST_F(PicturePlacementTest, EachPlacementShowsItsPartOfALargePictureWithBarAndTitle)
{
    const QString file = largeBeamPng();
    ASSERT_TRUE(open(file));
    WorkspaceWindow *ws = workspaceWindow();
    // Centred on the beam by default: a camera frame shows its beam, not a dark corner.
    EXPECT_EQ(ws->placement().mode, PlacementMode::Beam);
    EXPECT_EQ(ws->placement().offsetX, 580);
    EXPECT_TRUE(ws->placementBar()->isVisibleTo(ws));
    EXPECT_EQ(ws->placementBar()->text(), QStringLiteral("图片 1280×960 大于 640×480：[左上角] [光斑居中] [缩放]"));
    EXPECT_EQ(ws->picture().size(), QSize(640, 480));

    // Top-left: the picture at natural size, its top-left 640 x 480.
    ws->placementBar()->button(PlacementMode::TopLeft)->click();
    EXPECT_TRUE(ws->placement().isIdentity());
    expectGrey(0, 0, largeAt(0, 0), 65535);
    expectGrey(639, 479, largeAt(639, 479), 65535);
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - large.png（1280×960，左上角）"));
    EXPECT_TRUE(ws->placementBar()->button(PlacementMode::TopLeft)->isChecked());

    // Centred on the beam: the 640 x 480 window around the centroid.
    ws->placementBar()->button(PlacementMode::Beam)->click();
    EXPECT_EQ(ws->placement().offsetX, 580);
    EXPECT_EQ(ws->placement().offsetY, 460);
    for (const QPoint p : {QPoint(0, 0), QPoint(320, 240), QPoint(639, 479), QPoint(100, 400)})
        expectGrey(p.x(), p.y(), largeAt(580 + p.x(), 460 + p.y()), 65535);
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - large.png（1280×960，光斑居中）"));
    EXPECT_TRUE(ws->placementBar()->button(PlacementMode::Beam)->isChecked());
    EXPECT_FALSE(ws->placementBar()->button(PlacementMode::TopLeft)->isChecked());

    // Scaled to fit: the whole picture by area averaging, half size.
    ws->placementBar()->button(PlacementMode::Fit)->click();
    EXPECT_DOUBLE_EQ(ws->placement().scale, 0.5);
    QImage grey(1280, 960, QImage::Format_RGB32);
    for (int y = 0; y < 960; ++y)
        for (int x = 0; x < 1280; ++x) {
            const int g = workspaceGreyLevel(largeAt(x, y), 65535);
            grey.setPixel(x, y, qRgb(g, g, g));
        }
    const QImage expected = grey.scaled(640, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (const QPoint p : {QPoint(0, 0), QPoint(450, 350), QPoint(639, 479)})
        EXPECT_EQ(ws->picture().point(p.x(), p.y()), fromQRgb(expected.pixel(p)));
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - large.png（1280×960，缩放）"));
    // The beam lies around raster (450, 350), brighter than the far corner.
    EXPECT_GT(qRed(expected.pixel(450, 350)), qRed(expected.pixel(5, 5)) + 50);

    // The placement chosen last in the bar is the one the next large picture opens with.
    EXPECT_EQ(loadPlacementMode(), PlacementMode::Fit);
    closeAllWindows();
    ASSERT_TRUE(open(file));
    EXPECT_EQ(workspaceWindow()->placement().mode, PlacementMode::Fit);
    EXPECT_TRUE(workspaceWindow()->placementBar()->button(PlacementMode::Fit)->isChecked());
}

TEST_F(PicturePlacementTest, AnOpenCurveWindowSamplesThePictureAgainWhenItIsPlacedAnew)
{
    ASSERT_TRUE(savePlacementMode(PlacementMode::TopLeft));
    ASSERT_TRUE(open(largeBeamPng()));
    WorkspaceWindow *ws = workspaceWindow();
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    ASSERT_NE(context->curveWindow, nullptr);
    const int before = state->picture.GreyMap(320, 240);

    ws->placementBar()->button(PlacementMode::Beam)->click();
    // The grey map is the beam-centred picture now, not the top-left one it sampled first.
    const int centre = workspaceGreyLevel(largeAt(580 + 320, 460 + 240), 65535);
    EXPECT_EQ(state->picture.GreyMap(320, 240), centre);
    EXPECT_NE(state->picture.GreyMap(320, 240), before);
}

TEST_F(PicturePlacementTest, BeamWindowStaysInsideThePictureAndSmallPicturesAreNotMoved)
{
    EXPECT_EQ(choosePlacement(PlacementMode::Beam, 1280, 960, std::make_pair(1270.0, 3.0)).offsetX, 640);
    EXPECT_EQ(choosePlacement(PlacementMode::Beam, 1280, 960, std::make_pair(1270.0, 3.0)).offsetY, 0);
    // Taller only: the columns stay, the rows follow the beam.
    const PicturePlacement tall = choosePlacement(PlacementMode::Beam, 600, 1000, std::make_pair(300.0, 700.0));
    EXPECT_EQ(tall.offsetX, 0);
    EXPECT_EQ(tall.offsetY, 460);
    for (PlacementMode m : {PlacementMode::Beam, PlacementMode::Fit}) {
        EXPECT_TRUE(choosePlacement(m, 640, 480, std::make_pair(10.0, 10.0)).isIdentity());
        EXPECT_TRUE(choosePlacement(m, 320, 240).isIdentity());
    }

    // With "centred on the beam" stored, pictures of 640 x 480 and smaller open as before.
    ASSERT_TRUE(savePlacementMode(PlacementMode::Beam));
    WorkspaceWindow *ws = openPattern(640, 480);
    ASSERT_NE(ws, nullptr);
    EXPECT_TRUE(ws->placement().isIdentity());
    EXPECT_EQ(ws->picture().point(639, 479), fromQRgb(image.pixel(639, 479)));
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - pattern.bmp"));
    EXPECT_FALSE(ws->placementBar()->isVisibleTo(ws));
}

TEST_F(PicturePlacementTest, OptionsDialogStoresTheChoiceAndPlacesTheOpenPicture)
{
    const QString file = largeBeamPng();
    ASSERT_TRUE(open(file));
    workspaceWindow()->menuItem(QStringLiteral("placementOptions"))->trigger();
    PlacementOptionsDialog *dialog = PlacementOptionsDialog::instance(*context);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("选项"));
    EXPECT_TRUE(dialog->choice(PlacementMode::Beam)->isChecked()); // the default
    dialog->choice(PlacementMode::TopLeft)->setChecked(true);
    EXPECT_EQ(dialog->maxMegapixels()->value(), 100); // the readers' default budget
    dialog->maxMegapixels()->setValue(20);
    dialog->findChild<QPushButton *>(QStringLiteral("ok"))->click();
    EXPECT_EQ(loadPlacementMode(), PlacementMode::TopLeft);
    EXPECT_EQ(loadPixelBudgetSetting(), 20'000'000);
    EXPECT_EQ(pixelBudget(), 20'000'000) << "the readers follow at once";
    setPixelBudget(0);
    EXPECT_TRUE(workspaceWindow()->placement().isIdentity());
    // The dialog leaves no empty frame behind.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(PlacementOptionsDialog::instance(*context), nullptr);

    // The next picture opens with the stored choice.
    closeAllWindows();
    ASSERT_TRUE(open(file));
    EXPECT_EQ(workspaceWindow()->placement().mode, PlacementMode::TopLeft);
    EXPECT_EQ(workspaceWindow()->placement().offsetY, 0);
}

} // namespace
} // namespace lumetra::test
