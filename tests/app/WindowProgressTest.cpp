// The progress windows as the program shows them: single instances, captions, the busy pointer,
// and a bar that is repainted only when its whole percent changes and not too often.
#include "app/progress/WindowProgress.h"
#include "app/progress/WaitingDialog.h"
#include "app/progress/ProgressDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumetra {
namespace {

using Window = ProgressWindows::Window;

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class WindowProgressTest : public ::testing::Test
{
protected:
    WindowProgressTest() : progress(&owner, [this] { return now; })
    {
        owner.resize(800, 600);
        owner.show();
    }

    QProgressBar *bar(Window window) const
    {
        return window == Window::Waiting ? progress.waitingWindow()->progressBar()
                                         : progress.progressWindow()->progressBar();
    }

    QWidget owner;
    qint64 now = 1000;
    WindowProgress progress;
};

TEST_F(WindowProgressTest, WaitingShowsItsFrameAndBarModelessWithTheBusyPointer)
{
    progress.show(Window::Waiting);
    WaitingDialog *w = progress.waitingWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowModality(), Qt::NonModal);
    EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(w->parentWidget(), &owner);
    auto *frame = w->findChild<QGroupBox *>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Applying filter. Please, wait."));
    EXPECT_EQ(w->progressBar()->objectName(), QStringLiteral("progressBar"));
    EXPECT_EQ(w->progressBar()->value(), 0);
    EXPECT_EQ(progress.progressWindow(), nullptr);
}

TEST_F(WindowProgressTest, JinduShowsTheCallersCaptionOrItsOwn)
{
    progress.show(Window::Progress);
    ASSERT_NE(progress.progressWindow(), nullptr);
    EXPECT_EQ(progress.progressWindow()->caption()->text(), QString::fromUtf8("正在读取灰度值"));
    progress.close(Window::Progress);

    progress.show(Window::Progress, QString::fromUtf8("正在滤波"));
    EXPECT_EQ(progress.progressWindow()->caption()->text(), QString::fromUtf8("正在滤波"));
    EXPECT_TRUE(progress.progressWindow()->isVisible());
    EXPECT_EQ(progress.waitingWindow(), nullptr);
}

TEST_F(WindowProgressTest, ShowingAgainWhileOpenKeepsTheOneWindowAndStartsTheBarAfresh)
{
    progress.show(Window::Progress);
    ProgressDialog *first = progress.progressWindow();
    now += 100;
    progress.setProgress(Window::Progress, 40.f);
    ASSERT_EQ(bar(Window::Progress)->value(), 40);
    progress.show(Window::Progress, QStringLiteral("again"));
    EXPECT_EQ(progress.progressWindow(), first);
    EXPECT_EQ(bar(Window::Progress)->value(), 0);
}

TEST_F(WindowProgressTest, CloseDestroysTheWindowAndTheNextShowMakesANewOne)
{
    progress.show(Window::Waiting);
    QPointer<WaitingDialog> first = progress.waitingWindow();
    progress.close(Window::Waiting);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(progress.waitingWindow(), nullptr);
    // Closing or advancing a window that is not shown is harmless.
    progress.close(Window::Waiting);
    progress.setProgress(Window::Waiting, 50.f);
    EXPECT_EQ(progress.waitingWindow(), nullptr);

    progress.show(Window::Waiting);
    ASSERT_NE(progress.waitingWindow(), nullptr);
    EXPECT_EQ(bar(Window::Waiting)->value(), 0);
}

TEST_F(WindowProgressTest, TheBarFollowsWholePercentsOnceEnoughTimeHasPassed)
{
    progress.show(Window::Progress);
    now += WindowProgress::RepaintIntervalMs;
    progress.setProgress(Window::Progress, 12.9f);
    EXPECT_EQ(bar(Window::Progress)->value(), 12);

    now += 5; // too soon after the last repaint
    progress.setProgress(Window::Progress, 20.f);
    EXPECT_EQ(bar(Window::Progress)->value(), 12);

    now += WindowProgress::RepaintIntervalMs;
    progress.setProgress(Window::Progress, 21.5f);
    EXPECT_EQ(bar(Window::Progress)->value(), 21);
}

