// The beam window's "实时": the capture window's frames measured with every width, checked
// against lumetra-cli beam --widths all on the same frame; copy, export and the live log carry
// every figure with its unit.
#include "BeamViewFixture.h"

#include "beamview/BeamPictureView.h"
#include "beamview/BeamWidthsPanel.h"
#include "capture/CaptureWindow.h"
#include "capture/CaptureWindowOpener.h"
#include "devices/CaptureService.h"
#include "platform/display/FalseColourMenu.h"
#include "support/CliRunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <nlohmann/json.hpp>

using namespace lumetra;

namespace {

class BeamWindowLiveTest : public test::BeamViewFixture
{
};

// The value under `name` in a tab-separated header line and value line.
double column(const QStringList &lines, const QString &name)
{
    const QStringList header = lines[0].split(u'\t'), values = lines[1].split(u'\t');
    const qsizetype i = header.indexOf(name);
    EXPECT_GE(i, 0) << name.toStdString();
    return i >= 0 ? values[i].toDouble() : -1;
}

} // namespace

TEST_F(BeamWindowLiveTest, LiveWidthsAreThoseOfTheCommandLineOnTheSameFrameAndCopyLogAndExportCarryThem)
{
    const auto simulated = CaptureService::simulated();
    services.capture = simulated.get();
    CaptureWindow *capture = openCaptureWindow(*context);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !capture->currentFrame().isNull(); }, 5000));
    context->openBeamWindow();
    BeamWindow *window = BeamWindow::instance(*context);
    ASSERT_NE(window, nullptr);

    window->liveSwitch()->click();
    ASSERT_TRUE(window->isLive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->liveFrames() >= 3; }, 10000)) << "measured at the live rate";
    EXPECT_EQ(window->source().kind, BeamSource::Kind::CaptureFrame);
    EXPECT_TRUE(window->sourceLabel()->text().startsWith(QStringLiteral("实时 第")));

    if (qEnvironmentVariableIsSet("LUMETRA_SCREENSHOT_DIR")) {
        window->falseColourMenu()->entry(QStringLiteral("palette-viridis"))->trigger();
        if (!window->falseColourMenu()->choice().contours)
            window->falseColourMenu()->entry(QStringLiteral("contours"))->trigger();
        QWidget *frame = window->parentWidget() ? window->parentWidget() : window;
        frame->resize(frame->width(), 1040);
        QTest::qWait(1500);
        frame->grab().save(QDir(qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR")).filePath(QStringLiteral("beam-live.png")));
    }

    // 记录: every live frame a row, in the chosen columns, with units in the header.
    const QString logFile = path(QStringLiteral("live.csv"));
    dialogs.fileAnswers.push_back(logFile);
    QStringList columns = window->allColumns();
    columns.removeAll(QStringLiteral("峰值"));
    window->setLogColumns(columns);
    ASSERT_TRUE(window->setRecording(true));
    const long long before = window->liveFrames();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->liveFrames() >= before + 3; }, 10000));
    const QString logged = window->recordingPath();
    window->setRecording(false);
    QFile log(logged);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << logged.toStdString();
    const QStringList rows = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GE(rows.size(), 4);
    for (const char *name : {"D4σ长轴(px)", "D86(px)", "D86(µm)", "刀口x(px)", "1/e²长轴(px)", "FWHM短轴(px)",
                             "高斯2w长轴(px)", "高斯R²", "有效辐照面积(px²)", "边缘陡度s"})
        EXPECT_TRUE(rows[0].contains(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(rows[0].contains(QStringLiteral("峰值")));
    EXPECT_EQ(rows[1].count(u','), rows[0].count(u','));

    // The frame on show when the video stops is the last one measured (the newest always wins).
    capture->menuItem(QStringLiteral("mnuStop"))->trigger();
    QTest::qWait(800);
    const long long settled = window->liveFrames();
    QTest::qWait(300);
    ASSERT_EQ(window->liveFrames(), settled);
    const QString frameFile = path(QStringLiteral("live-frame.png"));
    ASSERT_TRUE(capture->currentFrame().save(frameFile, "PNG"));
    const test::CliResult cli = test::runCli({QStringLiteral("beam"), frameFile, QStringLiteral("--widths"), QStringLiteral("all")});
    ASSERT_EQ(cli.exitCode, 0) << cli.err.toStdString();
    nlohmann::json row = nlohmann::json::parse(cli.out.toStdString());
    if (row.is_array())
        row = row[0];
    ASSERT_EQ(row["status"], "ok");
    ASSERT_TRUE(window->widths().has_value());
    const beam::BeamWidths &w = *window->widths();
    const auto near = [&row](const char *field, std::optional<double> value) {
        ASSERT_TRUE(value.has_value()) << field;
        EXPECT_NEAR(*value, row[field].get<double>(), 1e-3 * std::max(1.0, std::abs(*value))) << field;
    };
    near("d_major", window->result()->dMajor);
    near("d86", w.d86);
    near("knife_x", w.knifeX);
    near("knife_y", w.knifeY);
    near("clip_major", w.clipMajor);
    near("clip_minor", w.clipMinor);
    near("gauss_major", w.gauss->major);
    EXPECT_EQ(window->widthsPanel()->pixelText(QStringLiteral("d86")),
              beamNumber(*w.d86, 2) + QStringLiteral(" px"));

    // 复制: every figure on show, units in the header.
    window->copyValues();
    const QStringList copied = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), 2);
    EXPECT_NEAR(column(copied, QStringLiteral("D86(px)")), *w.d86, 1e-3);
    EXPECT_NEAR(column(copied, QStringLiteral("刀口y(px)")), *w.knifeY, 1e-3);
    EXPECT_NEAR(column(copied, QStringLiteral("高斯2w短轴(px)")), w.gauss->minor, 1e-3);
    EXPECT_NEAR(column(copied, QStringLiteral("D4σx(px)")), window->result()->dX, 1e-3);
    // 导出…: the chosen columns, the widths among them.
    const QString csv = path(QStringLiteral("rows.csv"));
    dialogs.fileAnswers.push_back(csv);
    window->exportRow();
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(exported.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("1/e²短轴(px)")));
    EXPECT_FALSE(text.contains(QStringLiteral("峰值")));

    // The picture around the beam, in the chosen false colour with its 50 % contour.
    if (!window->falseColourMenu()->choice().contours)
        window->falseColourMenu()->entry(QStringLiteral("contours"))->trigger();
    EXPECT_FALSE(window->pictureView()->coloured().halfContour.empty());

    window->liveSwitch()->click();
    EXPECT_FALSE(window->isLive());

    // Live again, then the capture window goes: the switch goes off and the status says why.
    window->liveSwitch()->click();
    ASSERT_TRUE(window->isLive());
    capture->mnuFileExit_Click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isLive(); }, 3000)) << "still live without a capture window";
    EXPECT_FALSE(window->liveSwitch()->isChecked());
    ASSERT_FALSE(mainWindow.statuses.isEmpty());
    EXPECT_EQ(mainWindow.statuses.last(), QStringLiteral("采集窗口已关闭：实时测量已停止"));
}
