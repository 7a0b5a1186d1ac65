#pragma once

#include "devices/CaptureDevice.h"

namespace lumetra::bench {

// A device that only keeps the sinks, so that the benchmark can feed frames itself.
class SinkOnlyDevice : public lumetra::CaptureDevice
{
public:
    FrameSink frames;

    int connectDevice() override { return 0; }
    bool isConnected() const override { return true; }
    void release() override {}
    int standard() const override { return StandardPal; }
    void setStandard(int) override {}
    int input() const override { return 0; }
    void setInput(int) override {}
    int pictureControl(PictureControl) const override { return 5000; }
    void setPictureControl(PictureControl, int) override {}
    bool setFormat(int, int, int) override { return true; }
    VideoFormat format() const override { return {640, 480, SubtypeYuy2}; }
    bool signalPresent() const override { return true; }
    void run() override {}
    void pause() override {}
    void stop() override {}
    StreamState streamState() const override { return StreamState::Running; }
    void setSinks(FrameSink f, FailureSink) override { frames = std::move(f); }
    QList<DeviceControl> controls() const override { return {}; }
    void setControl(quint32, int) override {}
    QStringList inputNames() const override { return {}; }
    QList<QSize> frameSizes() const override { return {}; }
};

} // namespace lumetra::bench
