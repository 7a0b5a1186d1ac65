// The long-term recording window: recording live samples at a pace, its figures and plots,
// a disc that fills up, and the way in from the capture window's live panel.
#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CaptureCardControl.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LivePanel.h"
#include "capture/monitoring/CentroidScatterChart.h"
#include "capture/monitoring/MonitorSession.h"
#include "capture/monitoring/MonitorTrendChart.h"
#include "capture/monitoring/MonitorWindow.h"
#include "capture/monitoring/RecordingIndicator.h"
#include "support/FillingSink.h"
#include "support/PointingOracle.h"
#include "platform/framefiles/FrameFile.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;
using lumetra::test::waitFor;

namespace {

LiveSample sampleAt(long long frame)
{
    LiveSample s;
    s.frame = frame;
    s.seconds = 10.0 + frame / 25.0; // the live clock does not start with the recording
    s.result.status = beam::BeamStatus::Ok;
    const double t = (frame - 1) / 25.0;
    s.result.centroidX = 200.0 + 3.0 * t / 60.0 + 0.5 * std::sin(frame * 0.7);
    s.result.centroidY = 150.0 + 0.3 * std::cos(frame * 1.3) + 0.2 * std::sin(frame * 0.7);
    s.result.dX = 40.0 + 0.1 * std::sin(frame * 0.3);
    s.result.dY = 38.0;
    return s;
}

// The capture window on the simulated camera, its first frame shown and live measurement on;
// null when no frame came.
CaptureWindow *openLiveOnSimulated(test::CaptureWindowRig &rig, const QTemporaryDir &dir)
{
    rig.service = std::make_unique<CaptureService>([] { return std::make_unique<SimulatedCaptureDevice>(); }, true);
    rig.services.capture = rig.service.get();
    rig.context.calibrationFile = dir.filePath(QStringLiteral("lumetra.ini"));
    CaptureWindow *form = rig.open();
    if (!form || !waitFor([form] { return !form->card->currentFrame().isNull(); }))
        return nullptr;
    form->menuItem(QStringLiteral("mnuLiveMeasure"))->trigger();
    return form;
}

QList<QByteArray> logLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    lines.removeLast();
    return lines;
}

TEST(MonitorWindow, RecordsEveryNthFrameAndShowsItsStatisticsAndPlots)
{
    QTemporaryDir dir;
    MonitorWindow w;
    w.show();
    w.findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("gui.csv")));
    w.findChild<QComboBox *>(QStringLiteral("monitorPace"))->setCurrentIndex(1);
    w.findChild<QSpinBox *>(QStringLiteral("monitorEveryFrames"))->setValue(2);
    auto *record = w.findChild<QPushButton *>(QStringLiteral("monitorRecord"));
    record->click();
    ASSERT_TRUE(w.isRecording()) << qPrintable(w.statusText());

    std::vector<test::TrackPoint> kept;
    for (long long f = 1; f <= 600; ++f) {
        const LiveSample s = sampleAt(f);
        w.offer(s, 0);
        if (f % 2 == 1)
            kept.push_back({(f - 1) / 25.0, s.result.centroidX, s.result.centroidY, s.result.dX, s.result.dY});
    }
    w.refresh();
    const test::PointingOracle o = test::pointingOracle(kept);
    EXPECT_TRUE(w.totalText().contains(QStringLiteral("300 帧"))) << qPrintable(w.totalText());
    EXPECT_TRUE(w.totalText().contains(QStringLiteral("漂移 x %1 px/min").arg(o.driftX, 0, 'f', 3)))
        << qPrintable(w.totalText()) << " " << o.driftX;
    EXPECT_TRUE(w.totalText().contains(QStringLiteral("Δu %1 px").arg(o.stabilityU, 0, 'f', 2)));
    EXPECT_TRUE(w.totalText().contains(QStringLiteral("需先标定"))); // no angles without a pixel size
    EXPECT_GT(w.centroidChart()->pointCount(), 100);
    // The ellipse's semi-major axis is the 2σ figure along the azimuth.
    double reach = 0;
    for (const QPointF &p : w.scatterChart()->ellipse())
        reach = std::max(reach, std::hypot(p.x() - o.meanX, p.y() - o.meanY));
    EXPECT_NEAR(reach, o.stabilityU, 1e-6);
    EXPECT_EQ(w.scatterChart()->pointCount(), 300);

    // Each window of the plots can be chosen; the minute holds the last minute only.
    auto *span = w.findChild<QComboBox *>(QStringLiteral("monitorWindowSpan"));
    span->setCurrentIndex(3);
    EXPECT_TRUE(w.windowText().contains(QStringLiteral("8 小时")));

    record->click();
    EXPECT_FALSE(w.isRecording());
    EXPECT_TRUE(w.statusText().contains(QStringLiteral("300 行"))) << qPrintable(w.statusText());
    EXPECT_TRUE(w.totalText().contains(QStringLiteral("300 帧"))); // the figures stay after the end
    const QList<QByteArray> lines = logLines(w.session().path());
    ASSERT_EQ(lines.size(), 301);
    EXPECT_TRUE(lines[1].split(',')[1] == "1" && lines[2].split(',')[1] == "3" && lines[300].split(',')[1] == "599");
}

