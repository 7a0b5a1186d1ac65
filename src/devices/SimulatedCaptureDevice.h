#pragma once

#include "devices/CaptureDevice.h"
#include "devices/SimulatedBeam.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace lumetra {

// The simulated card on channel 0, for demonstrations and tests: a moving light spot with noise
// (SimulatedBeam) at 25 frames a second in PAL and 30 in NTSC. It takes NTSC and PAL but keeps
// its standard on SECAM, five sources, the four picture controls on 0..10000, and the formats
// 640 x 480 and 320 x 240 in every subtype; each frame passes through the subtype's pixel layout,
// so the picture shows its quantisation and chroma resolution. A signal is always present.
class SimulatedCaptureDevice : public CaptureDevice
{
public:
    SimulatedCaptureDevice();
    ~SimulatedCaptureDevice() override;

    int connectDevice() override;
    bool isConnected() const override;
    void release() override;

    int standard() const override;
    void setStandard(int standard) override;
    int input() const override;
    void setInput(int input) override;
    int pictureControl(PictureControl control) const override;
    void setPictureControl(PictureControl control, int value) override;

    bool setFormat(int width, int height, int subtype) override;
    VideoFormat format() const override;
    bool signalPresent() const override;

    void run() override;
    void pause() override;
    void stop() override;
    StreamState streamState() const override;
    void setSinks(FrameSink frames, FailureSink failures) override;

    QList<DeviceControl> controls() const override;
    void setControl(quint32 id, int value) override;
    QStringList inputNames() const override;
    QList<QSize> frameSizes() const override;

    // One frame as the stream would deliver it at `seconds`, with the settings in force (not to be
    // called while the stream runs: the stream paints with the same beam).
    QImage frameAt(double seconds);

    // The spot's drift (pixels a minute along x and y) and jitter (pixels rms), see BeamSettings;
    // they take effect with the next frame.
    void setMotion(double driftXPerMinute, double driftYPerMinute, double jitterRms);
    void motion(double *driftXPerMinute, double *driftYPerMinute, double *jitterRms) const;

    static constexpr int SourceCount = 5;

private:
    void halt();
    void loop(std::stop_token stop);

    mutable std::mutex m_mutex; // guards everything the streaming thread reads
    std::condition_variable_any m_wake;
    bool m_connected = false;
    int m_standard = StandardNtsc;
    BeamSettings m_settings;
    int m_subtype = SubtypeRgb24;
    StreamState m_state = StreamState::Stopped;
    FrameSink m_frames;
    FailureSink m_failures;
    SimulatedBeam m_beam;
    std::jthread m_thread;
};

} // namespace lumetra
