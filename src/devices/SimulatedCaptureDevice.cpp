#include "devices/SimulatedCaptureDevice.h"

#include "devices/FrameConverter.h"
#include "devices/FrameEncoder.h"
#include "devices/V4l2Mapping.h"
#include "types/MessageLanguage.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <chrono>

namespace lumetra {

namespace {

constexpr int CardMax = 10000;
constexpr int CardDefault = 5000;

struct ControlInfo
{
    quint32 id;
    PictureControl control;
};

constexpr ControlInfo Controls[] = {{V4L2_CID_BRIGHTNESS, PictureControl::Brightness},
                                    {V4L2_CID_CONTRAST, PictureControl::Contrast},
                                    {V4L2_CID_HUE, PictureControl::Hue},
                                    {V4L2_CID_SATURATION, PictureControl::Saturation}};

QString controlName(PictureControl control)
{
    switch (control) {
    case PictureControl::Brightness: return messageText("亮度", "Brightness");
    case PictureControl::Contrast: return messageText("对比度", "Contrast");
    case PictureControl::Hue: return messageText("色度", "Hue");
    case PictureControl::Saturation: return messageText("饱和度", "Saturation");
    }
    return {};
}

bool acceptedSize(int width, int height)
{
    return (width == 640 && height == 480) || (width == 320 && height == 240);
}

template <typename Settings> auto &controlValue(Settings &settings, PictureControl control)
{
    switch (control) {
    case PictureControl::Brightness: return settings.brightness;
    case PictureControl::Contrast: return settings.contrast;
    case PictureControl::Hue: return settings.hue;
    case PictureControl::Saturation: break;
    }
    return settings.saturation;
}

} // namespace

SimulatedCaptureDevice::SimulatedCaptureDevice() = default;

SimulatedCaptureDevice::~SimulatedCaptureDevice()
{
    halt();
}

int SimulatedCaptureDevice::connectDevice()
{
    std::lock_guard lock(m_mutex);
    m_connected = true;
    return 0;
}

bool SimulatedCaptureDevice::isConnected() const
{
    std::lock_guard lock(m_mutex);
    return m_connected;
}

void SimulatedCaptureDevice::release()
{
    halt();
    std::lock_guard lock(m_mutex);
    m_state = StreamState::Stopped;
    m_connected = false;
}

int SimulatedCaptureDevice::standard() const
{
    std::lock_guard lock(m_mutex);
    return m_connected ? m_standard : -1;
}

void SimulatedCaptureDevice::setStandard(int standard)
{
    std::lock_guard lock(m_mutex);
    if (m_connected && (standard == StandardNtsc || standard == StandardPal))
        m_standard = standard;
}

int SimulatedCaptureDevice::input() const
{
    std::lock_guard lock(m_mutex);
    return m_connected ? m_settings.source : -1;
}

void SimulatedCaptureDevice::setInput(int input)
{
    std::lock_guard lock(m_mutex);
    if (m_connected && input >= 0 && input < SourceCount)
        m_settings.source = input;
}

int SimulatedCaptureDevice::pictureControl(PictureControl control) const
{
    std::lock_guard lock(m_mutex);
    return controlValue(m_settings, control);
}

void SimulatedCaptureDevice::setPictureControl(PictureControl control, int value)
{
    std::lock_guard lock(m_mutex);
    if (m_connected)
        controlValue(m_settings, control) = std::clamp(value, 0, CardMax);
}

bool SimulatedCaptureDevice::setFormat(int width, int height, int subtype)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_connected || !acceptedSize(width, height) || subtype < 0 || subtype >= VideoSubtypeCount)
            return false;
        m_settings.size = QSize(width, height);
        m_subtype = subtype;
    }
    run();
    return true;
}

VideoFormat SimulatedCaptureDevice::format() const
{
    std::lock_guard lock(m_mutex);
    if (!m_connected)
        return {};
    return {m_settings.size.width(), m_settings.size.height(), m_subtype};
}

bool SimulatedCaptureDevice::signalPresent() const
{
    return isConnected();
}

