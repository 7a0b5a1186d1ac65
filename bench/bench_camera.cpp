// A 2048 x 2048 Mono16 camera (Aravis's in-process fake camera drawing a Gaussian beam, at the
// highest rate it reaches) into live measurement, as the capture window wires them, for a few
// seconds. Counters:
//  - camera_fps: complete frames the camera delivered a second;
//  - display_fps: frames the picture showed a second (must stay at 25 or more);
//  - measured / dropped: frames the worker measured, and frames a newer one replaced before they
//    were measured (newest wins); with in_flight (at most two) they account for every frame;
//  - measure_cpu_ms: processor time of one measurement on the worker.
#include "capture/CaptureCardControl.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LiveMeasurer.h"
#include "devices/genicam/Aravis.h"
#include "devices/genicam/GenicamCamera.h"
#include "devices/genicam/GenicamCaptureDevice.h"
#include "support/FakeBeamCamera.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>


namespace {

using namespace lumetra;

void BM_Camera2048Mono16Live(benchmark::State &state)
{
    test::FakeBeam beam;
    beam.cx = 1020.5;
    beam.cy = 1030.25;
    beam.sigmaX = 200;
    beam.sigmaY = 150;
    auto device = std::make_unique<GenicamCaptureDevice>(QStringLiteral("BENCH"), [&beam](QString *error) {
        ArvDevice *fake = arv_fake_device_new("BENCH", nullptr);
        test::drawFakeBeam(arv_fake_device_get_fake_camera(ARV_FAKE_DEVICE(fake)), &beam);
        auto camera = GenicamCamera::adopt(fake, QStringLiteral("BENCH"), error);
        g_object_unref(fake);
        return camera;
    });
    GenicamCaptureDevice *camera = device.get();
    QWidget window;
    auto *control = new CaptureCardControl(std::move(device), &window);
    control->setFixedSize(1024, 1024);
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control);
    auto *live = new LiveMeasurement(control, &window, {}, &window);
    window.show();
    camera->connectDevice();
    camera->setPixelFormat(QStringLiteral("Mono16"));
    camera->setRoi(QRect(0, 0, 2048, 2048));
    camera->setExposureUs(400);
    const QString rateRefused = camera->setFrameRate(camera->limits().frameRate.maximum);
    if (!rateRefused.isEmpty())
        state.SkipWithError(rateRefused.toUtf8().constData());
    state.counters["rate_set"] = camera->settings().frameRate;
    live->setEnabled(true);
    int shown = 0;
    QObject::connect(control, &CaptureCardControl::frameArrived, [&shown] { ++shown; });
    const LiveMeasurer &measurer = live->measurer();
    camera->run();
    constexpr int Seconds = 4;
    for (auto _ : state) {
        shown = 0;
        const long long droppedBefore = camera->droppedFrames();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < Seconds * 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.counters["display_fps"] = shown / seconds;
        state.counters["camera_dropped"] = double(camera->droppedFrames() - droppedBefore);
    }
    camera->stop();
    QElapsedTimer settle; // the last measurements come back
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const long long frames = live->deepFrameCount();
    state.counters["camera_fps"] = frames / (Seconds + 0.0);
    state.counters["frames"] = double(frames);
    state.counters["in_flight"] = double(frames - measurer.measuredCount() - measurer.dropped());
    state.counters["measured"] = double(measurer.measuredCount());
    state.counters["dropped"] = double(measurer.dropped());
    state.counters["measure_cpu_ms"] = measurer.measureCpuMsPerFrame();
}

} // namespace

BENCHMARK(BM_Camera2048Mono16Live)->Unit(benchmark::kMillisecond)->Iterations(1);
