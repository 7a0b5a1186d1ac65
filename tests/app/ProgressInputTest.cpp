// Input that arrives while a pass runs on the interface thread acts after the pass, never in the
// middle of it, and none of it is lost.
#include "app/progress/InputDeferral.h"
#include "app/progress/WindowProgress.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

using Window = ProgressWindows::Window;

// Records, for each key and click, how far the pass had got when it arrived.
class InputRecorder : public QWidget
{
public:
    explicit InputRecorder(const int &rowsDone, QWidget *parent = nullptr) : QWidget(parent), m_rows(rowsDone) {}
    std::vector<std::pair<int, int>> seen; // (key or -1 for a click, rows done)

protected:
    void keyPressEvent(QKeyEvent *event) override { seen.emplace_back(event->key(), m_rows); }
    void mousePressEvent(QMouseEvent *) override { seen.emplace_back(-1, m_rows); }

private:
    const int &m_rows;
};

void postKey(QWidget *to, int key)
{
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void postClick(QWidget *to)
{
    QCoreApplication::postEvent(to, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                                    Qt::LeftButton, Qt::NoModifier));
}

TEST(ProgressInput, InputQueuedDuringAPassActsAfterItInOrder)
{
    int rows = 0;
    QWidget owner;
    owner.resize(400, 300);
    InputRecorder recorder(rows, &owner);
    recorder.resize(100, 100);
    owner.show();
    WindowProgress progress(&owner);

    // The pass: 100 rows, the progress windows opened part-way (each new window is mapped and
    // painted before the pass goes on), input queued before it and during it.
    postKey(&recorder, Qt::Key_A);
    for (rows = 0; rows < 100; ++rows) {
        if (rows == 10)
            progress.show(Window::Progress, QStringLiteral("采样"));
        if (rows == 40) {
            postClick(&recorder);
            postKey(&recorder, Qt::Key_B);
            progress.show(Window::Waiting);
            // What the deferral holds while events are processed in the middle of a pass.
            const InputDeferral deferral;
            QCoreApplication::processEvents();
            EXPECT_TRUE(recorder.seen.empty());
        }
        progress.setProgress(Window::Progress, float(rows));
    }
    progress.close(Window::Waiting);
    progress.close(Window::Progress);
    EXPECT_TRUE(recorder.seen.empty());

    QCoreApplication::processEvents();
    const std::vector<std::pair<int, int>> expected = {{Qt::Key_A, 100}, {-1, 100}, {Qt::Key_B, 100}};
    EXPECT_EQ(recorder.seen, expected);
}

} // namespace
} // namespace lumetra