TEST(MonitorWindow, AFullDiscEndsTheRecordingWithAMessageAndKeepsWholeRows)
{
    QTemporaryDir dir;
    MonitorWindow w;
    QByteArray disc;
    w.session().setSinkOpener([&disc](const QString &, QString *) {
        return std::make_unique<test::FillingSink>(&disc, 4000);
    });
    w.findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("full.csv")));
    w.setRecording(true);
    ASSERT_TRUE(w.isRecording());
    long long f = 0;
    // Ten rows synced first; then more than the disc holds.
    for (; f < 10;)
        w.offer(sampleAt(++f), 0);
    ASSERT_TRUE(waitFor([&] { return w.session().linesSynced() == 10; }, 5000));
    ASSERT_TRUE(waitFor(
        [&] {
            for (int i = 0; i < 10; ++i)
                w.offer(sampleAt(++f), 0);
            return !w.isRecording();
        },
        10000));
    EXPECT_TRUE(w.statusText().contains(QStringLiteral("记录已停止：磁盘已满"))) << qPrintable(w.statusText());
    EXPECT_FALSE(w.findChild<QPushButton *>(QStringLiteral("monitorRecord"))->isChecked());
    EXPECT_TRUE(disc.endsWith('\n'));
    const long long rows = disc.count('\n') - 1;
    EXPECT_TRUE(disc.startsWith("time,frame,"));
    EXPECT_GE(rows, 10);
    EXPECT_EQ(rows, w.session().linesSynced()); // every whole row that fitted, and it says so
    EXPECT_TRUE(w.statusText().contains(QStringLiteral("已写入的 %1 行").arg(rows))) << qPrintable(w.statusText());
}

TEST(MonitorWindow, OpensFromTheLivePanelAndMovesTheSimulatedSpot)
{
    test::CaptureWindowRig rig;
    QTemporaryDir dir;
    CaptureWindow *form = openLiveOnSimulated(rig, dir);
    ASSERT_TRUE(form);
    LiveMeasurement *live = form->liveMeasurement();
    live->panel()->recordButton()->click();
    MonitorWindow *w = live->monitorWindow();
    ASSERT_TRUE(w->isVisible());
    ASSERT_TRUE(w->findChild<QGroupBox *>()->isVisible()); // the simulated camera's controls

    w->findChild<QDoubleSpinBox *>(QStringLiteral("simulatedDriftX"))->setValue(120);
    w->findChild<QDoubleSpinBox *>(QStringLiteral("simulatedJitter"))->setValue(1.5);
    double dx = 0, dy = 0, jitter = 0;
    dynamic_cast<SimulatedCaptureDevice &>(form->card->device()).motion(&dx, &dy, &jitter);
    EXPECT_EQ(dx, 120);
    EXPECT_EQ(jitter, 1.5);

    w->findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("live.csv")));
    w->setRecording(true);
    ASSERT_TRUE(waitFor([w] { return w->session().recorder().recorded() >= 15; }, 15000));
    w->setRecording(false);
    const QList<QByteArray> lines = logLines(w->session().path());
    EXPECT_GE(lines.size(), 16);
    EXPECT_EQ(lines.size() - 1, w->session().recorder().recorded());

    // Closing the capture window takes the recording window with it.
    const QPointer<MonitorWindow> recording = w;
    form->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(recording.isNull());
}

