// The page of a curve report on a recording page: title, curve rule, mark crosses and mark list.
#include "reports/CurveReportLayout.h"
#include "RecordingPage.h"
#include "analysis/AnalysisState.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QMap>

#include <cmath>
#include <memory>

namespace lumetra::testing {
namespace {

using Orientation = CurveReportLayout::Orientation;

constexpr double PageWidth = 12000;
constexpr double AxisX = CurveReportLayout::LeftMargin + 200;
constexpr double AxisLength =
    PageWidth - 200 - CurveReportLayout::RightMargin - CurveReportLayout::LeftMargin;

class CurveReportLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state->cut.CutPosition = 192;
        state->view.AxisStart = -320;
        state->picture.GreyMin = 20;
        state->picture.GreyMax = 220;
    }

    // Draws on a page whose font starts at `fontSize` and returns it with the layout used.
    RecordingPage draw(Orientation orientation, std::optional<DisplayMode> mode, double fontSize = 11)
    {
        RecordingPage page(PageWidth);
        page.setFontSize(fontSize);
        layout = std::make_unique<CurveReportLayout>(*state, orientation, mode, analysed);
        layout->draw(page);
        return page;
    }

    // Segments of the curve: each one picture pixel (xScale) long along x.
    QList<RecordingPage::Line> curve(const RecordingPage &page) const
    {
        QList<RecordingPage::Line> found;
        for (const auto &l : page.lines)
            if (std::abs(l.x2 - l.x1 - layout->xScale()) < 1e-9)
                found.append(l);
        return found;
    }

    // Crosses: 140-twip lines centred on their point.
    QList<QPointF> crossCentres(const RecordingPage &page) const
    {
        QList<QPointF> centres;
        for (const auto &l : page.lines)
            if (l.y1 == l.y2 && std::abs(l.x2 - l.x1 - 2 * CurveReportLayout::CrossArm) < 1e-9) {
                const QPointF c((l.x1 + l.x2) / 2, l.y1);
                if (page.hasLine(c.x(), c.y() - CurveReportLayout::CrossArm, c.x(),
                                 c.y() + CurveReportLayout::CrossArm))
                    centres.append(c);
            }
        return centres;
    }

    double bottom() const { return layout->plotTop() + CurveReportLayout::PlotHeight; }
    double expectedY(double v, double low, double high) const
    {
        if (low == high || v < low)
            return bottom();
        return bottom() - std::floor(4000 * (v - low) / (high - low));
    }

    void setRowRamp()
    {
        for (int x = 0; x <= 640; ++x)
            state->picture.GreyMap(x, 192) = x % 256;
    }

    void addMarkH(double position, double intensity)
    {
        const int n = static_cast<int>(state->view.MarkCountH);
        state->view.MarkValuesH[n] = {position, intensity};
        state->view.MarkCountH = n + 1;
    }

    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    std::unique_ptr<CurveReportLayout> layout;
    bool analysed = false; // the analysed curve's report, else the raw one's
};

TEST_F(CurveReportLayoutTest, TitleIsCentredLeftOfTheMarginsInBoldEighteenPoints)
{
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);
    const QString title = QStringLiteral("水平原始曲线");
    ASSERT_EQ(page.texts.first().text, title);
    RecordingPage metrics(PageWidth);
    metrics.setFontSize(18);
    const double width = metrics.textWidth(title);
    EXPECT_DOUBLE_EQ(page.texts.first().x,
                     (PageWidth - CurveReportLayout::RightMargin - CurveReportLayout::LeftMargin) / 2 -
                         width / 2);
    EXPECT_DOUBLE_EQ(page.texts.first().y, CurveReportLayout::TopMargin);
    EXPECT_EQ(page.texts.first().fontSize, 18);
    EXPECT_TRUE(page.texts.first().bold);
    EXPECT_DOUBLE_EQ(layout->plotTop(), CurveReportLayout::TopMargin + metrics.textHeight(title) + 800 + 1);
    EXPECT_DOUBLE_EQ(layout->xScale(), AxisLength / 640);
}

