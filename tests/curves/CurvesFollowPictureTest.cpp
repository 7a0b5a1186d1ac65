// The open curve window always shows the picture on screen: after a filter, after new settings,
// after another picture was opened, and enlarged in line mode.
#include "CurveFixture.h"

#include "analysis/curves/CurveRedraw.h"

#include <QLineEdit>

namespace lumetra::test {
namespace {

using CurvesFollowPicture = CurveFixture;

// The table's two value columns, row by row.
[[maybe_unused]] QStringList tableValues(const AppContext &context)
{
    QStringList values;
    const IntensityTableWindow *table = IntensityTableWindow::instance(context);
    for (int row = 1; table && row <= table->rowCount(); ++row)
        values << table->text(row, 1) + QLatin1Char('/') + table->text(row, 2);
    return values;
}

TEST_F(CurvesFollowPicture, AFilterIsSampledAgainAndTheWindowAndTableShowIt)
{
    for (const bool vertical : {false, true}) {
        CurveWindow *w = openCurves(vertical);
        ASSERT_NE(w, nullptr);
        WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
        const QImage plotBefore = w->plot().image();
        const QStringList tableBefore = tableValues(*context);
        progress.shown.clear();
        ws->menuItem(QStringLiteral("blur2"))->trigger();

        // Sampled again as at the opening: the filter's own snapshot, then the three windows.
        EXPECT_EQ(progress.shown,
                  QStringList({"Waiting", "Waiting", "正在读取灰度值", "正在计算灰度最大、最小值"}));
        // The grey map is the filtered picture's (grey in, grey out), the bright cut line spread.
        const QImage &filtered = ws->picture().drawing();
        for (int i = 1; i < 479; ++i) {
            const int x = vertical ? 320 : i, y = vertical ? i : 192;
            ASSERT_EQ(state->picture.GreyMap(x, y), qRed(filtered.pixel(x, y))) << x << "," << y;
        }
        EXPECT_LT(state->picture.GreyMap(100, 192), TestPicture::grey(100, 192));
        EXPECT_NE(w->plot().image(), plotBefore);
        EXPECT_NE(tableValues(*context), tableBefore);
        // What a window opened now on the filtered picture shows.
        const QStringList tableAfter = tableValues(*context);
        closeCurveWindow(w);
        ws->menuItem(vertical ? QStringLiteral("verticalCurve") : QStringLiteral("horizontalCurve"))->trigger();
        EXPECT_EQ(tableValues(*context), tableAfter);
        closeAllWindows();
    }
}

TEST_F(CurvesFollowPicture, SavedSettingsApplyToTheOpenWindowAtOnce)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
    ws->menuItem(QStringLiteral("settings"))->trigger();
    SettingsDialog *dialog = SettingsDialog::instance(*context);
    ASSERT_NE(dialog, nullptr);
    dialog->widthEntry()->setText(QStringLiteral("7"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("设置值已成功被修改!"));
    EXPECT_EQ(state->cut.IntegrationWidth, 7);
    const QStringList applied = tableValues(*context);
    const QImage marked = ws->picture().image();
    const QImage plot = w->plot().image();

    // The same as a window opened with the new width: table, band on the picture, curves.
    closeCurveWindow(w);
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    w = CurveWindow::openWindow(*context);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(tableValues(*context), applied);
    EXPECT_EQ(ws->picture().image(), marked);
    const Colour analysed = colours::AnalysedFace;
    for (int x = 0; x < 640; x += 7)
        for (int y = 0; y < 200; ++y)
            ASSERT_EQ(plot.pixel(x, y) == toQRgb(analysed), w->plot().image().pixel(x, y) == toQRgb(analysed))
                << x << "," << y;
}

TEST_F(CurvesFollowPicture, OpeningAnotherPictureClosesTheCurvesAndShowsIt)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
    QImage other(640, 480, QImage::Format_RGB32);
    other.fill(qRgb(90, 90, 90));
    const QString file = QDir(dir.path()).filePath(QStringLiteral("other.bmp"));
    ASSERT_TRUE(other.save(file, "BMP"));
    state->picture.ImagePath = file;
    ASSERT_EQ(WorkspaceWindow::showWorkspace(*context, *state, state->picture.ImagePath), ws);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CurveWindow::openWindow(*context), nullptr);
    EXPECT_EQ(IntensityTableWindow::instance(*context), nullptr);
    EXPECT_FALSE(state->cut.Active);
    // The new picture, without the old cut marker, and the commands of a loaded workspace.
    EXPECT_EQ(ws->picture().image(), other);
    EXPECT_TRUE(ws->menuItem(QStringLiteral("horizontalCurve"))->isEnabled());
    EXPECT_FALSE(ws->menuItem(QStringLiteral("exportTable"))->isEnabled());
}

TEST_F(CurvesFollowPicture, TheRulersCountPicturePixelsWhateverTheCurveWindowLeft)
{
    WorkspaceWindow *ws = openWorkspace();
    ASSERT_NE(ws, nullptr);
    const QImage rulers = ws->windowSurface().image();
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    CurveWindow *w = CurveWindow::openWindow(*context);
    ASSERT_NE(w, nullptr);
    // The workspace closes; the curve window outlives it and sets its axis again.
    ws->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
    ASSERT_EQ(state->view.AxisStart, -320);
    ws = openWorkspace();
    ASSERT_NE(ws, nullptr);
    EXPECT_EQ(ws->windowSurface().image(), rulers);
}

TEST_F(CurvesFollowPicture, LineModeEnlargedShowsTheBlueCurve)
{
    // Also with the integration width 0 of a fresh install (no smoothing along the cut).
    for (const bool vertical : {false, true, false, true}) {
        static int run = 0;
        if (run++ == 2)
            writeSettings(QStringLiteral("0"));
        CurveWindow *w = openCurves(vertical);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
        const int normal = countColour(w->plot(), colours::AnalysedLine);
        EXPECT_GT(normal, 100);
        QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
        EXPECT_GT(countColour(w->plot(), colours::AnalysedLine), normal) << vertical;
        closeAllWindows();
    }
}

} // namespace
} // namespace lumetra::test
