// Live measurement in the capture window, at 640 x 480. The frame rate shown must not drop by more
// than 10 % with measurement on:
//  - BM_LiveFramePath: the user-interface thread's work per frame (hand-over, paint with the
//    ellipse, strip, plots) with measurement off (0) and on (1); the measuring itself runs on
//    the worker thread.
//  - BM_LiveMeasureFrame: the worker's work per frame (grey conversion and measurement); under the
//    40 ms between two frames at 25 a second, it keeps up with every frame.
//  - BM_FalseColourFrame: one simulated frame coloured in each palette (0 grey .. 3 high contrast)
//    with the colour bar, black below the noise and both contours on, as the streaming thread does
//    it for the capture window; with the hand-over and the paint (BM_LiveFramePath/2) it must stay
//    well under the 40 ms between two frames.
//  - BM_SimulatedCameraRate: the simulated camera (PAL, 25 frames a second) shown for a few
//    seconds with measurement off (0) and on (1); counter "fps" is the rate the window shows.
#include "support/SinkOnlyDevice.h"

#include "capture/CaptureCardControl.h"
#include "capture/VideoColouring.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LiveMeasurer.h"
#include "platform/framefiles/FrameFile.h"
#include "capture/live/LivePanel.h"
#include "devices/SimulatedCaptureDevice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace lumetra;

std::vector<QImage> simulatedFrames(int count)
{
    SimulatedCaptureDevice device;
    device.connectDevice();
    device.setStandard(StandardPal);
    device.setFormat(640, 480, SubtypeRgb24);
    device.stop();
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(device.frameAt(0.04 * i));
    return frames;
}

// The capture card's picture with the live panel beside it, as the capture window lays them out.
struct LiveRig
{
    explicit LiveRig(std::unique_ptr<CaptureDevice> device)
    {
        control = new CaptureCardControl(std::move(device), &window);
        control->setFixedSize(640, 480);
        auto *layout = new QHBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(control);
        live = new LiveMeasurement(control, &window, {}, &window);
        window.show();
    }
    void setLive(bool on)
    {
        live->setEnabled(on);
        if (on)
            window.layout()->addWidget(live->panel());
    }

    QWidget window;
    CaptureCardControl *control = nullptr;
    LiveMeasurement *live = nullptr;
};

FalseColourChoice everythingOn(Palette palette)
{
    FalseColourChoice choice;
    choice.palette = palette;
    choice.noiseBlack = true;
    choice.contours = true;
    return choice;
}

void BM_LiveFramePath(benchmark::State &state)
{
    const std::vector<QImage> frames = simulatedFrames(25);
    auto device = std::make_unique<bench::SinkOnlyDevice>();
    bench::SinkOnlyDevice *sink = device.get();
    LiveRig rig(std::move(device));
    rig.setLive(state.range(0) == 1);
    if (state.range(0) == 2)
        rig.control->setFalseColour(everythingOn(Palette::Viridis));
    std::size_t next = 0;
    for (auto _ : state) {
        sink->frames(frames[next++ % frames.size()]);
        QCoreApplication::processEvents();
        rig.window.repaint();
    }
    state.counters["measured"] = double(rig.live->measurer().measuredCount());
}

void BM_FalseColourFrame(benchmark::State &state)
{
    const std::vector<QImage> frames = simulatedFrames(25);
    const FalseColourChoice choice = everythingOn(Palette(state.range(0)));
    std::size_t next = 0, lines = 0;
    for (auto _ : state) {
        const VideoPicture shown = colourVideo(frames[next++ % frames.size()], nullptr, choice);
        lines += shown.halfContour.size();
        benchmark::DoNotOptimize(shown.image.constBits());
    }
    state.counters["contour_segments"] = double(lines) / double(state.iterations());
}

void BM_LiveMeasureFrame(benchmark::State &state)
{
    const std::vector<QImage> frames = simulatedFrames(25);
    std::size_t next = 0;
    for (auto _ : state) {
        const beam::BeamResult r = beam::measureBeam(frameFromImage(frames[next++ % frames.size()]));
        benchmark::DoNotOptimize(r.dMajor);
    }
}

void BM_SimulatedCameraRate(benchmark::State &state)
{
    auto device = std::make_unique<SimulatedCaptureDevice>();
    SimulatedCaptureDevice *camera = device.get();
    LiveRig rig(std::move(device));
    camera->connectDevice();
    camera->setStandard(StandardPal);
    rig.setLive(state.range(0) == 1);
    if (state.range(0) == 2)
        rig.control->setFalseColour(everythingOn(Palette::Viridis));
    int shown = 0;
    QObject::connect(rig.control, &CaptureCardControl::frameArrived, [&shown] { ++shown; });
    camera->setFormat(640, 480, SubtypeRgb24);
    constexpr int Seconds = 4;
    for (auto _ : state) {
        shown = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < Seconds * 1000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        state.counters["fps"] = shown / (clock.nsecsElapsed() / 1e9);
    }
    state.counters["dropped"] = double(rig.live->measurer().dropped());
    camera->stop();
}

} // namespace

BENCHMARK(BM_LiveFramePath)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FalseColourFrame)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveMeasureFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulatedCameraRate)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
