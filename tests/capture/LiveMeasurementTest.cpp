#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CaptureCardControl.h"
#include "capture/live/FrameRateMeter.h"
#include "capture/live/LiveHistory.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LiveMeasurer.h"
#include "platform/settings/Calibration.h"
#include "platform/framefiles/FrameFile.h"
#include "capture/live/LiveOverlay.h"
#include "capture/live/LivePanel.h"
#include "support/FrameImage.h"
#include "support/SyntheticBeam.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;
using lumetra::test::CaptureWindowRig;
using lumetra::test::waitFor;

namespace {

// The numbers of the strip's first line: centroid x, y and the two D4σ diameters in pixels.
std::vector<double> stripNumbers(const QString &strip)
{
    static const QRegularExpression re(
        QStringLiteral("质心 x ([0-9.]+) px  y ([0-9.]+) px\nD4σ 长轴 ([0-9.]+) px  短轴 ([0-9.]+) px"));
    const QRegularExpressionMatch m = re.match(strip);
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
            m.captured(4).toDouble()};
}

TEST(LiveMeasurementWindow, StripFollowsTheSimulatedCameraAndTheHistoryFills)
{
    CaptureWindowRig rig;
    rig.useSimulated();
    QTemporaryDir settings;
    rig.context.calibrationFile = settings.filePath(QStringLiteral("lumetra.ini"));
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(waitFor([form] { return !form->card->currentFrame().isNull(); }));
    LiveMeasurement *live = form->liveMeasurement();
    QAction *sw = form->menuItem(QStringLiteral("mnuLiveMeasure"));
    ASSERT_TRUE(sw->isCheckable());
    EXPECT_FALSE(live->panel()->isVisible());

    sw->trigger();
    ASSERT_TRUE(live->isEnabled());
    EXPECT_TRUE(live->panel()->isVisible());
    EXPECT_EQ(form->clientArea()->size(), QSize(640 + LivePanel::PanelWidth, 480));
    EXPECT_EQ(live->panel()->geometry(), QRect(640, 0, LivePanel::PanelWidth, 480));

    // The strip shows each measured frame; a few seconds of history go into both plots, titled
    // with their standard deviations.
    ASSERT_TRUE(waitFor([live] { return live->history().points().size() >= 20; }, 10000));
    ASSERT_TRUE(waitFor([live] { return live->panel()->plottedPoints() >= 2 * 20; }, 2000));
    EXPECT_FALSE(stripNumbers(live->panel()->strip()->text()).empty()) << live->panel()->strip()->text().toStdString();
    EXPECT_TRUE(live->panel()->centroidTitle().contains(QStringLiteral("σx")));
    EXPECT_TRUE(live->panel()->diameterTitle().contains(QStringLiteral("σy")));
    // The simulated spot moves, so its centroid spreads; the frame rate keeps being counted.
    EXPECT_GT(live->history().spread(&LivePoint::cx).stddev, 0.5);
    EXPECT_GT(live->frameRate(), 5.0);
    ASSERT_TRUE(live->overlay()->beam());

    // Stopped, the last frame on show is the last one measured: the strip and the overlay give
    // what the core measures on that frame.
    form->menuItem(QStringLiteral("mnuStop"))->trigger();
    waitFor([] { return false; }, 300); // the last frame's result comes back
    const beam::BeamResult core = beam::measureBeam(frameFromImage(form->card->currentFrame()));
    ASSERT_EQ(core.status, beam::BeamStatus::Ok);
    const std::vector<double> shown = stripNumbers(live->panel()->strip()->text());
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_NEAR(shown[0], core.centroidX, 0.051);
    EXPECT_NEAR(shown[1], core.centroidY, 0.051);
    EXPECT_NEAR(shown[2], core.dMajor, 0.051);
    EXPECT_NEAR(shown[3], core.dMinor, 0.051);
    EXPECT_DOUBLE_EQ(live->overlay()->beam()->centroidX, core.centroidX);

    // Off: the panel and the ellipse go, the client area is the video again, nothing measured.
    sw->trigger();
    EXPECT_FALSE(live->panel()->isVisible());
    EXPECT_FALSE(live->overlay()->beam());
    EXPECT_EQ(form->clientArea()->size(), QSize(640, 480));
    EXPECT_TRUE(live->history().points().empty());

    // Calibrated in the window's own settings file, the strip also gives micrometres.
    ASSERT_TRUE(saveCalibration({5.5, 1.0}, rig.context.calibrationFile));
    form->menuItem(QStringLiteral("mnuRun"))->trigger();
    sw->trigger();
    EXPECT_TRUE(waitFor([live] { return live->panel()->strip()->text().contains(QStringLiteral(" µm")); }, 5000))
        << live->panel()->strip()->text().toStdString();

    // A new calibration saved by "标定" reaches the running strip at once, not at the next start.
    const auto micronsPerPixel = [live] {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("长轴 ([0-9.]+) px（([0-9.]+) µm）"))
                                              .match(live->panel()->strip()->text());
        return m.hasMatch() ? m.captured(2).toDouble() / m.captured(1).toDouble() : 0.0;
    };
    ASSERT_NEAR(micronsPerPixel(), 5.5, 0.1);
    ASSERT_TRUE(saveCalibration({11.0, 1.0}, rig.context.calibrationFile));
    form->calibrationChanged();
    EXPECT_TRUE(waitFor([&] { return std::abs(micronsPerPixel() - 11.0) < 0.1; }, 5000))
        << live->panel()->strip()->text().toStdString();
}

