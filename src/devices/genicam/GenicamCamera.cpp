#include "devices/genicam/GenicamCamera.h"

#include "types/MessageLanguage.h"
#include "devices/genicam/AravisError.h"
#include "devices/genicam/AravisPort.h"
#include "devices/genicam/GenicamSystem.h"
#include "devices/genicam/MonoUnpacking.h"

#include "devices/genicam/Aravis.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

constexpr int StreamBuffers = 8;

using Feature = GenicamPort::Feature;
using Value = GenicamPort::Value;

QString number(double v)
{
    return QString::number(v, 'g', 8);
}

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

bool isAvailable(GenicamPort &port, Feature feature)
{
    GError *error = nullptr;
    const bool available = port.isAvailable(feature, &error);
    return takeAravisError(&error).isEmpty() && available;
}

SettingRange valueRange(GenicamPort &port, Feature feature, Value value)
{
    SettingRange r;
    if (!isAvailable(port, feature))
        return r;
    GError *error = nullptr;
    port.bounds(value, &r.minimum, &r.maximum, &error);
    r.available = takeAravisError(&error).isEmpty() && r.maximum >= r.minimum;
    return r;
}

} // namespace

std::unique_ptr<GenicamCamera> GenicamCamera::open(const QString &id, QString *error)
{
    ArvDevice *device = GenicamSystem::openDevice(id, error);
    if (!device)
        return nullptr;
    auto camera = adopt(device, id, error);
    g_object_unref(device);
    return camera;
}

std::unique_ptr<GenicamCamera> GenicamCamera::adopt(ArvDevice *device, const QString &id, QString *error)
{
    GError *failure = nullptr;
    ArvCamera *arvCamera = arv_camera_new_with_device(device, &failure);
    if (!arvCamera) {
        const QString why = takeAravisError(&failure);
        if (error)
            *error = QStringLiteral("'%1' is no camera: %2").arg(id, why);
        return nullptr;
    }
    CameraIdentity who;
    who.id = id;
    who.vendor = text(arv_camera_get_vendor_name(arvCamera, nullptr));
    who.model = text(arv_camera_get_model_name(arvCamera, nullptr));
    who.serial = text(arv_camera_get_device_serial_number(arvCamera, nullptr));
    if (ARV_IS_GV_DEVICE(device)) {
        who.protocol = QStringLiteral("GigEVision");
        if (GSocketAddress *address = arv_gv_device_get_device_address(ARV_GV_DEVICE(device))) {
            gchar *ip = g_inet_address_to_string(g_inet_socket_address_get_address(G_INET_SOCKET_ADDRESS(address)));
            who.address = text(ip);
            g_free(ip);
        }
    } else if (ARV_IS_FAKE_DEVICE(device)) {
        who.protocol = QStringLiteral("Fake");
    } else {
        who.protocol = QStringLiteral("USB3Vision");
    }
    const bool fake = who.protocol == QLatin1String("Fake");
    return std::make_unique<GenicamCamera>(std::make_unique<AravisPort>(arvCamera, fake), who);
}

GenicamCamera::GenicamCamera(std::unique_ptr<GenicamPort> port, CameraIdentity identity)
    : m_port(std::move(port)), m_identity(std::move(identity))
{
    // GigE Vision: the largest packet that reaches us, so that frames are not lost to an MTU
    // smaller than the camera's default.
    m_packetSize = m_port->negotiatePacketSize();
}

GenicamCamera::~GenicamCamera()
{
    stop();
}

bool GenicamCamera::controlLost() const
{
    return m_lost || m_port->controlLost();
}

CameraLimits GenicamCamera::limits() const
{
    GenicamPort &port = *m_port;
    CameraLimits l;
    l.exposureUs = valueRange(port, Feature::Exposure, Value::ExposureUs);
    l.gain = valueRange(port, Feature::Gain, Value::Gain);
    l.frameRate = valueRange(port, Feature::FrameRate, Value::FrameRate);
    if (isAvailable(port, Feature::Binning)) {
        int lo = 1, hi = 1;
        GError *error = nullptr;
        port.binningBounds(&lo, &hi, &error);
        if (takeAravisError(&error).isEmpty() && hi >= lo)
            l.binning = {true, double(lo), double(hi)};
    }
    const QSize sensor = port.sensorSize();
    l.sensorWidth = sensor.width();
    l.sensorHeight = sensor.height();
    l.roiAvailable = isAvailable(port, Feature::RegionOffset);
    for (const auto &[code, name] : port.pixelFormats())
        if (monoBitDepth(code))
            l.pixelFormats << name;
    return l;
}

