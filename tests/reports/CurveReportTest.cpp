// The curve report windows print one page while they load: checked on the PDF the scripted
// printer writes (page count, rendering at 50 dpi, words with their boxes) and on the window.
#include "PdfInspection.h"
#include "ReportFixture.h"
#include "platform/printing/PdfPrintJob.h"
#include "reports/CurveReport.h"

#include "platform/ports/MainWindowPort.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QTest>

#include <gmock/gmock.h>

#include <cmath>

namespace lumetra::testing {
namespace {

constexpr int Dpi = 50;
constexpr double MarginTwips = PdfPrintJob::MarginMillimetres / 25.4 * 1440;
const QString Sent = QStringLiteral("数据发送完成！打印机空闲......");

// Twips of the printable area to pixels of the 50-dpi rendering.
int px(double twips)
{
    return static_cast<int>(std::lround((MarginTwips + twips) * Dpi / 1440.0));
}
// Points (pdftotext boxes) to twips of the printable area.
double twipsFromPoints(double points)
{
    return points * 20 - MarginTwips;
}

// The vertical axis of a curve report stands at x = 700 twips; its ink gives the plot's top, and
// the one row inked along the whole position axis gives its bottom.
struct PlotRows
{
    int top = -1;
    int bottom = -1;
};
PlotRows findPlot(const QImage &page, int axisEndX)
{
    PlotRows rows;
    const int x = px(700);
    for (int y = 0; y < page.height() && rows.top < 0; ++y)
        if (isInk(page, x, y) && isInk(page, x, y + 1) && isInk(page, x, y + 2))
            rows.top = y;
    if (rows.top < 0)
        return rows;
    for (int y = rows.top; y < page.height() && rows.bottom < 0; ++y)
        if (inkCount(page, QRect(x, y, axisEndX - x, 1)) > (axisEndX - x) * 95 / 100)
            rows.bottom = y;
    return rows;
}

// A cross of two 140-twip lines (about five pixels at 50 dpi) centred within a pixel of (cx, cy),
// with blank corners between its arms.
bool hasCrossNear(const QImage &page, int cx, int cy)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = cx + dx, y = cy + dy;
            if (inkCount(page, QRect(x - 2, y, 5, 1)) >= 4 && inkCount(page, QRect(x, y - 2, 1, 5)) >= 4 &&
                inkCount(page, QRect(x - 4, y - 4, 2, 2)) + inkCount(page, QRect(x + 3, y + 3, 2, 2)) +
                        inkCount(page, QRect(x + 3, y - 4, 2, 2)) +
                        inkCount(page, QRect(x - 4, y + 3, 2, 2)) ==
                    0)
                return true;
        }
    return false;
}

// Text as extracted: the PDF maps some glyphs to their compatibility forms (a Kangxi radical for
// the ideograph it draws), which NFKC folds back.
QList<PdfWord> words(const QString &file)
{
    QList<PdfWord> found = pdfWords(file);
    for (PdfWord &w : found)
        w.text = w.text.normalized(QString::NormalizationForm_KC);
    return found;
}

// The main window's status bar, as the reports reach it.
class StatusRecorder : public MainWindowPort
{
public:
    QStringList statuses;
    void setToolbarButtonEnabled(int, bool) override {}
    bool toolbarButtonEnabled(int) const override { return true; }
    void setConnectMenuEnabled(bool) override {}
    bool connectMenuEnabled() const override { return true; }
    void showStatus(const QString &text) override { statuses << text; }
};

class CurveReportTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        context->mainWindow = &mainWindow;
    }
    StatusRecorder mainWindow;
    // Row 192: grey 10 (= GreyMin) on columns 1..213, 105 (half way) on 214..426, 200 (= GreyMax)
    // on 427..640.
    void setPlateaus()
    {
        setRow(192, [](int x) { return x <= 213 ? 10 : x <= 426 ? 105 : 200; });
        state->picture.GreyMin = 10;
        state->picture.GreyMax = 200;
    }
    void addMarkH(double position, double intensity)
    {
        const int n = static_cast<int>(state->view.MarkCountH);
        state->view.MarkValuesH[n] = {position, intensity};
        state->view.MarkCountH = n + 1;
    }
    CurveReport *printLine()
    {
        return CurveReport::showWindow(*context, *state, Horizontal, analysed, &faceButton, &lineButton);
    }
    static constexpr auto Horizontal = CurveReport::Orientation::Horizontal;
    bool analysed = false;
    PlotRows findHorizontalPlot(const QImage &page) const { return findPlot(page, columnX(640)); }
    // Pixel x of a picture column on a horizontal report's axis of the A4 PDF page.
    int columnX(double column) const { return px(700 + column * pageAxisLength() / 640); }
    static double pageAxisLength()
    {
        const double width = (210 - 2 * PdfPrintJob::MarginMillimetres) / 25.4 * 1440;
        return width - 200 - 1380 - 500;
    }
};

TEST_F(CurveReportTest, RawReportPrintsOnePageWhileLoadingThenSaysSo)
{
    setPlateaus();
    CurveReport *window = printLine();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CurveReport::instance(*context, Horizontal), window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("打印"));
    EXPECT_EQ(window->closeButton()->text(), QStringLiteral("关 闭"));
    EXPECT_EQ(window->statusLabel()->pos(), QPoint(40, 24));
    EXPECT_EQ(QFontInfo(window->statusLabel()->font()).family(), QStringLiteral("Noto Serif CJK SC"));
    EXPECT_TRUE(window->statusLabel()->font().bold());

    const QString file = onlyPrintedFile();
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("水平原始曲线 2024-05-01 09-30-00.pdf"));
    EXPECT_EQ(pdfPageCount(file), 1);
    // No printer: the window says where the page went instead of calling it sent, in full and
    // above its button, and so does the main window's status bar.
    const QString saved = QStringLiteral("已保存为 PDF：") + QDir::toNativeSeparators(file);
    EXPECT_EQ(window->statusLabel()->text(), saved);
    EXPECT_NE(window->statusLabel()->text(), Sent);
    EXPECT_FALSE(window->noteLabel()->isVisibleTo(window));
    EXPECT_LE(window->statusLabel()->geometry().bottom(), window->closeButton()->geometry().top());
    EXPECT_TRUE(window->rect().contains(window->statusLabel()->geometry()));
    EXPECT_TRUE(window->rect().contains(window->closeButton()->geometry()));
    EXPECT_EQ(mainWindow.statuses, QStringList({saved}));
}

