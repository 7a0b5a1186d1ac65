// The filter menu of the workspace: each command filters pictureView in place, row by row, from a
// fresh snapshot, with the cut marker kept out of the picture.
#include "WorkspaceFixture.h"

#include "analysis/curves/Overlays.h"
#include "curves/CurveWindow.h"
#include "workspace/FilterCommands.h"
#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QCursor>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace lumetra::test {
namespace {

// Progress windows that remember what was asked of them.
class RecordingProgress : public ProgressWindows
{
public:
    int waitingShown = 0;
    int waitingClosed = 0;
    int waitingSteps = 0;
    float lastPercent = 0;
    void show(Window w, const QString &) override { waitingShown += w == Window::Waiting; }
    void setProgress(Window w, float percent) override
    {
        if (w == Window::Waiting) {
            ++waitingSteps;
            lastPercent = percent;
        }
    }
    void close(Window w) override { waitingClosed += w == Window::Waiting; }
    void repaintWorkspace() override {}
};

// Counts the paint events of a widget and what the pointer looked like meanwhile.
class PaintWatcher : public QObject
{
public:
    std::vector<QRect> rects;
    std::vector<Qt::CursorShape> pointers;
    QWidget *pointerOf = nullptr;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            rects.push_back(static_cast<QPaintEvent *>(event)->rect());
            if (pointerOf)
                pointers.push_back(pointerOf->cursor().shape());
        }
        return false;
    }
};

Colour grey(int v)
{
    return rgb(v, v, v);
}

QImage uniform(int v)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(qRgb(v, v, v));
    return image;
}

class FilterCommands : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        // The same context, with progress windows that record their use.
        context =
            std::make_unique<AppContext>(AppContext{services, recorder, nullptr, nullptr, {}, {}});
        context->mainWindow = &mainWindow;
        wireWindows(*context, *state);
        writeFile("configtext.txt", "3\r\n5\r\n");
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    WorkspaceWindow *openImage(const QImage &picture)
    {
        image = picture;
        EXPECT_TRUE(open(writeImage(QStringLiteral("picture.bmp"), picture)));
        WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
        EXPECT_NE(ws, nullptr);
        return ws;
    }

    static Colour at(WorkspaceWindow *ws, int x, int y) { return ws->picture().point(x, y); }

    static void choose(WorkspaceWindow *ws, const char *item)
    {
        QAction *action = ws->menuItem(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        ASSERT_TRUE(action->isEnabled()) << item;
        action->trigger();
    }

    RecordingProgress recorder;
};

TEST_F(FilterCommands, Blur1OnUniformGreyDarkensOnlyTheEdgeRowsAndColumns)
{
    WorkspaceWindow *ws = openImage(uniform(120));
    choose(ws, "blur1");
    EXPECT_EQ(at(ws, 0, 0), grey(120));
    EXPECT_EQ(at(ws, 300, 0), grey(120)) << "row 0 untouched";
    EXPECT_EQ(at(ws, 0, 300), grey(120)) << "column 0 untouched";
    EXPECT_EQ(at(ws, 300, 300), grey(120));
    EXPECT_EQ(at(ws, 2, 2), grey(120));
    EXPECT_EQ(at(ws, 638, 478), grey(120));
    EXPECT_EQ(at(ws, 300, 1), grey(80)) << "6 of 9 cells in the picture";
    EXPECT_EQ(at(ws, 300, 479), grey(80)) << "3 cells of red -1 beyond the picture";
    EXPECT_EQ(at(ws, 1, 300), grey(80));
    EXPECT_EQ(at(ws, 639, 300), grey(80));
    EXPECT_EQ(ws->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FilterCommands, ApplyingTwiceFiltersTheFilteredPicture)
{
    // One bright pixel of 225 on black. The first blur spreads it to a 3 x 3 block of 25; the
    // second takes a new snapshot and spreads that block to 5 x 5.
    QImage impulse = uniform(0);
    impulse.setPixel(300, 200, qRgb(225, 225, 225));
    WorkspaceWindow *ws = openImage(impulse);
    choose(ws, "blur1");
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const bool inBlock = std::abs(dx) <= 1 && std::abs(dy) <= 1;
            ASSERT_EQ(at(ws, 300 + dx, 200 + dy), grey(inBlock ? 25 : 0)) << dx << "," << dy;
        }
    choose(ws, "blur1");
    // Cells of the 3 x 3 block each block sum reaches: 9 -> 25, 6 -> 16.7, 4 -> 11.1,
    // 3 -> 8.3, 2 -> 5.6, 1 -> 2.8; rounded: 25, 17, 11, 8, 6, 3.
    const int expected[5][5] = {
        {3, 6, 8, 6, 3}, {6, 11, 17, 11, 6}, {8, 17, 25, 17, 8}, {6, 11, 17, 11, 6}, {3, 6, 8, 6, 3}};
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            EXPECT_EQ(at(ws, 300 + dx, 200 + dy), grey(expected[dy + 2][dx + 2])) << dx << "," << dy;
    EXPECT_EQ(at(ws, 303, 200), grey(0));
    EXPECT_EQ(recorder.waitingShown, 2) << "one snapshot per run";
}