QImage SimulatedCaptureDevice::frameAt(double seconds)
{
    BeamSettings settings;
    int subtype;
    {
        std::lock_guard lock(m_mutex);
        settings = m_settings;
        subtype = m_subtype;
    }
    const quint32 fourcc = v4l2map::subtypeFourcc(subtype);
    const EncodedFrame raw = encodeFrame(m_beam.render(settings, seconds), fourcc);
    return convertFrame(reinterpret_cast<const uchar *>(raw.data.constData()), raw.data.size(), fourcc,
                        settings.size.width(), settings.size.height(), raw.bytesPerLine);
}

void SimulatedCaptureDevice::setMotion(double driftXPerMinute, double driftYPerMinute, double jitterRms)
{
    std::lock_guard lock(m_mutex);
    m_settings.driftXPerMinute = driftXPerMinute;
    m_settings.driftYPerMinute = driftYPerMinute;
    m_settings.jitterRms = std::max(0.0, jitterRms);
}

void SimulatedCaptureDevice::motion(double *driftXPerMinute, double *driftYPerMinute, double *jitterRms) const
{
    std::lock_guard lock(m_mutex);
    *driftXPerMinute = m_settings.driftXPerMinute;
    *driftYPerMinute = m_settings.driftYPerMinute;
    *jitterRms = m_settings.jitterRms;
}

void SimulatedCaptureDevice::run()
{
    std::lock_guard lock(m_mutex);
    if (!m_connected || m_state == StreamState::Running)
        return;
    m_state = StreamState::Running;
    m_thread = std::jthread([this](std::stop_token stop) { loop(stop); });
}

void SimulatedCaptureDevice::halt()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
}

void SimulatedCaptureDevice::pause()
{
    halt();
    std::lock_guard lock(m_mutex);
    if (m_state == StreamState::Running)
        m_state = StreamState::Paused;
}

void SimulatedCaptureDevice::stop()
{
    halt();
    std::lock_guard lock(m_mutex);
    m_state = StreamState::Stopped;
}

StreamState SimulatedCaptureDevice::streamState() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

void SimulatedCaptureDevice::setSinks(FrameSink frames, FailureSink failures)
{
    std::lock_guard lock(m_mutex);
    m_frames = std::move(frames);
    m_failures = std::move(failures);
}

void SimulatedCaptureDevice::loop(std::stop_token stop)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point next = start;
    while (!stop.stop_requested()) {
        const QImage frame = frameAt(std::chrono::duration<double>(Clock::now() - start).count());
        FrameSink sink;
        int fps;
        {
            std::lock_guard lock(m_mutex);
            sink = m_frames;
            fps = m_standard == StandardPal ? 25 : 30;
        }
        if (sink && !frame.isNull())
            sink(frame);
        next += std::chrono::microseconds(1'000'000 / fps);
        std::unique_lock lock(m_mutex);
        m_wake.wait_until(lock, stop, next, [] { return false; });
    }
}

QList<DeviceControl> SimulatedCaptureDevice::controls() const
{
    QList<DeviceControl> result;
    for (const ControlInfo &c : Controls) {
        DeviceControl d;
        d.id = c.id;
        d.name = controlName(c.control);
        d.minimum = 0;
        d.maximum = CardMax;
        d.defaultValue = CardDefault;
        d.value = pictureControl(c.control);
        result << d;
    }
    return result;
}

void SimulatedCaptureDevice::setControl(quint32 id, int value)
{
    for (const ControlInfo &c : Controls)
        if (c.id == id)
            setPictureControl(c.control, value);
}

QStringList SimulatedCaptureDevice::inputNames() const
{
    return {QStringLiteral("S Video"), QStringLiteral("AV1"), QStringLiteral("AV2"),
            QStringLiteral("Source 4"), QStringLiteral("Four Way")};
}

QList<QSize> SimulatedCaptureDevice::frameSizes() const
{
    return {QSize(640, 480), QSize(320, 240)};
}

} // namespace lumetra