TEST_F(CurveReportLayoutTest, RawReportPlotsTheCutRowBetweenTheGreyBounds)
{
    // Grey values: 0 (no data) at the left, a ramp, and values above GreyMax at the right.
    for (int x = 0; x <= 640; ++x)
        state->picture.GreyMap(x, 192) = x < 100 ? 0 : std::min(300, x - 80);
    state->picture.GreyMap(5, 191) = 250; // the neighbouring row must not be drawn
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);

    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 639);
    for (int j = 1; j <= 639; ++j) {
        const auto &s = segments[j - 1];
        EXPECT_NEAR(s.x1, AxisX + (j - 1) * layout->xScale(), 1e-6);
        EXPECT_DOUBLE_EQ(s.y1, expectedY(state->picture.GreyMap(j, 192), 20, 220)) << j;
        EXPECT_DOUBLE_EQ(s.y2, expectedY(state->picture.GreyMap(j + 1, 192), 20, 220)) << j;
        EXPECT_EQ(s.colour, colours::Black);
    }
    // Darker than GreyMin: on the bottom line; brighter than GreyMax: above the plot, unclipped.
    EXPECT_DOUBLE_EQ(segments[10].y1, bottom());
    EXPECT_LT(segments.last().y2, layout->plotTop());
    EXPECT_NEAR(segments.last().x2, AxisX + 639 * layout->xScale(), 1e-6);
}

TEST_F(CurveReportLayoutTest, EqualBoundsPutTheWholeCurveOnTheBottomLine)
{
    setRowRamp();
    state->picture.GreyMin = state->picture.GreyMax = 90;
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);
    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 639);
    for (const auto &s : segments) {
        EXPECT_DOUBLE_EQ(s.y1, bottom());
        EXPECT_DOUBLE_EQ(s.y2, bottom());
    }
}

TEST_F(CurveReportLayoutTest, RawReportHasNoMarksNoListAndNoSuffix)
{
    setRowRamp();
    addMarkH(0, 50);
    addMarkH(10, 20);
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);
    EXPECT_TRUE(crossCentres(page).isEmpty());
    for (const auto &t : page.texts) {
        EXPECT_FALSE(t.text.startsWith(QStringLiteral("点"))) << t.text.toStdString();
        EXPECT_FALSE(t.text.contains(QStringLiteral("面")));
    }
    EXPECT_EQ(layout->reportName(), QStringLiteral("水平原始曲线"));
}

TEST_F(CurveReportLayoutTest, FaceModeAnalysedReportPlotsTheProfileAgainstTheGreyRangeWithCrosses)
{
    analysed = true;
    for (int x = 0; x <= 640; ++x)
        state->cut.ProfileH[x] = 20 + x * 0.25;
    state->cut.ProfileMin = 100;
    state->cut.ProfileMax = 120;
    addMarkH(0, 50);
    addMarkH(-160, 25);
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);

    ASSERT_GE(page.texts.size(), 2);
    EXPECT_EQ(page.texts[1].text, QStringLiteral("(面)"));
    // Right after the bold title.
    RecordingPage metrics(PageWidth);
    metrics.setFontSize(18);
    metrics.setBold(true);
    EXPECT_DOUBLE_EQ(page.texts[1].x, page.texts[0].x + metrics.textWidth(QStringLiteral("水平分析曲线")));
    EXPECT_DOUBLE_EQ(page.texts[1].y, CurveReportLayout::TopMargin);
    EXPECT_TRUE(page.texts[1].bold);
    EXPECT_EQ(layout->reportName(), QStringLiteral("水平分析曲线(面)"));

    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 639);
    EXPECT_DOUBLE_EQ(segments[99].y1, expectedY(state->cut.ProfileH[100], 20, 220));

    // A mark at position 0 lies in the middle of the axis; intensity 50 halfway up.
    const auto centres = crossCentres(page);
    ASSERT_EQ(centres.size(), 2);
    EXPECT_NEAR(centres[0].x(), AxisX + AxisLength / 2, 1e-6);
    EXPECT_NEAR(centres[0].y(), layout->plotTop() + 2000, 1e-6);
    EXPECT_NEAR(centres[1].x(), AxisX + AxisLength / 4, 1e-6);
    EXPECT_NEAR(centres[1].y(), layout->plotTop() + 3000, 1e-6);
}