TEST_F(FilterCommands, SnapshotWithTheWaitingWindowAndTheSweepRowByRow)
{
    WorkspaceWindow *ws = openImage(patternImage(640, 480));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ws));
    QApplication::processEvents();
    PaintWatcher watcher;
    watcher.pointerOf = ws;
    ws->pictureView()->installEventFilter(&watcher);
    choose(ws, "sharpen1");
    ws->pictureView()->removeEventFilter(&watcher);

    EXPECT_EQ(recorder.waitingShown, 1);
    EXPECT_EQ(recorder.waitingClosed, 1);
    EXPECT_EQ(recorder.waitingSteps, 480) << "one progress step per sampled row";
    EXPECT_FLOAT_EQ(recorder.lastPercent, 100.0f);

    // Rows 1..479 painted one at a time, top to bottom, while the busy pointer shows.
    std::vector<int> rows;
    for (const QRect &r : watcher.rects)
        if (r.height() == 1)
            rows.push_back(r.top() - ws->pictureView()->border());
    ASSERT_EQ(rows.size(), 479u);
    for (size_t i = 0; i < rows.size(); ++i)
        ASSERT_EQ(rows[i], static_cast<int>(i) + 1);
    ASSERT_FALSE(watcher.pointers.empty());
    for (Qt::CursorShape shape : watcher.pointers)
        EXPECT_EQ(shape, Qt::WaitCursor);
    EXPECT_EQ(ws->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FilterCommands, DiffusionsDifferBetweenRunsFromOneGenerator)
{
    const QImage source = patternImage(640, 480);
    WorkspaceWindow *ws = openImage(source);
    for (const char *item : {"diffuse", "diffuseMore"}) {
        ws->picture().setPicture(source);
        const FilterRandom before = workspaceRandom();
        choose(ws, item);
        const QImage first = ws->picture().image().copy();
        FilterRandom advanced = before;
        advanced.discard(2ull * 477 * 637);
        EXPECT_EQ(workspaceRandom(), advanced) << item << ": two numbers per pixel, never reseeded";
        EXPECT_NE(first, source.convertToFormat(first.format())) << item;

        ws->picture().setPicture(source);
        choose(ws, item);
        EXPECT_NE(ws->picture().image(), first) << item << ": a second run scatters differently";
        EXPECT_EQ(ws->picture().image().pixel(1, 100), source.pixel(1, 100)) << "column 1 kept";
        EXPECT_EQ(ws->picture().image().pixel(100, 479), source.pixel(100, 479)) << "row 479 kept";
    }
}

TEST_F(FilterCommands, CutMarkerStaysOutOfTheFilteredPictureAndComesBack)
{
    WorkspaceWindow *ws = openImage(uniform(120));
    choose(ws, "horizontalCurve");
    ASSERT_NE(CurveWindow::openWindow(*context), nullptr);
    ASSERT_TRUE(state->cut.Active);
    const int cut = static_cast<int>(state->cut.CutPosition);
    const QImage marked = ws->picture().image().copy();
    ASSERT_NE(marked.pixel(300, cut), qRgb(120, 120, 120)) << "the marker shows on the cut row";

    choose(ws, "blur1");
    EXPECT_EQ(at(ws, 300, 1), grey(80)) << "the blur ran";
    // Afterwards the marker is back exactly where it was: the blur of a uniform picture leaves
    // the interior as it was, so the whole interior matches the marked picture.
    for (int y = 2; y <= 478; ++y)
        for (int x = 2; x <= 638; ++x)
            ASSERT_EQ(ws->picture().image().pixel(x, y), marked.pixel(x, y)) << x << "," << y;

    // Taking the marker off shows what the filter wrote: plain grey, no trace of the lines.
    overlays::DrawCutMarker(*state, ws->picture());
    for (int y = cut - 5; y <= cut + 5; ++y)
        for (int x = 2; x <= 638; ++x)
            ASSERT_EQ(ws->picture().point(x, y), grey(120)) << x << "," << y;
    overlays::DrawCutMarker(*state, ws->picture());
}

TEST_F(FilterCommands, TheNextCurveWindowSamplesTheFilteredPicture)
{
    WorkspaceWindow *ws = openImage(uniform(120));
    choose(ws, "blur1");
    choose(ws, "horizontalCurve");
    ASSERT_NE(CurveWindow::openWindow(*context), nullptr);
    EXPECT_EQ(state->picture.GreyMap(300, 300), 120);
    EXPECT_EQ(state->picture.GreyMap(300, 1), 80) << "the darkened first row";
    EXPECT_EQ(state->picture.GreyMap(1, 300), 80);
    EXPECT_EQ(state->picture.GreyMap(300, 479), 80);
}

TEST_F(FilterCommands, TheWindowShowsTheFilteredPicture)
{
    QImage impulse = uniform(30);
    for (int y = 200; y < 280; ++y)
        for (int x = 280; x < 360; ++x)
            impulse.setPixel(x, y, qRgb(250, 250, 250));
    WorkspaceWindow *ws = openImage(impulse);
    QApplication::processEvents();
    const QImage before = ws->grab().toImage();
    choose(ws, "blur2");
    QApplication::processEvents();
    const QImage after = ws->grab().toImage();
    if (qEnvironmentVariableIsSet("LUMETRA_SCREENSHOT_DIR")) {
        const QDir out(qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR"));
        before.save(out.filePath(QStringLiteral("filter-before.png")));
        after.save(out.filePath(QStringLiteral("filter-after.png")));
    }
    // The view's pixel over picture pixel (280, 240) is the blurred edge of the square, inside
    // the picture box of the window.
    const QPoint origin =
        ws->pictureView()->mapTo(ws, QPoint(ws->pictureView()->border(), ws->pictureView()->border()));
    const QColor edge = after.pixelColor(origin + QPoint(280, 240));
    EXPECT_EQ(fromQColor(edge), at(ws, 280, 240));
    EXPECT_NE(at(ws, 280, 240), grey(250));
    EXPECT_EQ(fromQColor(before.pixelColor(origin + QPoint(280, 240))), grey(250));
}

} // namespace
} // namespace lumetra::test
