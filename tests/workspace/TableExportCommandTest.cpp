// "制表": the intensity table of the current cut saved as a workbook.
#include "WorkspaceFixture.h"

#include "curves/CurveWindow.h"
#include "curves/CurveWindow.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "support/WorkbookReader.h"
#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra::test {
namespace {

// Notes the workspace's pointer while the workbook is written.
class PointerNotingWorkbook : public ScriptedWorkbookService
{
public:
    QList<Qt::CursorShape> pointers;
    const AppContext *context = nullptr;
    bool save(const WorkbookSheet &sheet, const QString &path, QString *error) override
    {
        if (WorkspaceWindow *ws = context ? WorkspaceWindow::instance(*context) : nullptr)
            pointers << ws->cursor().shape();
        return ScriptedWorkbookService::save(sheet, path, error);
    }
};

class TableExportTest : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        services.workbook = &workbook;
        workbook.context = context.get();
        QFile settings(path(QStringLiteral("configtext.txt")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("3\r\n5\r\n");
    }

    // A pattern picture with a few black pixels on row 192 and column 320, the first cuts.
    void openPicture()
    {
        image = patternImage(640, 480);
        for (int i : {10, 333})
            image.setPixel(i, 192, qRgb(0, 0, 0));
        image.setPixel(320, 77, qRgb(0, 0, 0));
        ASSERT_TRUE(open(writeImage(QStringLiteral("cut.bmp"), image)));
        ws = WorkspaceWindow::instance(*context);
        ASSERT_NE(ws, nullptr);
    }

    CurveWindow *openCurve(bool vertical)
    {
        ws->menuItem(vertical ? QStringLiteral("verticalCurve") : QStringLiteral("horizontalCurve"))->trigger();
        CurveWindow *window = CurveWindow::openWindow(*context);
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(ws->menuItem(QStringLiteral("exportTable"))->isEnabled());
        return window;
    }

    void exportTo(const QString &file)
    {
        dialogs.fileAnswers.push_back(file);
        ws->menuItem(QStringLiteral("exportTable"))->trigger();
    }

    static QByteArray bytesOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // "A2"-style name of position k's column `offset` (0 X, 1 Y1, 2 Y2).
    static QString cellOf(int k, int offset)
    {
        return columnName(3 * ((k - 1) / 20) + 1 + offset) + QString::number((k - 1) % 20 + 2);
    }

    int grey(int x, int y) const
    {
        if (x < 1 || y < 1 || x >= 640 || y >= 480)
            return 0;
        const QRgb c = image.pixel(x, y);
        return static_cast<int>(std::nearbyint(0.587 * qGreen(c) + 0.299 * qRed(c) + 0.114 * qBlue(c)));
    }

    static int percent(double v, double lo, double hi)
    {
        return (lo == hi || v < lo) ? 0 : static_cast<int>(std::floor(100 * (v - lo) / (hi - lo)));
    }

    PointerNotingWorkbook workbook;
    WorkspaceWindow *ws = nullptr;
};

TEST_F(TableExportTest, AHorizontalCutGivesThirtyTwoGroupsInFaceMode)
{
    openPicture();
    CurveWindow *window = openCurve(false);
    ASSERT_NE(window, nullptr);
    const QString file = path(QStringLiteral("h.xlsx"));
    exportTo(file);

    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    const auto &request = dialogs.saveRequests[0];
    EXPECT_EQ(request.filter, QStringLiteral("Excel 工作簿|*.xlsx"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("xlsx"));
    EXPECT_EQ(request.initialDirectory, QStringLiteral("c:\\"));
    EXPECT_EQ(childWindowFrame(window)->y(), 300);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    // The main window's status bar says what was written where.
    EXPECT_EQ(mainWindow.statuses, QStringList({QStringLiteral("已保存：") + QDir::toNativeSeparators(file)}));
    // Arrow and hourglass while it works, the normal pointer after.
    EXPECT_EQ(workbook.pointers, QList<Qt::CursorShape>{Qt::BusyCursor});
    EXPECT_EQ(ws->cursor().shape(), Qt::ArrowCursor);

    const auto book = readWorkbook(file);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.sheetNames.size(), 1);
    EXPECT_EQ(book.cell("A2").toInt(), 1);
    EXPECT_EQ(book.cell("A21").toInt(), 20);
    EXPECT_EQ(book.cell("D2").toInt(), 21);
    EXPECT_EQ(book.cell("CP21").toInt(), 640);
    EXPECT_TRUE(book.isNumber("CP21"));
    EXPECT_EQ(book.cell("CP1").toString(), QStringLiteral("X"));
    EXPECT_EQ(book.cell("CQ1").toString(), QStringLiteral("Y1"));
    EXPECT_EQ(book.cell("CR1").toString(), QStringLiteral("Y2"));
    EXPECT_TRUE(book.isText("B1"));
    EXPECT_FALSE(book.cells.contains("CS1"));
    EXPECT_EQ(book.cells.size(), 640 * 3 + 96);

    // Face mode: both curves in percent of GreyMin..picture.GreyMax as the export left them.
    const int cut = static_cast<int>(state->cut.CutPosition);
    EXPECT_EQ(cut, 192);
    for (int k : {1, 57, 200, 639}) {
        EXPECT_EQ(book.cell(cellOf(k, 1)).toInt(), percent(grey(k, cut), state->picture.GreyMin, state->picture.GreyMax))
            << k;
        EXPECT_EQ(
            book.cell(cellOf(k, 2)).toInt(),
            std::max(0, percent(state->cut.ProfileH[static_cast<size_t>(k)], state->picture.GreyMin, state->picture.GreyMax)))
            << k;
    }
    // Black pixels are written as 0, not as a negative percent.
    EXPECT_EQ(book.cell(cellOf(10, 1)).toInt(), 0);
    EXPECT_EQ(book.cell(cellOf(333, 1)).toInt(), 0);
    EXPECT_TRUE(book.isNumber(cellOf(10, 1)));
}

TEST_F(TableExportTest, AVerticalCutGivesTwentyFourGroupsAndMovesItsWindowLeft)
{
    openPicture();
    CurveWindow *window = openCurve(true);
    ASSERT_NE(window, nullptr);
    const QString file = path(QStringLiteral("v.xlsx"));
    exportTo(file);
    EXPECT_EQ(childWindowFrame(window)->x(), 400);
    const auto book = readWorkbook(file);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cell("BR21").toInt(), 480);
    EXPECT_EQ(book.cell("BR1").toString(), QStringLiteral("X"));
    EXPECT_FALSE(book.cells.contains("BU1"));
    EXPECT_EQ(book.cells.size(), 480 * 3 + 72);
    EXPECT_EQ(book.cell(cellOf(77, 1)).toInt(), 0); // the black pixel at (320, 77)
    EXPECT_EQ(book.cell(cellOf(150, 1)).toInt(), percent(grey(320, 150), state->picture.GreyMin, state->picture.GreyMax));
}

