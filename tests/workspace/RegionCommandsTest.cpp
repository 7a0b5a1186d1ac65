// The 3D region commands of the workspace: region mode, the rubber band, the factor box and the
// chart of the released region.
#include "WorkspaceFixture.h"

#include "analysis/picture/RegionGrid.h"
#include "curves/CurveWindow.h"
#include "curves/CurveWindow.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "support/WorkbookReader.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/surface3d/RegionCommands.h"
#include "workspace/surface3d/SurfaceChartWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra::test {
namespace {

class RecordedProgress : public ProgressWindows
{
public:
    QStringList shown;
    void show(Window window, const QString &caption) override
    {
        shown << (window == Window::Waiting ? QStringLiteral("Waiting") : caption);
    }
    void setProgress(Window, float) override {}
    void close(Window) override {}
    void repaintWorkspace() override {}
};

class RegionCommandsTest : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        services.workbook = &workbook;
        context =
            std::make_unique<AppContext>(AppContext{services, recorded, nullptr, nullptr, {}, {}});
        context->mainWindow = &mainWindow;
        wireWindows(*context, *state);
        QFile settings(path(QStringLiteral("configtext.txt")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("3\r\n5\r\n");
        settings.close();
        ws = openPattern();
        ASSERT_NE(ws, nullptr);
        commands = RegionCommands::of(*ws);
        ASSERT_NE(commands, nullptr);
        original = ws->picture().image().copy();
    }

    void enterRegionMode()
    {
        ws->menuItem(QStringLiteral("drawSurface"))->trigger();
        ASSERT_TRUE(commands->regionMode());
    }

    // Mouse events on pictureView at picture pixel (x, y) (the box border is 2 pixels).
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QWidget *view = ws->pictureView();
        const QPointF local(x + 2, y + 2);
        QMouseEvent event(type, local, view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
    void drag(int x1, int y1, int x2, int y2)
    {
        mouse(QEvent::MouseButtonPress, x1, y1, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, (x1 + x2) / 2, (y1 + y2) / 2, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, x2, y2, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, x2, y2, Qt::LeftButton, Qt::NoButton);
    }

    bool pictureUnchanged() const { return ws->picture().image() == original; }
    // Whether picture pixel (x, y) shows its original colour exclusive-or white.
    bool inverted(int x, int y) const
    {
        return (ws->picture().image().pixel(x, y) & 0xffffff) == (~original.pixel(x, y) & 0xffffff);
    }

    static QList<SurfaceChartWindow *> chartWindows()
    {
        QList<SurfaceChartWindow *> found;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *chart = qobject_cast<SurfaceChartWindow *>(w))
                found << chart;
        return found;
    }

    int grey(int x, int y) const
    {
        if (x < 1 || y < 1 || x >= 640 || y >= 480)
            return 0;
        const QRgb c = image.pixel(x, y);
        return static_cast<int>(std::nearbyint(0.587 * qGreen(c) + 0.299 * qRed(c) + 0.114 * qBlue(c)));
    }

    RecordedProgress recorded;
    ScriptedWorkbookService workbook;
    WorkspaceWindow *ws = nullptr;
    RegionCommands *commands = nullptr;
    QImage original;
};

TEST_F(RegionCommandsTest, RegionModeSwitchesTheMenusClosesTheCurveWindowAndExplains)
{
    QAction *enter = ws->menuItem(QStringLiteral("drawSurface"));
    QAction *leave = ws->menuItem(QStringLiteral("clearSurface"));
    EXPECT_TRUE(enter->isEnabled());
    EXPECT_FALSE(leave->isEnabled());
    for (const char *curveCommand : {"horizontalCurve", "verticalCurve"}) {
        SCOPED_TRACE(curveCommand);
        ws->menuItem(QString::fromLatin1(curveCommand))->trigger();
        ASSERT_NE(CurveWindow::openWindow(*context), nullptr);
        dialogs.messages.clear();

        enter->trigger();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(commands->regionMode());
        EXPECT_FALSE(enter->isEnabled());
        EXPECT_TRUE(leave->isEnabled());
        EXPECT_EQ(CurveWindow::instance(*context, false), nullptr);
        EXPECT_EQ(CurveWindow::instance(*context, true), nullptr);
        EXPECT_FALSE(state->cut.Active);
        // The hint is in the status bar: no box stands between the command and the drag.
        EXPECT_TRUE(dialogs.messages.isEmpty());
        ASSERT_FALSE(mainWindow.statuses.isEmpty());
        EXPECT_EQ(mainWindow.statuses.back(), QStringLiteral("请按住鼠标左键拖动，选取一个区域作三维处理。"));

        leave->trigger();
        EXPECT_FALSE(commands->regionMode());
        EXPECT_TRUE(enter->isEnabled());
        EXPECT_FALSE(leave->isEnabled());
    }
    EXPECT_TRUE(pictureUnchanged());
}

TEST_F(RegionCommandsTest, TheRubberBandIsAWhiteExclusiveOrBoxThatFollowsTheDrag)
{
    // Outside region mode a press leaves no mark.
    mouse(QEvent::MouseButtonPress, 150, 150, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 150, 150, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(pictureUnchanged());

    enterRegionMode();
    mouse(QEvent::MouseButtonPress, 200, 100, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(inverted(200, 100));
    EXPECT_EQ(commands->corners(), (RegionCorners{200, 100, 200, 100}));

    mouse(QEvent::MouseMove, 250, 130, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(inverted(200, 100));
    EXPECT_TRUE(inverted(225, 100));
    EXPECT_TRUE(inverted(250, 115));
    EXPECT_TRUE(inverted(225, 130));
    EXPECT_FALSE(inverted(225, 115));
    EXPECT_EQ(commands->corners(), (RegionCorners{200, 100, 250, 130}));

    // A move without the left button changes nothing.
    mouse(QEvent::MouseMove, 400, 400, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(commands->corners(), (RegionCorners{200, 100, 250, 130}));

    mouse(QEvent::MouseMove, 300, 160, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(inverted(250, 115)); // the old box is gone
    EXPECT_FALSE(inverted(225, 130));
    EXPECT_TRUE(inverted(300, 130));
    EXPECT_TRUE(inverted(250, 160));

    // Cancelling the factor box removes the box: the picture is as it was.
    mouse(QEvent::MouseButtonRelease, 300, 160, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(dialogs.inputs.size(), 1);
    EXPECT_TRUE(pictureUnchanged());
    EXPECT_EQ(commands->corners(), RegionCorners{});
    EXPECT_TRUE(chartWindows().isEmpty());
    EXPECT_TRUE(recorded.shown.isEmpty());

    // Leaving region mode now draws nothing (no stray pixel at the origin).
    ws->menuItem(QStringLiteral("clearSurface"))->trigger();
    EXPECT_TRUE(pictureUnchanged());
}

TEST_F(RegionCommandsTest, RegionsUnderTwentyPixelsAreIgnoredAndKeepTheirRectangle)
{
    enterRegionMode();
    for (const auto &[x2, y2] : {std::pair{215, 160}, std::pair{300, 115}}) {
        drag(200, 100, x2, y2);
        EXPECT_TRUE(dialogs.inputs.isEmpty());
        EXPECT_TRUE(commands->rectangleShown());
        EXPECT_TRUE(inverted(x2, y2));
        EXPECT_TRUE(chartWindows().isEmpty());
    }
    // A press with no drag is no region either.
    mouse(QEvent::MouseButtonPress, 50, 50, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 50, 50, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(dialogs.inputs.isEmpty());
    EXPECT_TRUE(inverted(50, 50));
    EXPECT_FALSE(inverted(300, 115)); // the next press took the previous rectangle away
    // Leaving region mode removes the last one.
    ws->menuItem(QStringLiteral("clearSurface"))->trigger();
    EXPECT_TRUE(pictureUnchanged());
}

TEST_F(RegionCommandsTest, TheFactorBoxSaysWhatIsWrongUntilTheFactorIsValid)
{
    enterRegionMode();
    dialogs.inputAnswers = {QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("0"),
                            QStringLiteral("abc"), QStringLiteral("8")};
    drag(200, 100, 300, 160);
    // One box, which named each mistake under the text until 8 was typed.
    ASSERT_EQ(dialogs.inputs.size(), 1);
    const QString allowed = QStringLiteral("三维过滤因子只能是 2、4、6、8 或 10。");
    EXPECT_EQ(dialogs.inputProblems,
              QStringList({"5 是奇数：" + allowed, "12 太大：" + allowed, "0 太小：" + allowed,
                           "“a”不是数字：" + allowed}));
    for (const auto &input : dialogs.inputs) {
        EXPECT_EQ(input.prompt, RegionCommands::factorPrompt());
        EXPECT_EQ(input.title, QStringLiteral("输入框"));
        EXPECT_EQ(input.defaultText, QStringLiteral("6"));
    }
    EXPECT_TRUE(RegionCommands::factorPrompt().startsWith(QStringLiteral("因为图象所包含的信息量太大，")));
    EXPECT_TRUE(
        RegionCommands::factorPrompt().endsWith(QStringLiteral("因子数越小，运算时间越长，图象越细致。")));
    ASSERT_EQ(chartWindows().size(), 1);
    EXPECT_EQ(chartWindows()[0]->grid().rows(), 13);   // 100 / 8 + 1
    EXPECT_EQ(chartWindows()[0]->grid().columns(), 8); // 60 / 8 + 1

    dialogs.inputs.clear();
    dialogs.inputAnswers = {QStringLiteral("08")};
    drag(200, 100, 300, 160);
    EXPECT_EQ(dialogs.inputs.size(), 1);
    EXPECT_EQ(chartWindows().size(), 2); // one window per chart

    // An empty answer is a cancel.
    dialogs.inputs.clear();
    dialogs.inputAnswers = {QStringLiteral("3"), QString()};
    drag(200, 100, 300, 160);
    EXPECT_EQ(dialogs.inputs.size(), 1);
    EXPECT_EQ(dialogs.inputProblems.size(), 5);
    EXPECT_EQ(chartWindows().size(), 2);
    EXPECT_TRUE(pictureUnchanged());
}

TEST_F(RegionCommandsTest, ReleaseSamplesThePictureAndChartsTheBlockGrid)
{
    enterRegionMode();
    dialogs.messages.clear();
    dialogs.inputAnswers = {QStringLiteral("10")};
    drag(200, 100, 300, 160);

    // Fresh sampling with the progress windows.
    EXPECT_EQ(recorded.shown, (QStringList{QStringLiteral("Waiting"), QStringLiteral("正在读取灰度值"),
                                           QStringLiteral("正在计算灰度最大、最小值")}));
    EXPECT_EQ(state->picture.GreyMap(5, 7), grey(5, 7));
    EXPECT_EQ(state->picture.GreyMap(639, 479), grey(639, 479));

    const QList<SurfaceChartWindow *> charts = chartWindows();
    ASSERT_EQ(charts.size(), 1);
    const RegionGrid &grid = charts[0]->grid();
    EXPECT_EQ(grid.rows(), 11);
    EXPECT_EQ(grid.columns(), 7);
    EXPECT_EQ(grid.range(), QStringLiteral("A1:G11"));
    EXPECT_TRUE(charts[0]->rangeText().contains(QStringLiteral("A1:G11")));
    // Cell (r, c) averages x 196 + 10(r - 1) .. 205 + 10(r - 1), y 96 + 10(c - 1) .. 105 + 10(c - 1).
    for (const auto &[r, c] : {std::pair{1, 1}, std::pair{6, 4}, std::pair{11, 7}}) {
        double sum = 0;
        for (int y = 96 + 10 * (c - 1); y <= 105 + 10 * (c - 1); ++y)
            for (int x = 196 + 10 * (r - 1); x <= 205 + 10 * (r - 1); ++x)
                sum += grey(x, y);
        const int expected = static_cast<int>(
            std::floor(100 * (sum / 100 - state->picture.GreyMin) / (state->picture.GreyMax - state->picture.GreyMin)));
        EXPECT_EQ(grid.cell(r, c), expected) << r << "," << c;
    }

    // Afterwards: no rectangle, corners 0, status hidden, normal pointer, still in region mode.
    EXPECT_TRUE(pictureUnchanged());
    EXPECT_EQ(commands->corners(), RegionCorners{});
    EXPECT_FALSE(ws->statusLabel()->isVisibleTo(ws));
    EXPECT_EQ(ws->statusLabel()->text(), QStringLiteral("系统正在进行三维处理"));
    EXPECT_FALSE(ws->pictureView()->testAttribute(Qt::WA_SetCursor));
    EXPECT_TRUE(commands->regionMode());

    // Offscreen there is no OpenGL: the window says so and still offers the workbook.
    EXPECT_FALSE(charts[0]->hasChart());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("OpenGL")));
    EXPECT_TRUE(charts[0]->workbookButton()->isEnabled());
    EXPECT_FALSE(charts[0]->pictureButton()->isEnabled());
}

// A region over black pixels inside the picture reads 0 %, never below; the drag's hint goes once
// the chart is made; the chart closes when another picture opens.
TEST_F(RegionCommandsTest, BlackReadsZeroTheHintGoesAndChartsCloseWithTheirPicture)
{
    QImage dark = patternImage(640, 480);
    for (int y = 100; y <= 150; ++y)
        for (int x = 200; x <= 260; ++x)
            dark.setPixel(x, y, qRgb(0, 0, 0));
    image = dark;
    ASSERT_TRUE(open(writeImage(QStringLiteral("dark.bmp"), dark)));
    enterRegionMode();
    ASSERT_FALSE(mainWindow.statuses.isEmpty());
    EXPECT_FALSE(mainWindow.statuses.back().isEmpty());
    dialogs.inputAnswers = {QStringLiteral("2")};
    drag(190, 90, 280, 160);
    const auto openCharts = [] {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<SurfaceChartWindow *> shown;
        for (SurfaceChartWindow *chart : chartWindows())
            if (chart->isVisible())
                shown << chart;
        return shown;
    };
    const QList<SurfaceChartWindow *> charts = openCharts();
    ASSERT_EQ(charts.size(), 1);
    EXPECT_GT(state->picture.GreyMin, 0); // black lies below the scale's darkest level
    EXPECT_EQ(charts[0]->grid().minimum(), 0);
    EXPECT_TRUE(charts[0]->rangeText().contains(QStringLiteral("光强 0 % 至 "))) << charts[0]->rangeText().toStdString();
    EXPECT_TRUE(mainWindow.statuses.back().isEmpty()) << mainWindow.statuses.back().toStdString();

    ASSERT_NE(openPattern(), nullptr);
    EXPECT_TRUE(openCharts().isEmpty());
}

TEST_F(RegionCommandsTest, RegionsStopAtRow437AndTheWholeRectangleIsRemoved)
{
    enterRegionMode();
    dialogs.inputAnswers = {QStringLiteral("10")};
    drag(100, 400, 200, 470);
    ASSERT_EQ(chartWindows().size(), 1);
    EXPECT_EQ(chartWindows()[0]->grid().columns(), 4); // (437 - 400) / 10 + 1
    EXPECT_EQ(chartWindows()[0]->grid().range(), QStringLiteral("A1:D11"));
    EXPECT_TRUE(pictureUnchanged());

    // A region wholly below row 437 has nothing to chart: said so, nothing left drawn.
    dialogs.messages.clear();
    dialogs.inputAnswers = {QStringLiteral("4")};
    drag(100, 445, 200, 475);
    EXPECT_EQ(chartWindows().size(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("437")));
    EXPECT_TRUE(pictureUnchanged());
    EXPECT_EQ(commands->corners(), RegionCorners{});
}

TEST_F(RegionCommandsTest, TheChartWindowSavesItsGridAsAWorkbook)
{
    enterRegionMode();
    dialogs.inputAnswers = {QStringLiteral("10")};
    drag(200, 100, 300, 160);
    ASSERT_EQ(chartWindows().size(), 1);
    SurfaceChartWindow *chart = chartWindows()[0];
    const RegionGrid grid = chart->grid();

    const QString file = path(QStringLiteral("surface.xlsx"));
    dialogs.fileAnswers = {file};
    QTest::mouseClick(chart->workbookButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].filter, QStringLiteral("Excel 工作簿|*.xlsx"));
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, QStringLiteral("xlsx"));
    const auto book = readWorkbook(file);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cells.size(), 77);
    EXPECT_EQ(book.cell(QStringLiteral("A1")).toInt(), grid.cell(1, 1));
    EXPECT_EQ(book.cell(QStringLiteral("G1")).toInt(), grid.cell(1, 7));
    EXPECT_EQ(book.cell(QStringLiteral("A11")).toInt(), grid.cell(11, 1));
    EXPECT_EQ(book.cell(QStringLiteral("G11")).toInt(), grid.cell(11, 7));
    EXPECT_TRUE(book.isNumber(QStringLiteral("D6")));

    // Saving over it asks first; a failed save keeps the file and says so.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    f.close();
    workbook.failing = true;
    dialogs.messages.clear();
    dialogs.fileAnswers = {file};
    dialogs.messageAnswers = {Dialogs::Answer::Yes};
    EXPECT_FALSE(chart->saveWorkbook());
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("此文件已存在，是否覆盖?"));
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("文件保存不成功!"));
    EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("提示"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), saved);
}

} // namespace
} // namespace lumetra::test