CameraSettings GenicamCamera::settings() const
{
    GenicamPort &port = *m_port;
    CameraSettings s;
    const CameraLimits l = limits();
    GError *error = nullptr;
    if (l.exposureUs.available)
        s.exposureUs = port.get(Value::ExposureUs, &error);
    takeAravisError(&error);
    if (l.gain.available)
        s.gain = port.get(Value::Gain, &error);
    takeAravisError(&error);
    if (l.frameRate.available)
        s.frameRate = port.get(Value::FrameRate, &error);
    takeAravisError(&error);
    s.roi = port.region(&error);
    takeAravisError(&error);
    if (l.binning.available)
        s.binning = port.binning(&error);
    takeAravisError(&error);
    s.pixelFormat = port.pixelFormatName();
    s.bitDepth = monoBitDepth(port.pixelFormat(&error)).value_or(8);
    takeAravisError(&error);
    return s;
}

QString GenicamCamera::say(const char *chinese, const char *english) const
{
    return messageText(chinese, english);
}

QString GenicamCamera::refused(const QString &setting, const QString &value, const QString &why) const
{
    return say("相机拒绝了%1 %2：%3", "the camera refused %1 %2: %3").arg(setting, value, why);
}

// Sets a value through `set` after checking it against `range`; on a refusal the value read
// before is written back.
QString GenicamCamera::setChecked(const QString &setting, double value, const SettingRange &range,
                                  const std::function<void(double, GError **)> &set, const std::function<double()> &get)
{
    if (!range.available)
        return refused(setting, number(value), say("这台相机没有这项设置", "the camera has no such setting"));
    if (!std::isfinite(value) || value < range.minimum || value > range.maximum)
        return refused(setting, number(value),
                       say("超出相机的范围 %1 – %2", "outside the camera's range %1 – %2").arg(number(range.minimum), number(range.maximum)));
    const double old = get();
    GError *error = nullptr;
    set(value, &error);
    const QString why = takeAravisError(&error);
    if (why.isEmpty())
        return {};
    set(old, &error);
    takeAravisError(&error);
    return refused(setting, number(value), why);
}

namespace {

double read(GenicamPort &port, Value value)
{
    GError *error = nullptr;
    const double v = port.get(value, &error);
    takeAravisError(&error);
    return v;
}

} // namespace

QString GenicamCamera::setExposureUs(double exposureUs)
{
    GenicamPort &port = *m_port;
    return setChecked(
        say("曝光时间 (µs)", "exposure (µs)"), exposureUs, limits().exposureUs,
        [&port](double v, GError **e) { port.set(Value::ExposureUs, v, e); },
        [&port] { return read(port, Value::ExposureUs); });
}

QString GenicamCamera::setGain(double gain)
{
    GenicamPort &port = *m_port;
    return setChecked(
        say("增益", "gain"), gain, limits().gain, [&port](double v, GError **e) { port.set(Value::Gain, v, e); },
        [&port] { return read(port, Value::Gain); });
}

QString GenicamCamera::setFrameRate(double framesPerSecond)
{
    GenicamPort &port = *m_port;
    return setChecked(
        say("帧率", "frame rate"), framesPerSecond, limits().frameRate,
        [&port](double v, GError **e) { port.set(Value::FrameRate, v, e); },
        [&port] { return read(port, Value::FrameRate); });
}

QString GenicamCamera::setRoi(const QRect &roi)
{
    const QString setting = say("感兴趣区域", "region");
    const QString value = QStringLiteral("%1,%2,%3,%4").arg(roi.x()).arg(roi.y()).arg(roi.width()).arg(roi.height());
    if (isStreaming())
        return refused(setting, value, say("视频流运行时不能更改", "not while the stream runs"));
    const CameraLimits l = limits();
    GError *error = nullptr;
    const int bin = l.binning.available ? std::max(1, m_port->binning(&error)) : 1;
    takeAravisError(&error);
    const QRect sensor(0, 0, l.sensorWidth / bin, l.sensorHeight / bin);
    if (roi.isEmpty() || (l.sensorWidth > 0 && !sensor.contains(roi)))
        return refused(setting, value,
                       say("不在传感器 %1 × %2 之内", "not within the sensor's %1 × %2").arg(sensor.width()).arg(sensor.height()));
    const QRect old = m_port->region(&error);
    takeAravisError(&error);
    m_port->setRegion(roi, &error);
    const QString why = takeAravisError(&error);
    if (why.isEmpty())
        return {};
    m_port->setRegion(old, &error);
    takeAravisError(&error);
    return refused(setting, value, why);
}

