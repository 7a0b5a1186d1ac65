#pragma once

#include "devices/CameraControls.h"
#include "types/DeepFrame.h"

#include <QString>

typedef struct _GError GError;

#include <atomic>
#include <functional>
#include <memory>

typedef struct _ArvDevice ArvDevice;

namespace lumetra {

class GenicamPort;

// One GenICam camera on Aravis, driven synchronously: open it, set it up, start the stream and
// take frames one by one. Frames that arrive incomplete (packets lost) are counted and never
// handed out. Not thread-safe: one thread at a time (the control channel itself is).
class GenicamCamera
{
public:
    // Opens a camera by IP address (only that address is contacted), by the interface's device
    // id, by serial number or by "vendor-model-serial" (these three look the camera up on the
    // enabled interfaces, see GenicamSystem). Nothing and `error` set when it cannot be opened.
    static std::unique_ptr<GenicamCamera> open(const QString &id, QString *error);
    // Takes over a device opened elsewhere (a fake camera in a test); nothing when it is no camera.
    static std::unique_ptr<GenicamCamera> adopt(ArvDevice *device, const QString &id, QString *error);
    // A camera reached through `port` (tests script one).
    GenicamCamera(std::unique_ptr<GenicamPort> port, CameraIdentity identity);
    ~GenicamCamera();

    GenicamCamera(const GenicamCamera &) = delete;
    GenicamCamera &operator=(const GenicamCamera &) = delete;

    CameraIdentity identity() const { return m_identity; }
    CameraLimits limits() const;
    CameraSettings settings() const;

    // Empty when the camera took the value (read it back with settings()), else which setting
    // was refused and why; the setting in force stays. The region, the binning and the pixel
    // format can change only while the stream is stopped.
    QString setExposureUs(double exposureUs);
    QString setGain(double gain);
    QString setFrameRate(double framesPerSecond);
    QString setRoi(const QRect &roi);
    QString setBinning(int binning);
    QString setPixelFormat(const QString &name);

    bool start(QString *error);
    void stop();
    bool isStreaming() const { return m_streaming; }

    enum class Grab { Frame, Timeout, Lost };
    // The next complete frame, waiting up to timeoutMs. Lost: the camera stopped answering
    // (`error` says so); the stream is then stopped. Timeout: no whole frame in time (see
    // droppedFrames() for the frames that came incomplete meanwhile).
    Grab next(DeepFrame &frame, int timeoutMs, QString *error);

    // Frames that arrived incomplete (lost packets) since the stream started: never handed out.
    long long droppedFrames() const { return m_dropped; }
    // The control channel was lost (heartbeat): the camera went away.
    bool controlLost() const;
    // The GigE Vision stream packet size chosen at opening, in bytes; 0 for other cameras.
    int packetSize() const { return m_packetSize; }

private:
    QString say(const char *chinese, const char *english) const;
    QString refused(const QString &setting, const QString &value, const QString &why) const;
    QString setChecked(const QString &setting, double value, const SettingRange &range,
                       const std::function<void(double, GError **)> &set, const std::function<double()> &get);

    std::unique_ptr<GenicamPort> m_port;
    CameraIdentity m_identity;
    bool m_streaming = false;
    bool m_lost = false;
    std::atomic<long long> m_dropped{0};
    int m_packetSize = 0;
};

} // namespace lumetra
