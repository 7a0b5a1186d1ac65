#include "CurveFixture.h"

#include "curves/CurveWidthReadout.h"
#include "platform/settings/Calibration.h"
#include "support/FrameImage.h"
#include "support/SyntheticBeam.h"

#include <QCheckBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>

namespace lumetra::test {
namespace {

constexpr double Sigma = 26;       // the main spot, cut by the window's first row 192
constexpr double EdgeSigma = 40;   // a spot cut off by the right edge, on row 400
constexpr double Fwhm = 2.3548200450309493;

class CurveWidthsWindow : public CurveFixture
{
protected:
    // A 640 x 480 picture with a round Gaussian spot on row 192 and one at the right edge on row
    // 400, opened in the workspace, and the horizontal curve window opened from it.
    CurveWindow *openOnBeams()
    {
        Scene scene;
        scene.spots = {Spot{SpotShape::Gaussian, 330.4, 192, 4 * Sigma, 4 * Sigma, 0, 200},
                       Spot{SpotShape::Gaussian, 636, 400, 4 * EdgeSigma, 4 * EdgeSigma, 0, 200}};
        const QString file = QDir(dir.path()).filePath(QStringLiteral("beams.bmp"));
        EXPECT_TRUE(frameImage(makeFrame(scene).frame).convertToFormat(QImage::Format_RGB32).save(file, "BMP"));
        state->picture.ImagePath = file;
        workspace = WorkspaceWindow::showWorkspace(*context, *state, state->picture.ImagePath);
        if (!workspace)
            return nullptr;
        workspace->menuItem(QStringLiteral("horizontalCurve"))->trigger();
        return CurveWindow::openWindow(*context);
    }
    void moveCut(int row) { QTest::mouseClick(workspace->pictureView(), Qt::LeftButton, {}, QPoint(322, row + 2)); }

    // The raw curve's width after `name` ("FWHM" or "1/e²") in the line as shown; NaN for "—".
    static double shownRawWidth(CurveWindow *w, const QString &name)
    {
        const QRegularExpression re(QRegularExpression::escape(name) + QStringLiteral("\\s+原始 (—|[0-9.]+ px)"));
        const QRegularExpressionMatch m = re.match(w->widthReadout().label()->text());
        EXPECT_TRUE(m.hasMatch()) << w->widthReadout().label()->text().toStdString();
        return m.captured(1) == QStringLiteral("—") ? std::nan("") : m.captured(1).chopped(3).toDouble();
    }

