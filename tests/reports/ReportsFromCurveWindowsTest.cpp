// The reports opened the way the operator opens them: a picture in the workspace, a curve window,
// points clicked on its plot, then an entry of its popup menu. The printed curve must stand where
// the curve window shows it.
#include "PdfInspection.h"
#include "ReportFixture.h"
#include "curves/CurveWindow.h"
#include "platform/printing/PdfPrintJob.h"
#include "platform/dialogs/PointerControl.h"
#include "reports/CurveReport.h"
#include "reports/PictureReport.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/SettingsDialog.h"

#include <QDir>
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace lumetra::testing {
namespace {

constexpr int Dpi = 50;
constexpr double MarginTwips = PdfPrintJob::MarginMillimetres / 25.4 * 1440;
const double AxisLength = (210 - 2 * PdfPrintJob::MarginMillimetres) / 25.4 * 1440 - 200 - 1380 - 500;

int px(double twips)
{
    return static_cast<int>(std::lround((MarginTwips + twips) * Dpi / 1440.0));
}

class ReportsFromCurveWindowsTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        services.pointer = &pointer;
        state->cut.CutOrientation = 0;
        state->cut.CutPosition = 0;
        SettingsDialog::setSettingsPath(outputDir.filePath(QStringLiteral("configtext.txt")));
        QFile settings(SettingsDialog::settingsPath());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("2\r\n5\r\n");
    }
    void TearDown() override
    {
        ReportFixture::TearDown();
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        processDeletes();
        SettingsDialog::setSettingsPath(QString());
    }

    // A picture dark on its left half and bright on its right half, darker still below row 240.
    CurveWindow *openCurveWindow(bool vertical)
    {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const int g = (x < 320 ? 60 : 200) - (y >= 240 ? 30 : 0);
                image.setPixel(x, y, qRgb(g, g, g));
            }
        const QString file = outputDir.filePath(QStringLiteral("beam.bmp"));
        EXPECT_TRUE(image.save(file, "BMP"));
        state->picture.ImagePath = file;
        WorkspaceWindow *workspace = WorkspaceWindow::showWorkspace(*context, *state, state->picture.ImagePath);
        if (!workspace)
            return nullptr;
        workspace->menuItem(vertical ? QStringLiteral("verticalCurve") : QStringLiteral("horizontalCurve"))->trigger();
        return CurveWindow::openWindow(*context);
    }

    static void clickPlot(CurveWindow *w, int x, int y)
    {
        const int b = w->plotView()->border();
        QTest::mouseClick(w->plotView(), Qt::LeftButton, Qt::NoModifier, QPoint(x + b, y + b));
    }

    // The row of the first plot pixel of `colour` in a plot column, or -1.
    static int screenRow(const PictureSurface &plot, int x, Colour colour)
    {
        for (int y = 0; y < plot.height(); ++y)
            if (plot.point(x, y) == colour)
                return y;
        return -1;
    }

    // The topmost ink in a page column between the plot's top and bottom rows, or -1.
    static int printedRow(const QImage &page, int x, int top, int bottom)
    {
        for (int y = top - 2; y <= bottom; ++y)
            if (isInk(page, x, y))
                return y;
        return -1;
    }

    static int plotTop(const QImage &page)
    {
        for (int y = 0; y < page.height(); ++y)
            if (isInk(page, px(700), y) && isInk(page, px(700), y + 1) && isInk(page, px(700), y + 2))
                return y;
        return -1;
    }

    ScriptedPointerControl pointer;
};

TEST_F(ReportsFromCurveWindowsTest, AnalysedHorizontalReportShowsTheCurveWhereTheWindowDoes)
{
    CurveWindow *w = openCurveWindow(false);
    ASSERT_NE(w, nullptr);
    clickPlot(w, 160, 100); // position -160, intensity 50
    clickPlot(w, 480, 40);  // position 160, intensity 80
    ASSERT_EQ(state->view.MarkCountH, 2);

    w->popupItem(QStringLiteral("printAnalysedCurve"))->trigger();
    CurveReport *report = CurveReport::instance(*context, CurveReport::Orientation::Horizontal);
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->analysed());
    const QString file = onlyPrintedFile();
    EXPECT_EQ(report->statusLabel()->text(), QStringLiteral("已保存为 PDF：") + QDir::toNativeSeparators(file));
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(QStringLiteral("水平分析曲线(面)")));
    EXPECT_EQ(pdfPageCount(file), 1);

    const QImage page = renderPdf(file);
    const int top = plotTop(page);
    ASSERT_GT(top, 0);
    const double pxPerTwip = Dpi / 1440.0;
    const int bottom = top + static_cast<int>(std::lround(4000 * pxPerTwip));
    // The analysed curve in red on the screen, in black on paper, at the same height (in per
    // cent of the plot) within the resolution of the page.
    for (int column : {100, 200, 300, 400, 500, 600}) {
        const int onScreen = screenRow(w->plot(), column, colours::AnalysedFace);
        ASSERT_GE(onScreen, 0) << column;
        const double screenPercent = 100.0 * (200 - onScreen) / 200;
        const int onPaper = printedRow(page, px(700 + column * AxisLength / 640), top, bottom);
        ASSERT_GE(onPaper, 0) << column;
        const double paperPercent = 100.0 * (bottom - onPaper) / (bottom - top);
        EXPECT_NEAR(paperPercent, screenPercent, 2.5) << column;
    }

    // The two points as crosses and in the list.
    const QList<PdfWord> words = pdfWords(file);
    EXPECT_EQ(wordsContaining(words, QStringLiteral("点0(-160,50)")).size(), 1);
    EXPECT_EQ(wordsContaining(words, QStringLiteral("点1(160,80)")).size(), 1);
    const auto crossInk = [&](double column, double percent) {
        const int cx = px(700 + column * AxisLength / 640);
        const int cy = top + static_cast<int>(std::lround((4000 - 40 * percent) * pxPerTwip));
        return inkCount(page, QRect(cx - 2, cy - 2, 5, 5));
    };
    EXPECT_GE(crossInk(160, 50), 7);
    EXPECT_GE(crossInk(480, 80), 7);
}

