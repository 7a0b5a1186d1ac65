// Closing the capture window while live measurement is busy: the worker finishes the frame it
// measures and no other, nothing reports into a window that is gone (ASan checks the pointers),
// and a measurement that throws becomes that frame's message.
#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CaptureCardControl.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LiveMeasurer.h"
#include "capture/live/LivePanel.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>

using namespace lumetra;
using lumetra::test::CaptureWindowRig;
using lumetra::test::waitFor;

namespace {

// A measurement that takes `busyMs` and counts the frames it starts.
struct SlowMeasure
{
    std::shared_ptr<std::atomic<int>> started = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> finished = std::make_shared<std::atomic<int>>(0);
    int busyMs = 400;
    LiveMeasurer::Measure function() const
    {
        return [started = started, finished = finished, busyMs = busyMs](const beam::BeamFrame &frame) {
            ++*started;
            std::this_thread::sleep_for(std::chrono::milliseconds(busyMs));
            const beam::BeamResult r = beam::measureBeam(frame);
            ++*finished;
            return r;
        };
    }
};

CaptureWindow *openLive(CaptureWindowRig &rig)
{
    rig.useSimulated();
    CaptureWindow *form = rig.open();
    EXPECT_TRUE(waitFor([form] { return !form->card->currentFrame().isNull(); }));
    return form;
}

} // namespace

TEST(CaptureWindowClose, ClosingWithTheWorkerBusyWaitsForOneFrameAtMost)
{
    CaptureWindowRig rig;
    CaptureWindow *form = openLive(rig);
    SlowMeasure slow;
    form->liveMeasurement()->measurer().setMeasure(slow.function());
    form->menuItem(QStringLiteral("mnuLiveMeasure"))->trigger();
    // Busy with a frame, and newer frames keep arriving behind it.
    ASSERT_TRUE(waitFor([&] { return *slow.started >= 2; }, 5000));
    ASSERT_TRUE(waitFor([&] { return *slow.started > *slow.finished; }, 2000));

    QPointer<CaptureWindow> alive(form);
    QElapsedTimer clock;
    clock.start();
    form->close(); // deleted on close
    ASSERT_TRUE(waitFor([&] { return alive.isNull(); }, 5000));
    const qint64 closing = clock.elapsed();
    const int startedAtClose = *slow.started;
    EXPECT_EQ(*slow.finished, startedAtClose); // the frame being measured was finished, then joined
    EXPECT_LT(closing, 5 * slow.busyMs);       // a hang would show here; the counts show which frames

    // Results that were on their way go nowhere; no frame is measured after the window went.
    waitFor([] { return false; }, 2 * slow.busyMs);
    EXPECT_EQ(*slow.started, startedAtClose);
}

TEST(CaptureWindowClose, AMeasurementThatThrowsBecomesThatFramesMessage)
{
    CaptureWindowRig rig;
    CaptureWindow *form = openLive(rig);
    LiveMeasurement *live = form->liveMeasurement();
    std::atomic<int> calls{0};
    live->measurer().setMeasure([&calls](const beam::BeamFrame &) -> beam::BeamResult {
        if (++calls % 2)
            throw std::bad_alloc();
        throw std::runtime_error("sensor data out of range");
    });
    form->menuItem(QStringLiteral("mnuLiveMeasure"))->trigger();
    ASSERT_TRUE(waitFor([live] { return live->panel()->strip()->text().contains(QStringLiteral("内存不足")); }, 5000));
    ASSERT_TRUE(waitFor([live] { return live->panel()->strip()->text().contains(QStringLiteral("sensor data")); }, 5000));
    EXPECT_TRUE(live->history().points().empty());

    // The worker survived both: once the measurement works again, numbers come back.
    live->measurer().setMeasure({});
    ASSERT_TRUE(waitFor([live] { return live->panel()->strip()->text().contains(QStringLiteral("质心")); }, 5000));
    form->close();
}