TEST_F(WindowProgressTest, HundredIsAlwaysShownAndValuesAreClamped)
{
    progress.show(Window::Waiting);
    progress.setProgress(Window::Waiting, 100.f); // at once, no time passed
    EXPECT_EQ(bar(Window::Waiting)->value(), 100);

    progress.show(Window::Waiting);
    now += 1000;
    progress.setProgress(Window::Waiting, 250.f);
    EXPECT_EQ(bar(Window::Waiting)->value(), 100);

    progress.show(Window::Waiting);
    now += 1000;
    progress.setProgress(Window::Waiting, 30.f);
    now += 1000;
    progress.setProgress(Window::Waiting, -5.f);
    EXPECT_EQ(bar(Window::Waiting)->value(), 0);
    now += 1000;
    progress.setProgress(Window::Waiting, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(bar(Window::Waiting)->value(), 0);
}

TEST_F(WindowProgressTest, APassOfFourHundredEightyRowsRepaintsTheBarAtMostOncePerPercent)
{
    progress.show(Window::Progress);
    PaintCounter counter;
    bar(Window::Progress)->installEventFilter(&counter);
    // Rows arrive every 2 ms: 960 ms for the pass.
    for (int row = 1; row <= 480; ++row) {
        now += 2;
        progress.setProgress(Window::Progress, static_cast<float>(row) * 100.f / 480.f);
    }
    EXPECT_EQ(bar(Window::Progress)->value(), 100);
    EXPECT_GT(counter.paints, 0);
    // 960 ms at one repaint per 30 ms at most, plus the final 100 %.
    EXPECT_LE(counter.paints, 960 / WindowProgress::RepaintIntervalMs + 2);

    // Rows that do not change the whole percent never repaint.
    progress.show(Window::Progress);
    counter.paints = 0;
    for (int i = 0; i < 1000; ++i) {
        now += 100;
        progress.setProgress(Window::Progress, 0.5f);
    }
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(WindowProgressTest, BothWindowsCanBeOpenAtOnce)
{
    progress.show(Window::Waiting);
    progress.show(Window::Progress);
    now += 100;
    progress.setProgress(Window::Waiting, 70.f);
    EXPECT_EQ(bar(Window::Waiting)->value(), 70);
    EXPECT_EQ(bar(Window::Progress)->value(), 0);
    progress.close(Window::Waiting);
    EXPECT_NE(progress.progressWindow(), nullptr);
}

TEST_F(WindowProgressTest, RepaintWorkspacePaintsTheWindowTheLocatorFinds)
{
    progress.repaintWorkspace(); // no locator: nothing to do

    QWidget workspace;
    workspace.resize(200, 100);
    workspace.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&workspace));
    PaintCounter counter;
    workspace.installEventFilter(&counter);
    QWidget *current = &workspace;
    progress.setWorkspaceLocator([&current] { return current; });
    progress.repaintWorkspace();
    EXPECT_EQ(counter.paints, 1);

    current = nullptr; // the workspace has closed
    progress.repaintWorkspace();
    EXPECT_EQ(counter.paints, 1);
}

TEST(WindowProgressOwner, WindowsDestroyedWithTheirOwnerAreRemadeOnTheNextShow)
{
    auto *owner = new QWidget;
    WindowProgress progress(owner);
    progress.show(ProgressWindows::Window::Progress);
    ASSERT_NE(progress.progressWindow(), nullptr);
    delete owner;
    EXPECT_EQ(progress.progressWindow(), nullptr);
    progress.setProgress(ProgressWindows::Window::Progress, 50.f);
    progress.setOwner(nullptr);
    progress.show(ProgressWindows::Window::Progress);
    ASSERT_NE(progress.progressWindow(), nullptr);
    EXPECT_EQ(progress.progressWindow()->parentWidget(), nullptr);
}

} // namespace
} // namespace lumetra