TEST_F(CurveReportTest, RawPageShowsAxesTicksAndTheCurveWhereTheGreyValuesPutIt)
{
    setPlateaus();
    addMarkH(-220, 50); // a raw report never shows marks
    printLine();
    const QImage page = renderPdf(onlyPrintedFile());
    ASSERT_FALSE(page.isNull());

    const PlotRows plot = findHorizontalPlot(page);
    ASSERT_GT(plot.top, 0);
    // 4000 twips high.
    EXPECT_NEAR(plot.bottom - plot.top, 4000.0 * Dpi / 1440, 1.5);
    const auto twipRow = [&](double twipsBelowTop) {
        return plot.top + static_cast<int>(std::lround(twipsBelowTop * Dpi / 1440));
    };

    // Position axis along the bottom, to 1380 twips from the right edge of the printable area.
    for (int column : {10, 320, 630})
        EXPECT_TRUE(isInk(page, columnX(column), plot.bottom) ||
                    isInk(page, columnX(column), plot.bottom - 1));
    EXPECT_EQ(inkCount(page, QRect(columnX(640) + 8, plot.bottom - 1, 20, 3)), 0);

    // Eleven major ticks left of the axis, 400 twips apart (500..700 twips: x of 600 is theirs alone).
    int majors = 0;
    for (int i = 0; i <= 10; ++i)
        majors += inkCount(page, QRect(px(530), twipRow(400 * i) - 1, 1, 3)) > 0 ? 1 : 0;
    EXPECT_EQ(majors, 11);
    // Forty-one minor ticks between 600 and 700 twips: count the ink runs down that column.
    int runs = 0;
    bool inRun = false;
    for (int y = plot.top - 2; y <= plot.bottom + 2; ++y) {
        const bool ink = isInk(page, px(660), y);
        runs += (ink && !inRun) ? 1 : 0;
        inRun = ink;
    }
    EXPECT_EQ(runs, 41);

    // The curve: the left third on the bottom line, the middle third half way up, the right third
    // along the top of the plot; nothing of it elsewhere.
    const int mid = twipRow(2000);
    EXPECT_GT(inkCount(page, QRect(columnX(230), mid - 1, columnX(410) - columnX(230), 3)),
              (columnX(410) - columnX(230)) * 8 / 10);
    EXPECT_EQ(inkCount(page, QRect(columnX(20), mid - 3, columnX(200) - columnX(20), 7)), 0);
    EXPECT_EQ(inkCount(page, QRect(columnX(440), mid - 3, columnX(630) - columnX(440), 7)), 0);
    EXPECT_GT(inkCount(page, QRect(columnX(440), plot.top - 1, columnX(630) - columnX(440), 3)),
              (columnX(630) - columnX(440)) * 8 / 10);
    EXPECT_EQ(inkCount(page, QRect(columnX(230), plot.top + 3, columnX(410) - columnX(230), 5)), 0);

    // No cross where the point is (column 100, half way up), nor anything else there.
    EXPECT_FALSE(hasCrossNear(page, columnX(100), mid));
    EXPECT_EQ(inkCount(page, QRect(columnX(100) - 4, mid - 4, 9, 9)), 0);

    const QList<PdfWord> words = testing::words(onlyPrintedFile());
    ASSERT_EQ(wordsContaining(words, QStringLiteral("水平原始曲线")).size(), 1);
    EXPECT_TRUE(wordsContaining(words, QStringLiteral("(")).isEmpty()) << "no mode suffix, no mark list";
    for (const QString label : {"-320", "-256", "0", "256", "320", "100", "50"})
        EXPECT_FALSE(wordsContaining(words, label).isEmpty()) << label.toStdString();
}

TEST_F(CurveReportTest, FaceModeReportCarriesTheSuffixCrossesAndTheMarkList)
{
    analysed = true;
    for (int x = 0; x <= 640; ++x)
        state->cut.ProfileH[x] = 10;
    state->picture.GreyMin = 10;
    state->picture.GreyMax = 200;
    addMarkH(0, 50);
    addMarkH(-160, 25);
    for (int i = 2; i < 11; ++i)
        addMarkH(100 + i, 80.5);
    showFaceMode();
    printLine();
    const QString file = onlyPrintedFile();
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("水平分析曲线(面) 2024-05-01 09-30-00.pdf"));
    EXPECT_EQ(pdfPageCount(file), 1);

    const QImage page = renderPdf(file);
    const PlotRows plot = findHorizontalPlot(page);
    ASSERT_GT(plot.top, 0);
    const auto crossAt = [&](double column, double percent) {
        return hasCrossNear(page, columnX(column),
                            plot.top + static_cast<int>(std::lround((4000 - 40 * percent) * Dpi / 1440)));
    };
    EXPECT_TRUE(crossAt(320, 50));
    EXPECT_TRUE(crossAt(160, 25));
    EXPECT_FALSE(crossAt(480, 50)) << "nothing where no point is";

    const QList<PdfWord> words = testing::words(file);
    ASSERT_EQ(wordsContaining(words, QStringLiteral("(面)")).size(), 1);
    const PdfWord title = wordsContaining(words, QStringLiteral("水平分析曲线")).value(0);
    EXPECT_NEAR(twipsFromPoints(title.box.top()), 1000, 150);

    QList<PdfWord> list = wordsContaining(words, QStringLiteral("点"));
    ASSERT_EQ(list.size(), 11);
    EXPECT_EQ(list[0].text, QStringLiteral("点0(0,50)"));
    EXPECT_EQ(list[1].text, QStringLiteral("点1(-160,25)"));
    EXPECT_EQ(list[10].text, QStringLiteral("点10(110,80.5)"));
    QMap<int, int> perRow;
    for (const PdfWord &w : list) {
        ++perRow[static_cast<int>(std::lround(w.box.top()))];
        // Under the plot, starting 800 twips below its bottom line.
        EXPECT_GT(w.box.top() * Dpi / 72.0, plot.bottom + 800.0 * Dpi / 1440 - 3);
    }
    EXPECT_EQ(perRow.values(), QList<int>({3, 3, 3, 2}));
}