TEST_F(CurveReportLayoutTest, LineModeScalesTheProfileToItsOwnRange)
{
    analysed = true;
    for (int x = 0; x <= 640; ++x)
        state->cut.ProfileH[x] = 100 + (x % 21);
    state->cut.ProfileMin = 100;
    state->cut.ProfileMax = 120;
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Line);
    ASSERT_GE(page.texts.size(), 2);
    EXPECT_EQ(page.texts[1].text, QStringLiteral("(线)"));
    RecordingPage metrics(PageWidth);
    metrics.setFontSize(18);
    metrics.setBold(true);
    EXPECT_DOUBLE_EQ(page.texts[1].x,
                     page.texts[0].x + metrics.textWidth(QStringLiteral("水平分析曲线")) + 1);

    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 639);
    for (int j = 1; j <= 639; ++j)
        ASSERT_DOUBLE_EQ(segments[j - 1].y1, expectedY(state->cut.ProfileH[j], 100, 120)) << j;
    EXPECT_DOUBLE_EQ(segments[19].y1, layout->plotTop()); // x = 20: the profile's maximum
}

TEST_F(CurveReportLayoutTest, NeitherModeGivesTitleAndListOnly)
{
    analysed = true;
    addMarkH(3, 40);
    const RecordingPage page = draw(Orientation::Horizontal, std::nullopt);
    EXPECT_TRUE(page.lines.isEmpty());
    ASSERT_EQ(page.texts.size(), 3);
    EXPECT_EQ(page.texts[0].text, QStringLiteral("水平分析曲线"));
    EXPECT_EQ(page.texts[1].text, QStringLiteral("点0(3,40)"));
    EXPECT_EQ(page.texts[2].text, layout->footer());
    EXPECT_EQ(layout->reportName(), QStringLiteral("水平分析曲线"));
}

TEST_F(CurveReportLayoutTest, FooterNamesThePictureTheCutTheWidthAndTheDate)
{
    state->picture.ImagePath = QStringLiteral("/data/beams/spot.bmp");
    state->cut.CutPosition = 192;
    state->cut.IntegrationWidth = 5;
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    for (const bool analysedReport : {false, true}) {
        analysed = analysedReport;
        const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);
        ASSERT_FALSE(page.texts.isEmpty());
        const auto &footer = page.texts.back();
        EXPECT_EQ(footer.text, QStringLiteral("图片：spot.bmp　切线：第 192 行　积分宽度：5　日期：") + today);
        // At the foot of the page, under the plot and anything listed there.
        EXPECT_GT(footer.y, layout->plotTop() + 4000 + 800);
        EXPECT_LE(footer.y + page.textHeight(footer.text), page.pageHeight());
    }
    state->cut.CutPosition = 320;
    const RecordingPage page = draw(Orientation::Vertical, DisplayMode::Line);
    EXPECT_TRUE(page.texts.back().text.contains(QStringLiteral("切线：第 320 列")));
}

