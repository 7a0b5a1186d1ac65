#pragma once

#include "devices/AutoExposure.h"
#include "devices/CameraControls.h"
#include "devices/CaptureDevice.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace lumetra {

class GenicamCamera;

// A GenICam camera as a capture device: the video is the camera's region at its own depth,
// delivered as deep frames with a scaled picture (saturated pixels red). Connecting opens the
// camera (again after it went away); a camera that stops answering mid-stream ends the stream
// through the FailureSink. Frames with lost packets are counted and dropped.
class GenicamCaptureDevice : public CaptureDevice, public CameraControls
{
public:
    using Opener = std::function<std::unique_ptr<GenicamCamera>(QString *error)>;

    // Opens the camera `id` on connecting.
    explicit GenicamCaptureDevice(const QString &id);
    // Opens through `opener` (tests hand in fake cameras).
    GenicamCaptureDevice(QString id, Opener opener);
    ~GenicamCaptureDevice() override;

    int connectDevice() override;
    bool isConnected() const override;
    void release() override;
    int standard() const override { return -1; }
    void setStandard(int) override {}
    int input() const override { return 0; }
    void setInput(int) override {}
    int pictureControl(PictureControl) const override { return 5000; }
    void setPictureControl(PictureControl, int) override {}
    // A camera keeps its own region (set it with setRoi): any request starts the stream.
    bool setFormat(int width, int height, int subtype) override;
    VideoFormat format() const override;
    bool signalPresent() const override;
    void run() override;
    void pause() override;
    void stop() override;
    StreamState streamState() const override { return m_state; }
    void setSinks(FrameSink frames, FailureSink failures) override;
    QList<DeviceControl> controls() const override { return {}; }
    void setControl(quint32, int) override {}
    QStringList inputNames() const override;
    QList<QSize> frameSizes() const override;
    bool setDeepFrameSink(DeepFrameSink sink) override;
    CameraControls *cameraControls() override { return this; }

    // CameraControls; the region, binning and pixel format stop the stream while they change.
    CameraIdentity identity() const override;
    CameraLimits limits() const override;
    CameraSettings settings() const override;
    QString setExposureUs(double exposureUs) override;
    QString setGain(double gain) override;
    QString setFrameRate(double framesPerSecond) override;
    QString setRoi(const QRect &roi) override;
    QString setBinning(int binning) override;
    QString setPixelFormat(const QString &name) override;
    long long droppedFrames() const override;

    // Adjusts the exposure on the streaming frames until the peak is at 70–90 % of full scale;
    // `done` is called on the streaming thread with the outcome (message says what was found or
    // why it could not be). False when the stream does not run.
    bool startAutoExposure(std::function<void(bool found, const QString &message)> done);
    bool autoExposureRunning() const { return m_autoRunning; }

    // The id the camera was opened with.
    QString id() const { return m_id; }

private:
    void startThread();
    void stopThread();
    void stream(std::stop_token stop);
    void autoExposureStep(const DeepFrame &frame);
    template <typename F>
    QString whileStopped(F change);

    QString m_id;
    Opener m_opener;
    mutable std::mutex m_cameraMutex; // every call into the camera
    std::unique_ptr<GenicamCamera> m_camera;
    CameraIdentity m_identity;
    StreamState m_state = StreamState::Stopped;
    FrameSink m_frames;
    FailureSink m_failures;
    DeepFrameSink m_deepFrames;
    std::atomic<long long> m_droppedBefore{0};

    std::optional<AutoExposure> m_auto; // streaming thread only, once started
    std::function<void(bool, const QString &)> m_autoDone;
    std::atomic<bool> m_autoRunning{false};
    int m_autoSkip = 0;
    std::mutex m_autoMutex;

    std::jthread m_thread; // last: stopped before the rest goes
};

} // namespace lumetra
