// The live video's frame path at 640 x 480: converting a driver frame in each pixel layout to a
// picture, and the whole way from the driver's buffer to the picture painted in the capture
// card's rectangle (conversion, hand-over to the user-interface thread, paint). At 30 frames a
// second the whole way must stay well under 33 ms; the target is 5 ms a frame.
#include "support/SinkOnlyDevice.h"

#include "capture/CaptureCardControl.h"
#include "devices/CaptureDevice.h"
#include "devices/FrameConverter.h"
#include "devices/FrameEncoder.h"
#include "devices/SimulatedBeam.h"
#include "devices/SimulatedCaptureDevice.h"
#include "devices/V4l2Mapping.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace lumetra;
using lumetra::bench::SinkOnlyDevice;

EncodedFrame driverFrame(int subtype)
{
    SimulatedBeam beam;
    return encodeFrame(beam.render({}, 1.0), v4l2map::subtypeFourcc(subtype));
}

void BM_ConvertFrame(benchmark::State &state)
{
    const int subtype = int(state.range(0));
    const EncodedFrame raw = driverFrame(subtype);
    const quint32 fourcc = v4l2map::subtypeFourcc(subtype);
    for (auto _ : state) {
        QImage frame = convertFrame(reinterpret_cast<const uchar *>(raw.data.constData()), raw.data.size(),
                                    fourcc, 640, 480, raw.bytesPerLine);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_FramePathToScreen(benchmark::State &state)
{
    const int subtype = int(state.range(0));
    const EncodedFrame raw = driverFrame(subtype);
    const quint32 fourcc = v4l2map::subtypeFourcc(subtype);
    auto device = std::make_unique<SinkOnlyDevice>();
    SinkOnlyDevice *sink = device.get();
    CaptureCardControl control(std::move(device));
    control.resize(640, 480);
    control.show();
    int shown = 0;
    QObject::connect(&control, &CaptureCardControl::frameArrived, [&shown] { ++shown; });
    for (auto _ : state) {
        sink->frames(convertFrame(reinterpret_cast<const uchar *>(raw.data.constData()), raw.data.size(),
                                  fourcc, 640, 480, raw.bytesPerLine));
        QCoreApplication::sendPostedEvents(&control);
        control.repaint();
    }
    if (shown != int(state.iterations()))
        state.SkipWithError("a frame did not reach the screen");
}

void BM_SimulatedFrame(benchmark::State &state)
{
    SimulatedCaptureDevice device;
    device.connectDevice();
    device.setFormat(640, 480, int(state.range(0)));
    device.stop();
    double t = 0;
    for (auto _ : state) {
        QImage frame = device.frameAt(t += 0.04);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

} // namespace

BENCHMARK(BM_ConvertFrame)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FramePathToScreen)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulatedFrame)->Arg(SubtypeRgb24)->Arg(SubtypeYuy2)->Unit(benchmark::kMillisecond);