TEST(LiveMeasurer, DropsFramesItCannotKeepUpWithAndMeasuresTheNewest)
{
    // Forty frames handed over at once: most are replaced while one is measured, none queue,
    // and the last result is the last frame's (its spot sits furthest right).
    LiveMeasurer measurer;
    std::vector<LiveSample> results;
    QObject::connect(&measurer, &LiveMeasurer::measured, [&](const LiveSample &s) { results.push_back(s); });
    constexpr int Frames = 40;
    std::vector<QImage> frames;
    for (int i = 0; i < Frames; ++i) {
        test::Scene scene;
        scene.width = 320;
        scene.height = 240;
        scene.spots[0].cx = 60 + 5 * i;
        scene.spots[0].cy = 120;
        scene.spots[0].dMajor = scene.spots[0].dMinor = 40;
        frames.push_back(test::frameImage(test::makeFrame(scene).frame));
    }
    for (const QImage &f : frames)
        measurer.submit(f);
    ASSERT_TRUE(waitFor([&] { return measurer.measuredCount() + measurer.dropped() == Frames; }));
    ASSERT_TRUE(waitFor([&] { return qsizetype(results.size()) == measurer.measuredCount(); }));
    EXPECT_GT(measurer.dropped(), 0);
    EXPECT_LT(measurer.measuredCount(), Frames);
    ASSERT_FALSE(results.empty());
    EXPECT_NEAR(results.back().result.centroidX, 60 + 5 * (Frames - 1), 0.5);
    EXPECT_EQ(results.back().width, 320);
    for (size_t i = 1; i < results.size(); ++i)
        EXPECT_LT(results[i - 1].result.centroidX, results[i].result.centroidX); // never out of order
}

TEST(LiveHistory, KeepsTheLastMinuteAndItsSpread)
{
    LiveHistory history(60);
    for (int i = 0; i <= 100; ++i)
        history.add({double(i), 100.0 + (i % 2 ? 1 : -1), 50, 80, 70});
    ASSERT_EQ(history.points().size(), 61u); // t = 40 .. 100
    EXPECT_EQ(history.points().front().t, 40);
    const LiveHistory::Spread x = history.spread(&LivePoint::cx);
    EXPECT_NEAR(x.mean, 100 - 1.0 / 61, 1e-12);     // 30 above, 31 below
    EXPECT_NEAR(x.stddev, std::sqrt((61.0 - 1.0 / 61) / 60), 1e-9);
    EXPECT_EQ(history.spread(&LivePoint::cy).stddev, 0);

    FrameRateMeter rate(2.0);
    EXPECT_EQ(rate.rate(), 0);
    for (int i = 0; i < 100; ++i)
        rate.frameAt(i * 0.04);
    EXPECT_NEAR(rate.rate(), 25, 1e-9);
}

} // namespace