TEST_F(CurveReportLayoutTest, AFittedPictureIsReportedInItsOwnPixelsAndEndsWhereItDoes)
{
    // 2048 x 1536 fitted onto the raster: 0.3125 raster pixels a picture pixel, 640 x 480 of it.
    // A 2048 x 1024 picture leaves rows 320.. of the raster grey.
    state->picture.PictureScale = 0.3125;
    state->picture.PictureExtentX = 400;
    state->picture.PictureExtentY = 300;
    state->picture.ImagePath = QStringLiteral("wide.png");
    state->cut.CutPosition = 96;
    analysed = true;
    for (int x = 0; x <= 640; ++x)
        state->cut.ProfileH[x] = 20 + x * 0.25;
    addMarkH(-512, 50); // picture pixels: a quarter of the way along, as raster -160 would be
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);

    // The curve stops at the picture's last column, the strip beyond is not plotted.
    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 398);
    EXPECT_NEAR(segments.last().x2, AxisX + 398 * layout->xScale(), 1e-6);
    const auto centres = crossCentres(page);
    ASSERT_EQ(centres.size(), 1);
    EXPECT_NEAR(centres[0].x(), AxisX + AxisLength / 4, 1e-6);
    // Axis labels and the cut in picture pixels.
    QStringList texts;
    for (const auto &t : page.texts)
        texts.append(t.text);
    EXPECT_TRUE(texts.contains(QStringLiteral("-1024")));
    EXPECT_TRUE(texts.contains(QStringLiteral("204.8")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1024")));
    EXPECT_TRUE(page.texts.back().text.contains(QStringLiteral("切线：第 307.2 行")));

    // A cut through the grey strip below the picture has no curve.
    state->cut.CutPosition = 350;
    EXPECT_TRUE(curve(draw(Orientation::Horizontal, DisplayMode::Face)).isEmpty());
}

TEST_F(CurveReportLayoutTest, NoMarksMeansNoCrossesAndNoList)
{
    analysed = true;
    state->view.MarkValuesH[0] = {5, 5}; // left over from removed points
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);
    EXPECT_TRUE(crossCentres(page).isEmpty());
    for (const auto &t : page.texts)
        EXPECT_FALSE(t.text.startsWith(QStringLiteral("点")));
}

TEST_F(CurveReportLayoutTest, ElevenMarksAreListedInRowsOfThreeUnderThePlot)
{
    analysed = true;
    for (int i = 0; i < 11; ++i)
        addMarkH(-12 - i, 37.5 + i);
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face, 9);

    QList<RecordingPage::Text> list;
    for (const auto &t : page.texts)
        if (t.text.startsWith(QStringLiteral("点")))
            list.append(t);
    ASSERT_EQ(list.size(), 11);
    EXPECT_EQ(list[0].text, QStringLiteral("点0(-12,37.5)"));
    EXPECT_EQ(list[10].text, QStringLiteral("点10(-22,47.5)"));

    RecordingPage metrics(PageWidth);
    metrics.setFontSize(12);
    const QString widest = QStringLiteral("点00(0000.00,000.00)");
    const double w = metrics.textWidth(widest);
    const double h = metrics.textHeight(widest);
    QMap<double, int> perRow;
    for (int j = 0; j < 11; ++j) {
        EXPECT_EQ(list[j].fontSize, 12);
        EXPECT_DOUBLE_EQ(list[j].x, AxisX + (j % 3) * w + 200) << j;
        EXPECT_DOUBLE_EQ(list[j].y, bottom() + 800 + (j / 3) * (h + 100)) << j;
        ++perRow[list[j].y];
    }
    EXPECT_EQ(perRow.values(), QList<int>({3, 3, 3, 2}));
    EXPECT_EQ(crossCentres(page).size(), 11);
}

TEST_F(CurveReportLayoutTest, FontSizeIsTheSameAfterTheReport)
{
    for (bool analysedReport : {false, true})
        for (auto mode : {std::optional<DisplayMode>(DisplayMode::Face),
                          std::optional<DisplayMode>(DisplayMode::Line), std::optional<DisplayMode>()}) {
            analysed = analysedReport;
            state->view.MarkCountH = 0;
            addMarkH(1, 1);
            const RecordingPage page = draw(Orientation::Horizontal, mode, 7.5);
            EXPECT_EQ(page.fontSize(), 7.5);
            // Axis labels go out in the printer's own size.
            for (const auto &t : page.textsEqual(QStringLiteral("-320")))
                EXPECT_EQ(t.fontSize, 7.5);
        }
}