TEST_F(CurveReportTest, LineModeReportScalesTheProfileToItsOwnRange)
{
    analysed = true;
    for (int x = 0; x <= 640; ++x)
        state->cut.ProfileH[x] = x <= 320 ? 50 : 60; // bottom then top of the profile's own range
    state->picture.GreyMin = 0;
    state->picture.GreyMax = 255;
    state->cut.ProfileMin = 50;
    state->cut.ProfileMax = 60;
    showLineMode();
    printLine();
    const QString file = onlyPrintedFile();
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("水平分析曲线(线) 2024-05-01 09-30-00.pdf"));
    const QImage page = renderPdf(file);
    const PlotRows plot = findHorizontalPlot(page);
    ASSERT_GT(plot.top, 0);
    EXPECT_GT(inkCount(page, QRect(columnX(400), plot.top - 1, columnX(600) - columnX(400), 3)),
              (columnX(600) - columnX(400)) * 8 / 10);
    EXPECT_EQ(wordsContaining(words(file), QStringLiteral("(线)")).size(), 1);
}

TEST_F(CurveReportTest, NeitherModeReportHasTitleAndListOnly)
{
    analysed = true;
    setPlateaus();
    addMarkH(7, 42.5);
    showNeitherMode();
    printLine();
    const QString file = onlyPrintedFile();
    const QList<PdfWord> words = testing::words(file);
    ASSERT_GT(words.size(), 2);
    EXPECT_EQ(words[0].text, QStringLiteral("水平分析曲线"));
    EXPECT_EQ(words[1].text, QStringLiteral("点0(7,42.5)"));
    // Then only the footer line at the foot of the page.
    QString footer;
    for (qsizetype i = 2; i < words.size(); ++i)
        footer += words[i].text;
    EXPECT_TRUE(footer.contains(QStringLiteral("切线"))) << footer.toStdString();
    const QImage page = renderPdf(file);
    EXPECT_EQ(findHorizontalPlot(page).top, -1);
    // Ink only where the two texts are.
    int ink = inkCount(page, page.rect());
    for (const PdfWord &w : words)
        ink -= inkCount(page, QRectF(w.box.topLeft() * Dpi / 72.0, w.box.bottomRight() * Dpi / 72.0)
                                  .toAlignedRect()
                                  .adjusted(-1, -1, 1, 1));
    EXPECT_EQ(ink, 0);
}

TEST_F(CurveReportTest, OpenWindowIsOnlyBroughtForwardAndPrintsAgainAfterClosing)
{
    setPlateaus();
    CurveReport *first = printLine();
    ASSERT_EQ(printedFiles().size(), 1);
    EXPECT_EQ(printLine(), first);
    EXPECT_EQ(printedFiles().size(), 1) << "nothing printed again while the window is open";

    QTest::mouseClick(first->closeButton(), Qt::LeftButton);
    processDeletes();
    EXPECT_EQ(CurveReport::instance(*context, Horizontal), nullptr);

    ASSERT_NE(printLine(), nullptr);
    const QStringList files = printedFiles();
    ASSERT_EQ(files.size(), 2);
    // Same report, same minute: the first file is kept and the second takes the next name.
    EXPECT_EQ(QFileInfo(files[0]).fileName(), QStringLiteral("水平原始曲线 2024-05-01 09-30-00 (2).pdf"));
    EXPECT_EQ(QFileInfo(files[1]).fileName(), QStringLiteral("水平原始曲线 2024-05-01 09-30-00.pdf"));
}