TEST_F(ReportsFromCurveWindowsTest, RawReportFromLineModeHasNoSuffixAndNoMarks)
{
    CurveWindow *w = openCurveWindow(false);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    ASSERT_TRUE(w->lineModeActive());
    clickPlot(w, 320, 100);
    w->popupItem(QStringLiteral("printRawCurve"))->trigger();
    ASSERT_NE(CurveReport::instance(*context, CurveReport::Orientation::Horizontal), nullptr);
    EXPECT_FALSE(CurveReport::instance(*context, CurveReport::Orientation::Horizontal)->analysed());
    const QString file = onlyPrintedFile();
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(QStringLiteral("水平原始曲线 2024")));
    const QList<PdfWord> words = pdfWords(file);
    EXPECT_TRUE(wordsContaining(words, QStringLiteral("点")).isEmpty());
    EXPECT_TRUE(wordsContaining(words, QStringLiteral("(")).isEmpty());

    // The raw curve of row 192: dark half, then bright half at the top of the grey range.
    const QImage page = renderPdf(file);
    const int top = plotTop(page);
    ASSERT_GT(top, 0);
    const int bottom = top + static_cast<int>(std::lround(4000 * Dpi / 1440.0));
    const auto percentAt = [&](int column) {
        const int row = printedRow(page, px(700 + column * AxisLength / 640), top, bottom);
        return 100.0 * (bottom - row) / (bottom - top);
    };
    const auto expected = [&](double grey) {
        return 100.0 * std::floor(4000 * (grey - state->picture.GreyMin) / (state->picture.GreyMax - state->picture.GreyMin)) / 4000;
    };
    EXPECT_NEAR(percentAt(150), expected(60), 2.5);
    EXPECT_NEAR(percentAt(500), expected(200), 2.5);
}

TEST_F(ReportsFromCurveWindowsTest, VerticalWindowPrintsItsColumnAndLeavesTheListIntensityFirst)
{
    CurveWindow *w = openCurveWindow(true);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVertical());
    clickPlot(w, 100, 240); // intensity 50 at position 0
    ASSERT_EQ(state->view.MarkCountV, 1);
    w->popupItem(QStringLiteral("printAnalysedCurve"))->trigger();
    ASSERT_NE(CurveReport::instance(*context, CurveReport::Orientation::Vertical), nullptr);
    EXPECT_EQ(CurveReport::instance(*context, CurveReport::Orientation::Horizontal), nullptr);
    const QString file = onlyPrintedFile();
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(QStringLiteral("垂直分析曲线(面)")));
    const QList<PdfWord> words = pdfWords(file);
    EXPECT_EQ(wordsContaining(words, QStringLiteral("点0(50,0)")).size(), 1);
    for (const QString label : {"-240", "-192", "192", "240"})
        EXPECT_FALSE(wordsContaining(words, label).isEmpty()) << label.toStdString();
}

TEST_F(ReportsFromCurveWindowsTest, PictureEntryPrintsThePictureOfTheWorkspace)
{
    CurveWindow *w = openCurveWindow(true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->popupItem(QStringLiteral("printPicture"))->text(), QStringLiteral("打印图"));
    w->popupItem(QStringLiteral("printPicture"))->trigger();
    PictureReport *report = PictureReport::instance(*context);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->picture().image().pixel(10, 10), qRgb(60, 60, 60));
    EXPECT_EQ(report->picture().image().pixel(600, 10), qRgb(200, 200, 200));
    EXPECT_TRUE(QFileInfo(onlyPrintedFile()).fileName().startsWith(QStringLiteral("图 beam")));
}

} // namespace
} // namespace lumetra::testing