QString GenicamCamera::setBinning(int binning)
{
    const QString setting = say("像素合并", "binning");
    if (isStreaming())
        return refused(setting, QString::number(binning), say("视频流运行时不能更改", "not while the stream runs"));
    const SettingRange range = limits().binning;
    if (!range.available && binning == 1)
        return {};
    GenicamPort &port = *m_port;
    return setChecked(
        setting, binning, range, [&port](double v, GError **e) { port.setBinning(int(v), e); },
        [&port] {
            GError *error = nullptr;
            const int b = port.binning(&error);
            takeAravisError(&error);
            return double(b);
        });
}

QString GenicamCamera::setPixelFormat(const QString &name)
{
    const QString setting = say("像素格式", "pixel format");
    if (isStreaming())
        return refused(setting, name, say("视频流运行时不能更改", "not while the stream runs"));
    const QStringList offered = limits().pixelFormats;
    if (!offered.contains(name))
        return refused(setting, name, say("相机只提供 %1", "the camera offers only %1").arg(offered.join(QStringLiteral(", "))));
    const QString old = m_port->pixelFormatName();
    GError *error = nullptr;
    m_port->setPixelFormat(name, &error);
    const QString why = takeAravisError(&error);
    if (why.isEmpty())
        return {};
    m_port->setPixelFormat(old, &error);
    takeAravisError(&error);
    return refused(setting, name, why);
}

bool GenicamCamera::start(QString *error)
{
    if (m_streaming)
        return true;
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    GError *failure = nullptr;
    const std::uint32_t format = m_port->pixelFormat(&failure);
    if (!takeAravisError(&failure).isEmpty() || !monoBitDepth(format))
        return fail(QStringLiteral("the camera sends %1, not a grey format").arg(m_port->pixelFormatName()));
    const std::size_t payload = m_port->payload(&failure);
    QString why = takeAravisError(&failure);
    if (!why.isEmpty() || payload == 0)
        return fail(QStringLiteral("the camera does not answer: %1").arg(why));
    const bool opened = m_port->openStream(payload, StreamBuffers, &failure);
    why = takeAravisError(&failure);
    if (!opened)
        return fail(QStringLiteral("no stream from the camera: %1").arg(why));
    m_port->startAcquisition(&failure);
    why = takeAravisError(&failure);
    if (!why.isEmpty()) {
        m_port->closeStream();
        return fail(QStringLiteral("the camera does not start: %1").arg(why));
    }
    m_streaming = true;
    m_dropped = 0;
    return true;
}

void GenicamCamera::stop()
{
    if (!m_streaming)
        return;
    if (!controlLost())
        m_port->stopAcquisition();
    m_port->closeStream();
    m_streaming = false;
}

GenicamCamera::Grab GenicamCamera::next(DeepFrame &frame, int timeoutMs, QString *error)
{
    if (!m_streaming) {
        if (error)
            *error = QStringLiteral("the stream is not running");
        return Grab::Lost;
    }
    const gint64 deadline = g_get_monotonic_time() + gint64(timeoutMs) * 1000;
    while (true) {
        const std::optional<GenicamPort::Buffer> buffer = m_port->pop(deadline - g_get_monotonic_time());
        if (!buffer) {
            if (!controlLost()) {
                // A silent camera may have gone: one read of the control channel tells.
                GError *failure = nullptr;
                m_port->payload(&failure);
                if (takeAravisError(&failure).isEmpty())
                    return Grab::Timeout;
                m_lost = true;
            }
            if (error)
                *error = say("相机 %1 不再应答", "camera %1 no longer answers").arg(m_identity.id);
            stop();
            return Grab::Lost;
        }
        const bool ok = buffer->complete && buffer->image &&
                        unpackMono(buffer->pixelFormat, static_cast<const std::uint8_t *>(buffer->data), buffer->size,
                                   buffer->width, buffer->height, frame);
        if (ok)
            frame.id = buffer->frameId;
        m_port->requeue(*buffer);
        if (ok)
            return Grab::Frame;
        ++m_dropped;
    }
}

} // namespace lumetra
