// The beam window's "宽度" section, its profile charts and the marks of the D86 circle and the
// fitted Gaussian on the picture.
#include "BeamViewFixture.h"

#include "beamview/BeamReadout.h"
#include "beamview/BeamWidthsPanel.h"
#include "beamview/ProfileChart.h"
#include "platform/settings/Calibration.h"

#include <QCheckBox>
#include <QDir>
#include <QPainter>
#include <QFontMetricsF>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace lumetra::test {
namespace {

using BeamWidthsWindowTest = BeamViewFixture;

beam::BeamWidths coreWidths(const QString &file)
{
    const FrameReadResult read = readFrameFile(file);
    EXPECT_TRUE(read.ok());
    return beam::measureBeamWithWidths(read.frame).widths.value_or(beam::BeamWidths{});
}

double highest(const QLineSeries *series)
{
    double top = -1e300;
    for (const QPointF &p : series->points())
        top = std::max(top, p.y());
    return top;
}

TEST_F(BeamWidthsWindowTest, ShowsEveryFigureAndBothProfilesWithTheFit)
{
    ASSERT_TRUE(saveCalibration({5.5, 1.0}, context->calibrationFile));
    openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->widths().has_value());
    const beam::BeamWidths core = coreWidths(frameFile);
    ASSERT_TRUE(core.d86 && core.gauss && core.clipMajor);

    const BeamWidthsPanel *panel = window->widthsPanel();
    EXPECT_EQ(panel->title(), QStringLiteral("宽度"));
    EXPECT_EQ(panel->pixelText("d86"), beamNumber(*core.d86, 2) + " px");
    EXPECT_EQ(panel->micronText("d86"), formatLength(*core.d86 * 5.5));
    EXPECT_EQ(panel->pixelText("clipMajor"), beamNumber(*core.clipMajor, 2) + " px");
    EXPECT_EQ(panel->micronText("gaussMinor"), formatLength(core.gauss->minor * 5.5));
    EXPECT_EQ(panel->pixelText("gaussR2"), beamNumber(core.gauss->r2, 5));
    EXPECT_EQ(panel->pixelText("isoFlatness"), beamNumber(*core.iso.flatness, 4));
    EXPECT_EQ(panel->pixelText("isoPlateau"), QStringLiteral("—")); // a Gaussian has no plateau
    EXPECT_NEAR(core.gauss->major, 120, 2);

    // Both charts: the measured profile in µm and the fit over it, peaking together.
    for (ProfileChart *chart : {window->majorProfile(), window->minorProfile()}) {
        SCOPED_TRACE(chart->title().toStdString());
        const QLineSeries *measured = chart->measured();
        const QLineSeries *fitted = chart->fitted();
        ASSERT_GT(measured->count(), 100);
        EXPECT_EQ(fitted->count(), measured->count());
        EXPECT_NEAR(highest(fitted), highest(measured), 0.04 * highest(measured));
        // The chart leaves out labels that would touch: the intensity ticks stand a line and a
        // half apart, so every one is shown.
        const QValueAxis *axis = chart->valueAxis();
        const double intervals = std::round((axis->max() - axis->min()) / axis->tickInterval());
        EXPECT_GE(chart->plotArea().height() / intervals, 1.5 * QFontMetricsF(axis->labelsFont()).height())
            << intervals << " intervals over " << chart->plotArea().height() << " px";
        EXPECT_GE(axis->max(), highest(measured));
    }
    // Each spans the integration rectangle: one D4σ diameter either side of the centroid.
    EXPECT_NEAR(window->majorProfile()->measured()->at(0).x(), -window->result()->dMajor * 5.5, 5.5);
    EXPECT_NEAR(window->minorProfile()->measured()->at(0).x(), -window->result()->dMinor * 5.5, 5.5);
}

// The D86 circle and the Gaussian ellipse come and go with their switches, on the overlay only.
TEST_F(BeamWidthsWindowTest, D86CircleAndGaussianEllipseAreSwitchedOnThePicture)
{
    WorkspaceWindow *ws = openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->widths() && window->widths()->d86 && window->widths()->gauss);
    const QImage clean = ws->picture().drawing();
    // The fitted ellipse of a Gaussian lies on the D4σ one, whose marks win where they meet.
    window->shapeSwitch(QStringLiteral("ellipse"))->setChecked(false);
    const QImage withoutExtras = ws->picture().image();
    QCheckBox *d86 = window->shapeSwitch(QStringLiteral("d86"));
    QCheckBox *gaussian = window->shapeSwitch(QStringLiteral("gaussian"));
    ASSERT_TRUE(d86 && gaussian);
    EXPECT_FALSE(d86->isChecked());
    EXPECT_FALSE(gaussian->isChecked());

    const beam::BeamResult &r = *window->result();
    // The top of the D86 circle (the frame is shown unscaled at the same place); the Gaussian
    // ellipse at the end of its minor axis.
    const QPoint onCircle(int(std::lround(r.centroidX)), int(std::lround(r.centroidY - *window->widths()->d86 / 2)));
    const beam::GaussianFit &g = *window->widths()->gauss;
    const double a = g.phiDeg * 3.14159265358979 / 180;
    const QPoint onEllipse(int(std::lround(g.x + std::sin(a) * g.minor / 2)),
                           int(std::lround(g.y + std::cos(a) * g.minor / 2)));

    d86->setChecked(true);
    EXPECT_NE(ws->picture().image().pixel(onCircle), withoutExtras.pixel(onCircle));
    EXPECT_EQ(ws->picture().image().pixel(onEllipse), withoutExtras.pixel(onEllipse));
    gaussian->setChecked(true);
    EXPECT_NE(ws->picture().image().pixel(onEllipse), withoutExtras.pixel(onEllipse));
    EXPECT_EQ(ws->picture().drawing(), clean);
    if (qEnvironmentVariableIsSet("LUMETRA_SCREENSHOT_DIR")) {
        QApplication::processEvents();
        // The workspace and the beam window side by side, as they open.
        const QImage picture = ws->grab().toImage(), panel = window->grab().toImage();
        QImage both(picture.width() + 8 + panel.width(), std::max(picture.height(), panel.height()),
                    QImage::Format_RGB32);
        both.fill(QColor(200, 200, 200));
        QPainter painter(&both);
        painter.drawImage(0, 0, picture);
        painter.drawImage(picture.width() + 8, 0, panel);
        painter.end();
        both.save(QDir(qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR")).filePath(QStringLiteral("beam-widths.png")));
    }
    d86->setChecked(false);
    gaussian->setChecked(false);
    EXPECT_EQ(ws->picture().image(), withoutExtras);
}

} // namespace
} // namespace lumetra::test