TEST(MonitorWindow, RecoversTheDriftOfAnEightHourSimulatedRun)
{
    // Eight hours of the simulated camera's resting spot, one frame every 10 s of its clock,
    // rendered and measured as fast as they come: drift 0.04 px/min along x and -0.02 along y,
    // jitter 0.4 px.
    SimulatedCaptureDevice camera;
    camera.connectDevice();
    camera.setFormat(320, 240, SubtypeRgb24);
    camera.stop();
    camera.setInput(3);
    camera.setMotion(0.04, -0.02, 0.4);
    QTemporaryDir dir;
    MonitorWindow w;
    w.resize(1100, 760);
    w.show();
    w.setCalibration(5.5);
    w.findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("8h.csv")));
    w.findChild<QDoubleSpinBox *>(QStringLiteral("monitorDistance"))->setValue(750);
    w.setRecording(true);
    for (long long i = 0; i < 8 * 360; ++i) {
        LiveSample s;
        s.frame = 250 * i + 1;
        s.seconds = 10.0 * double(i);
        s.result = beam::measureBeam(frameFromImage(camera.frameAt(s.seconds)));
        w.offer(s, 0);
    }
    w.findChild<QComboBox *>(QStringLiteral("monitorWindowSpan"))->setCurrentIndex(3);
    w.refresh();
    const auto total = monitoring::PointingStatistics::of(w.session().recorder().total());
    EXPECT_EQ(total.count, 2880);
    EXPECT_NEAR(total.driftX, 0.04, 0.002);
    EXPECT_NEAR(total.driftY, -0.02, 0.001);
    EXPECT_NEAR(total.residualSdX, 0.4, 0.02);
    // The 8-hour plot holds the whole run in its buckets, and the figures are in µm.
    EXPECT_EQ(w.session().recorder().history().windowMoments(3).count(), 2880);
    EXPECT_TRUE(w.windowText().contains(QStringLiteral("µrad"))) << qPrintable(w.windowText());
    const QString shots = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        waitFor([] { return false; }, 200); // the layout and the charts' scenes settle
        w.grab().save(QDir(shots).filePath(QStringLiteral("monitoring.png")));
    }
    w.setRecording(false);
    EXPECT_EQ(logLines(w.session().path()).size(), 2881);
}

} // namespace

TEST(MonitorWindow, ARecordingShowsInTheCaptureWindowOutlivesItsOwnWindowAndEndsWithTheCaptureWindow)
{
    test::CaptureWindowRig rig;
    QTemporaryDir dir;
    CaptureWindow *form = openLiveOnSimulated(rig, dir);
    ASSERT_TRUE(form);
    form->liveMeasurement()->panel()->recordButton()->click();
    const QPointer<MonitorWindow> w = form->liveMeasurement()->existingMonitorWindow();
    ASSERT_TRUE(w);
    // A child window of the main window, like the others.
    ASSERT_TRUE(qobject_cast<QMdiSubWindow *>(w->parentWidget()));
    EXPECT_TRUE(rig.mdi.subWindowList().contains(w->parentWidget()));

    RecordingIndicator *indicator = form->recordingIndicator();
    w->findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("live.csv")));
    w->setRecording(true);
    ASSERT_TRUE(waitFor([indicator] { return indicator->isVisible(); }, 5000));
    EXPECT_TRUE(indicator->label()->text().startsWith(QStringLiteral("● 记录中 ")));
    EXPECT_TRUE(indicator->label()->text().endsWith(QDir::toNativeSeparators(w->session().path())))
        << indicator->label()->text().toStdString();
    indicator->stopButton()->click();
    EXPECT_FALSE(w->isRecording());
    EXPECT_FALSE(indicator->isVisible());

    // Its own window closed, the recording goes on and stays in sight.
    w->findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("second.csv")));
    w->setRecording(true);
    ASSERT_TRUE(w->isRecording());
    const QString log = w->session().path();
    w->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(w);
    const long long before = w->session().recorder().recorded();
    ASSERT_TRUE(waitFor([&w, before] { return w->session().recorder().recorded() > before + 3; }, 15000));
    EXPECT_TRUE(waitFor([indicator] { return indicator->isVisible(); }, 5000));
    if (const QString shots = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR"); !shots.isEmpty()) {
        waitFor([] { return false; }, 1200); // the time shown moves on
        form->parentWidget()->grab().save(QDir(shots).filePath(QStringLiteral("capture-recording.png")));
    }

    // Closing the capture window ends it and says where the log is.
    form->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(rig.dialogs.messages.isEmpty());
    EXPECT_TRUE(rig.dialogs.messages.last().text.contains(QDir::toNativeSeparators(log)))
        << rig.dialogs.messages.last().text.toStdString();
    EXPECT_TRUE(w.isNull());
    const qsizetype rows = logLines(log).size();
    EXPECT_GT(rows, 3);
    QTest::qWait(300);
    EXPECT_EQ(logLines(log).size(), rows) << "the log still grows";
}
