// "报告…" of the beam window: one A4 page through the printer interface, read back with the
// poppler tools.
#include "BeamViewFixture.h"

#include "beamview/BeamReadout.h"
#include "beamview/BeamWidthsPanel.h"
#include "capture/CaptureWindowOpener.h"
#include "capture/CaptureWindow.h"
#include "devices/CaptureService.h"
#include "platform/settings/Calibration.h"
#include "platform/printing/ReportSheet.h"
#include "platform/printing/ScriptedPrinter.h"
#include "reports/PdfInspection.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace lumetra::test {
namespace {

class BeamReportTest : public BeamViewFixture
{
protected:
    void SetUp() override
    {
        BeamViewFixture::SetUp();
        usePdfPrinter();
    }

    static QPushButton *button(QWidget *window, const QString &text)
    {
        for (QPushButton *b : window->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
};

QString tool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The page's text with the blanks taken out (pdftotext spaces Chinese text as it likes); the
// characters are those drawn (the CJK faces' glyphs shared with radicals read as the ideographs).
QString pageText(const QString &pdf)
{
    QString text = tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// A text as pageText gives it.
QString compact(QString s)
{
    return s.remove(QRegularExpression(QStringLiteral("\\s")));
}

TEST_F(BeamReportTest, OneA4PageWithPictureProfilesEveryFigureAndTheSettings)
{
    ASSERT_TRUE(saveCalibration({5.5, 1.0}, context->calibrationFile));
    openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    ASSERT_NE(window, nullptr);
    window->shapeSwitch(QStringLiteral("d86"))->setChecked(true);
    window->shapeSwitch(QStringLiteral("gaussian"))->setChecked(true);
    QPushButton *report = button(window, QStringLiteral("报告…"));
    ASSERT_NE(report, nullptr);
    report->click();

    const QStringList files = QDir(path(QStringLiteral("reports"))).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("光束测量报告 beam.png")));
    ASSERT_FALSE(mainWindow.statuses.isEmpty());
    EXPECT_TRUE(mainWindow.statuses.back().startsWith(QStringLiteral("报告已保存为 PDF：")));
    const QString pdf = path(QStringLiteral("reports/") + files[0]);

    EXPECT_EQ(testing::pdfPageCount(pdf), 1);
    const QString info = tool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << qPrintable(info);
    // Every font is embedded (pdffonts: the "emb" column, after the name, type and encoding).
    const QStringList fonts = tool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString &font : fonts)
        EXPECT_TRUE(font.contains(QRegularExpression(QStringLiteral("\\syes\\s+(yes|no)\\s+(yes|no)\\s"))))
            << qPrintable(font);

    const QString text = pageText(pdf);
    for (const QString &expected :
         {QStringLiteral("光束测量报告"), QStringLiteral("beam.png"), compact(ReportSheet::program()),
          QStringLiteral("像素尺寸5.500µm"), QStringLiteral("未使用暗场"), QStringLiteral("条纹校正：无"),
          QStringLiteral("640×480，8位"), QStringLiteral("绿：D86圆"), QStringLiteral("橙：高斯1/e²椭圆"),
          QStringLiteral("相机：—（文件）")})
        EXPECT_TRUE(text.contains(compact(expected))) << qPrintable(expected);
    // The figures as the window shows them, each once with its µm.
    const beam::BeamResult &r = *window->result();
    EXPECT_TRUE(text.contains(compact(beamNumber(r.dMajor, 2) + QStringLiteral(" px") + formatLength(r.dMajor * 5.5))));
    EXPECT_TRUE(text.contains(compact(beamNumber(r.phiDeg, 2) + QStringLiteral(" °"))));
    const BeamWidthsPanel *panel = window->widthsPanel();
    for (const char *key : {"d86", "knifeX", "knifeMinor", "clipMajor", "fwhmMinor", "gaussMajor", "isoArea"})
        EXPECT_TRUE(text.contains(compact(panel->pixelText(key) + panel->micronText(key)))) << key;
    for (const char *key : {"gaussR2", "isoFlatness", "isoUniformity", "isoSteepness"})
        EXPECT_TRUE(text.contains(compact(panel->pixelText(key)))) << key;
    EXPECT_TRUE(text.contains(compact(QStringLiteral("平台均匀度Up—"))));

    // Ink where the picture and the charts are: below the heading block, above the tables.
    const QImage page = testing::renderPdf(pdf, 60);
    if (qEnvironmentVariableIsSet("LUMETRA_SCREENSHOT_DIR")) {
        const QDir out(qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR"));
        testing::renderPdf(pdf, 110).save(out.filePath(QStringLiteral("beam-report.png")));
        QFile::copy(pdf, out.filePath(QStringLiteral("beam-report.pdf")));
    }
    const QList<testing::PdfWord> heading = testing::wordsContaining(testing::pdfWords(pdf), QStringLiteral("测量结果"));
    ASSERT_FALSE(heading.isEmpty());
    const int tablesTop = int(heading[0].box.top() * 60 / 72);
    const QRect pictures(0, tablesTop - int(90 * 60 / 25.4), page.width(), int(80 * 60 / 25.4));
    EXPECT_GT(testing::inkCount(page, pictures), 3000);
}

// A frame of the capture window: the report names the camera and its settings.
TEST_F(BeamReportTest, ALiveFrameNamesTheCameraAndItsSettings)
{
    const auto simulated = CaptureService::simulated();
    services.capture = simulated.get();
    CaptureWindow *capture = openCaptureWindow(*context);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !capture->currentFrame().isNull(); }, 5000));
    context->openBeamWindow();
    BeamWindow *window = BeamWindow::instance(*context);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->source().kind, BeamSource::Kind::CaptureFrame);
    EXPECT_FALSE(window->source().camera.isEmpty());
    const PrintOutcome outcome = window->printReport();
    ASSERT_EQ(outcome.result, PrintOutcome::Result::SavedToFile) << qPrintable(outcome.error);
    const QString text = pageText(outcome.filePath);
    EXPECT_TRUE(text.contains(compact(window->source().camera))) << qPrintable(window->source().camera);
    EXPECT_TRUE(text.contains(compact(QStringLiteral("采集卡第"))));
    capture->mnuFileExit_Click();
}

TEST_F(BeamReportTest, APrinterThatRefusesLeavesNoFileAndSaysWhy)
{
    openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    ASSERT_NE(window, nullptr);
    printer->refuseWith = QStringLiteral("打印机脱机");
    const PrintOutcome outcome = window->printReport();
    EXPECT_EQ(outcome.result, PrintOutcome::Result::Failed);
    EXPECT_TRUE(QDir(path(QStringLiteral("reports"))).entryList(QDir::Files | QDir::Hidden).isEmpty());
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.back().text.contains(QStringLiteral("打印机脱机")));
}

} // namespace
} // namespace lumetra::test