TEST_F(TableExportTest, LineModeWritesZeroRawValuesAndNeitherModePositionsOnly)
{
    openPicture();
    CurveWindow *window = openCurve(false);
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->lineModeButton(), Qt::LeftButton);
    ASSERT_FALSE(window->lineModeButton()->isEnabled());
    const QString line = path(QStringLiteral("line.xlsx"));
    exportTo(line);
    auto book = readWorkbook(line);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    for (int k = 1; k <= 640; ++k)
        ASSERT_EQ(book.cell(cellOf(k, 1)), QVariant(0.0)) << k;
    for (int k : {5, 320, 600})
        EXPECT_EQ(book.cell(cellOf(k, 2)).toInt(),
                  std::max(0, percent(state->cut.ProfileH[static_cast<size_t>(k)], state->cut.ProfileMin,
                                      state->cut.ProfileMax)));

    window->showDisplayMode(std::nullopt); // both mode buttons enabled
    const QString neither = path(QStringLiteral("neither.xlsx"));
    exportTo(neither);
    book = readWorkbook(neither);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cells.size(), 640 + 96);
    EXPECT_EQ(book.cell("CP21").toInt(), 640);
    EXPECT_FALSE(book.cells.contains("B2"));
}

TEST_F(TableExportTest, CancelAndNoWriteNothingAndYesReplaces)
{
    openPicture();
    ASSERT_NE(openCurve(false), nullptr);

    dialogs.fileAnswers.push_back(std::nullopt);
    ws->menuItem(QStringLiteral("exportTable"))->trigger();
    EXPECT_TRUE(workbook.paths.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());

    const QString file = path(QStringLiteral("old.xlsx"));
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old bytes");
    old.close();

    dialogs.messageAnswers = {Dialogs::Answer::No};
    exportTo(file);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("此文件已存在，是否覆盖?"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("警告!!"));
    EXPECT_EQ(dialogs.messages[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(bytesOf(file), QByteArray("old bytes"));
    EXPECT_TRUE(workbook.paths.isEmpty());

    dialogs.messageAnswers = {Dialogs::Answer::Yes};
    exportTo(file);
    EXPECT_EQ(workbook.paths, QStringList{file});
    const auto book = readWorkbook(file);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cell("A2").toInt(), 1);
}

TEST_F(TableExportTest, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    openPicture();
    ASSERT_NE(openCurve(false), nullptr);
    const QString file = path(QStringLiteral("keep.xlsx"));
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();

    workbook.failing = true;
    dialogs.messageAnswers = {Dialogs::Answer::Yes};
    exportTo(file);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("文件保存不成功!"));
    EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.messages[1].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(bytesOf(file), QByteArray("keep me"));
    EXPECT_EQ(ws->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(mainWindow.statuses.isEmpty());

    // A new name that cannot be written leaves nothing behind.
    dialogs.messages.clear();
    exportTo(path(QStringLiteral("new.xlsx")));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("文件保存不成功!"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("new.xlsx"))));
}

} // namespace
} // namespace lumetra::test