    WorkspaceWindow *workspace = nullptr;
};

TEST_F(CurveWidthsWindow, ReadoutGivesTheGaussianWidthsAndFollowsTheCut)
{
    CurveWindow *w = openOnBeams();
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(shownRawWidth(w, "FWHM"), Fwhm * Sigma, 0.5);
    EXPECT_NEAR(shownRawWidth(w, "1/e²"), 4 * Sigma, 0.5);
    // The analysed curve is averaged across the cut and smoothed along it: a little wider.
    const std::optional<double> analysed = w->widthReadout().analysedWidths().halfMaximum.width();
    ASSERT_TRUE(analysed);
    EXPECT_NEAR(*analysed, Fwhm * Sigma, 3.0);

    // On row 400 the spot runs off the right edge: no crossing there, so no width.
    moveCut(400);
    EXPECT_EQ(w->cutLabel(), "对应像素点：400");
    EXPECT_TRUE(std::isnan(shownRawWidth(w, "FWHM")));
    EXPECT_TRUE(std::isnan(shownRawWidth(w, "1/e²")));
    const CurveWidth edge = w->widthReadout().rawWidths().halfMaximum;
    EXPECT_TRUE(edge.left && !edge.right);
    EXPECT_NEAR(*edge.left + 1, 636 - Fwhm * EdgeSigma / 2, 0.5); // sample k is picture column k + 1

    moveCut(192);
    EXPECT_NEAR(shownRawWidth(w, "FWHM"), Fwhm * Sigma, 0.5);
}

TEST_F(CurveWidthsWindow, MicrometresBesidePixelsWhenCalibrated)
{
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(saveCalibration({5.5, 2.0}));
    CurveWindow *w = openOnBeams();
    ASSERT_NE(w, nullptr);
    const double px = *w->widthReadout().rawWidths().e2.width();
    EXPECT_TRUE(w->widthReadout().label()->text().contains(formatLength(px * 2.75)));
    EXPECT_EQ(CurveWidthReadout::widthText(std::nullopt, Calibration{5.5, 2.0}), "—");
    EXPECT_EQ(CurveWidthReadout::widthText(4000.0, Calibration{5.5, 1.0}), "4000.0 px（22.00 mm）");
    EXPECT_EQ(CurveWidthReadout::widthText(47.04, Calibration{}), "47.0 px");
    ASSERT_TRUE(saveCalibration({0.0, 1.0}));
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(CurveWidthsWindow, ReadoutsFitClearOfThePlotAndItsRulersEvenInMicrometres)
{
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(saveCalibration({5.5, 2.0}));
    for (const char *command : {"horizontalCurve", "verticalCurve"}) {
        if (!workspace)
            ASSERT_NE(openOnBeams(), nullptr);
        else
            workspace->menuItem(QString::fromLatin1(command))->trigger();
        CurveWindow *w = CurveWindow::openWindow(*context);
        ASSERT_NE(w, nullptr);
        ASSERT_EQ(w->isVertical(), std::string(command) == "verticalCurve");
        for (const bool enlarged : {false, true}) {
            if (enlarged)
                QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
            const QLabel *label = w->widthReadout().label();
            EXPECT_TRUE(label->text().contains(QStringLiteral("µm"))) << command;
            // Every line whole inside the label, the label inside the window...
            const QRect needed = label->fontMetrics().boundingRect(label->rect(), int(label->alignment()), label->text());
            EXPECT_TRUE(label->rect().contains(needed)) << command << enlarged << " needs " << needed.width() << "x"
                                                        << needed.height();
            EXPECT_TRUE(w->rect().contains(label->geometry())) << command << enlarged;
            // ...and clear of the plot box and the ruler numbers under it.
            const CurveSizeLayout &layout = w->curveGeometry().layout(enlarged);
            const QRect plotAndRulers(layout.plotPosition - QPoint(40, 0), layout.plotSize + QSize(44, 4 + 18));
            EXPECT_FALSE(label->geometry().intersects(plotAndRulers)) << command << enlarged;
        }
        QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
        w->closeWindow();
    }
    ASSERT_TRUE(saveCalibration({0.0, 1.0}));
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(CurveWidthsWindow, TheHalfMaximumBracketShowsOverTheFiftyPercentLine)
{
    CurveWindow *w = openOnBeams();
    ASSERT_NE(w, nullptr);
    // In line mode the curve fills its own range: its half maximum is the plot's 50 % line.
    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    w->widthReadout().markerSwitch()->setChecked(true);
    EXPECT_GT(countColour(w->plot(), colours::PlotBackground ^ rgb(255, 0, 255)), 40);
}

TEST_F(CurveWidthsWindow, MarkersComeOffExactlyInEveryModeAndSize)
{
    CurveWindow *w = openOnBeams();
    ASSERT_NE(w, nullptr);
    QCheckBox *markers = w->widthReadout().markerSwitch();
    EXPECT_EQ(markers->text(), "宽度标记");
    const auto shown = [w] { return w->plot().image().copy(); };
    // Both brackets show in their exclusive-or colours over the plot background.
    const QImage plain = shown();
    markers->setChecked(true);
    EXPECT_GT(countColour(w->plot(), colours::PlotBackground ^ rgb(255, 0, 255)), 20);
    EXPECT_GT(countColour(w->plot(), colours::PlotBackground ^ rgb(255, 128, 0)), 20);
    markers->setChecked(false);
    EXPECT_EQ(shown(), plain);

    // With the markers on through a cut move, a mode change and an enlargement and back, the plot
    // ends exactly as the same steps leave it without them.
    const auto steps = [&](bool withMarkers) {
        markers->setChecked(withMarkers);
        moveCut(180);
        QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
        QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
        QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
        QTest::mouseClick(w->faceModeButton(), Qt::LeftButton);
        moveCut(192);
        markers->setChecked(false);
        return shown();
    };
    const QImage without = steps(false);
    EXPECT_EQ(steps(true), without);
}

} // namespace
} // namespace lumetra::test