TEST_F(CurveReportTest, RefusedPrinterIsReportedAndNothingIsCalledSent)
{
    printer->refuseWith = QStringLiteral("打印机“办公室”脱机");
    CurveReport *window = printLine();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->statusLabel()->text(), Sent);
    EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("打印失败！"));
    EXPECT_EQ(window->noteLabel()->text(), QStringLiteral("打印失败：打印机“办公室”脱机"));
    EXPECT_TRUE(window->noteLabel()->isVisibleTo(window));
    EXPECT_FALSE(window->outcome().delivered());
    EXPECT_TRUE(printedFiles().isEmpty());
}

TEST_F(CurveReportTest, UnwritableFolderAndMissingPrinterAreFailuresToo)
{
    printer->directory = outputDir.filePath(QStringLiteral("gone"));
    CurveReport *window = printLine();
    EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("打印失败！"));
    EXPECT_THAT(window->noteLabel()->text().toStdString(), ::testing::HasSubstr("gone"));
    QTest::mouseClick(window->closeButton(), Qt::LeftButton);
    processDeletes();

    services.printer = nullptr;
    window = printLine();
    EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("打印失败！"));
    EXPECT_TRUE(printedFiles().isEmpty());
}

TEST_F(CurveReportTest, VerticalReportPlotsTheCutColumnAgainstFourHundredEightyRows)
{
    state->cut.CutOrientation = 2;
    state->cut.CutPosition = 320;
    state->view.AxisStart = -240;
    setRow(192, [](int) { return 200; }); // the horizontal cut must not be what is drawn
    setColumn(320, [](int y) { return y <= 240 ? 0 : 200; });
    state->picture.GreyMin = 10;
    state->picture.GreyMax = 200;
    state->view.MarkValuesV[0] = {50, 0};
    state->view.MarkCountV = 1;
    CurveReport *window =
        CurveReport::showWindow(*context, *state, CurveReport::Orientation::Vertical, analysed, &faceButton, &lineButton);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CurveReport::instance(*context, CurveReport::Orientation::Vertical), window);
    const QString file = onlyPrintedFile();
    EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("已保存为 PDF：") + QDir::toNativeSeparators(file));
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("垂直原始曲线 2024-05-01 09-30-00.pdf"));
    EXPECT_EQ(pdfPageCount(file), 1);

    const QImage page = renderPdf(file);
    const PlotRows plot = findHorizontalPlot(page);
    ASSERT_GT(plot.top, 0);
    EXPECT_NEAR(plot.bottom - plot.top, 4000.0 * Dpi / 1440, 1.5);
    const auto rowX = [](double row) { return px(700 + row * pageAxisLength() / 480); };
    // First half of the rows on the bottom line (no data), second half along the top.
    EXPECT_EQ(inkCount(page, QRect(rowX(40), plot.top - 1, rowX(220) - rowX(40), 3)), 0);
    EXPECT_GT(inkCount(page, QRect(rowX(260), plot.top - 1, rowX(460) - rowX(260), 3)),
              (rowX(460) - rowX(260)) * 8 / 10);

    const QList<PdfWord> words = testing::words(file);
    EXPECT_EQ(wordsContaining(words, QStringLiteral("垂直原始曲线")).size(), 1);
    for (const QString label : {"-240", "-192", "192", "240"})
        EXPECT_FALSE(wordsContaining(words, label).isEmpty()) << label.toStdString();
    EXPECT_TRUE(wordsContaining(words, QStringLiteral("点")).isEmpty());
}

} // namespace
} // namespace lumetra::testing