TEST_F(CurveReportLayoutTest, VerticalReportPlotsTheCutColumnOverFourHundredEightyRows)
{
    state->cut.CutPosition = 320;
    state->view.AxisStart = -240;
    for (int y = 0; y <= 480; ++y) {
        state->picture.GreyMap(320, y) = 20 + (y * 7) % 200;
        state->picture.GreyMap(321, y) = 255;
    }
    const RecordingPage page = draw(Orientation::Vertical, DisplayMode::Face);
    EXPECT_EQ(page.texts.first().text, QStringLiteral("垂直原始曲线"));
    EXPECT_DOUBLE_EQ(layout->xScale(), AxisLength / 480);
    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 479);
    for (int j = 1; j <= 479; ++j) {
        ASSERT_DOUBLE_EQ(segments[j - 1].y1, expectedY(state->picture.GreyMap(320, j), 20, 220)) << j;
        ASSERT_DOUBLE_EQ(segments[j - 1].y2, expectedY(state->picture.GreyMap(320, j + 1), 20, 220)) << j;
    }
    EXPECT_EQ(page.textsEqual(QStringLiteral("-240")).size(), 1);
    EXPECT_EQ(page.textsEqual(QStringLiteral("-192")).size(), 1);
    EXPECT_EQ(page.textsEqual(QStringLiteral("240")).size(), 1);
}

TEST_F(CurveReportLayoutTest, VerticalMarksKeepIntensityFirstAndPositionSecond)
{
    analysed = true;
    state->view.AxisStart = -240;
    for (int y = 0; y <= 480; ++y)
        state->cut.ProfileV[y] = static_cast<int16_t>(60 + y % 50);
    state->view.MarkValuesV[0] = {50, 0};
    state->view.MarkValuesV[1] = {12.5, -120};
    state->view.MarkCountV = 2;
    state->view.MarkCountH = 5; // the horizontal window's points do not belong on this page
    const RecordingPage page = draw(Orientation::Vertical, DisplayMode::Face);

    EXPECT_EQ(page.texts[1].text, QStringLiteral("(面)"));
    EXPECT_EQ(layout->reportName(), QStringLiteral("垂直分析曲线(面)"));
    const auto segments = curve(page);
    ASSERT_EQ(segments.size(), 479);
    EXPECT_DOUBLE_EQ(segments[0].y1, expectedY(state->cut.ProfileV[1], 20, 220));

    const auto centres = crossCentres(page);
    ASSERT_EQ(centres.size(), 2);
    EXPECT_NEAR(centres[0].x(), AxisX + AxisLength / 2, 1e-6);
    EXPECT_NEAR(centres[0].y(), layout->plotTop() + 2000, 1e-6);
    EXPECT_NEAR(centres[1].x(), AxisX + AxisLength / 4, 1e-6);
    EXPECT_NEAR(centres[1].y(), layout->plotTop() + 3500, 1e-6);
    EXPECT_EQ(page.textsEqual(QStringLiteral("点0(50,0)")).size(), 1);
    EXPECT_EQ(page.textsEqual(QStringLiteral("点1(12.5,-120)")).size(), 1);
}

TEST_F(CurveReportLayoutTest, ImpossibleMarkCountsAndCutsDrawNothingOutOfRange)
{
    analysed = true;
    state->view.MarkCountH = 40;
    state->cut.CutPosition = 5000;
    const RecordingPage page = draw(Orientation::Horizontal, DisplayMode::Face);
    EXPECT_EQ(crossCentres(page).size(), 11);

    analysed = false;
    const RecordingPage raw = draw(Orientation::Horizontal, DisplayMode::Face);
    for (const auto &s : curve(raw))
        EXPECT_DOUBLE_EQ(s.y1, bottom());

    analysed = true;
    state->view.MarkCountH = -3;
    const RecordingPage none = draw(Orientation::Horizontal, DisplayMode::Face);
    EXPECT_TRUE(crossCentres(none).isEmpty());
}

} // namespace
} // namespace lumetra::testing
