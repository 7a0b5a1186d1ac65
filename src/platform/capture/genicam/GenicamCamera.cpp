#include "platform/capture/genicam/GenicamCamera.h"

#include "platform/capture/genicam/AravisError.h"
#include "platform/capture/genicam/GenicamSystem.h"
#include "platform/capture/genicam/MonoUnpacking.h"

#include "platform/capture/genicam/Aravis.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

constexpr int StreamBuffers = 8;

QString number(double v)
{
    return QString::number(v, 'g', 8);
}

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

void onControlLost(ArvDevice *, gpointer flag)
{
    static_cast<std::atomic<bool> *>(flag)->store(true);
}

SettingRange floatRange(bool available, void (*bounds)(ArvCamera *, double *, double *, GError **), ArvCamera *camera)
{
    SettingRange r;
    if (!available)
        return r;
    GError *error = nullptr;
    bounds(camera, &r.minimum, &r.maximum, &error);
    r.available = takeAravisError(error).isEmpty() && r.maximum >= r.minimum;
    return r;
}

bool isAvailable(gboolean (*probe)(ArvCamera *, GError **), ArvCamera *camera)
{
    GError *error = nullptr;
    const bool available = probe(camera, &error);
    return takeAravisError(error).isEmpty() && available;
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
        if (error)
            *error = QStringLiteral("'%1' is no camera: %2").arg(id, takeAravisError(failure));
        else
            takeAravisError(failure);
        return nullptr;
    }
    std::unique_ptr<GenicamCamera> camera(new GenicamCamera);
    camera->m_camera = arvCamera;
    arv_camera_set_range_check_policy(arvCamera, ARV_RANGE_CHECK_POLICY_ENABLE);
    CameraIdentity &who = camera->m_identity;
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
    camera->m_lostHandler = g_signal_connect(device, "control-lost", G_CALLBACK(onControlLost), &camera->m_controlLost);
    return camera;
}

GenicamCamera::~GenicamCamera()
{
    stop();
    if (m_lostHandler)
        g_signal_handler_disconnect(arv_camera_get_device(m_camera), m_lostHandler);
    g_object_unref(m_camera);
}

CameraLimits GenicamCamera::limits() const
{
    CameraLimits l;
    l.exposureUs = floatRange(isAvailable(arv_camera_is_exposure_time_available, m_camera),
                              arv_camera_get_exposure_time_bounds, m_camera);
    l.gain = floatRange(isAvailable(arv_camera_is_gain_available, m_camera), arv_camera_get_gain_bounds, m_camera);
    l.frameRate = floatRange(isAvailable(arv_camera_is_frame_rate_available, m_camera),
                             arv_camera_get_frame_rate_bounds, m_camera);
    if (isAvailable(arv_camera_is_binning_available, m_camera)) {
        gint lo = 1, hi = 1;
        GError *error = nullptr;
        arv_camera_get_x_binning_bounds(m_camera, &lo, &hi, &error);
        if (takeAravisError(error).isEmpty() && hi >= lo)
            l.binning = {true, double(lo), double(hi)};
    }
    arv_camera_get_sensor_size(m_camera, &l.sensorWidth, &l.sensorHeight, nullptr);
    l.roiAvailable = isAvailable(arv_camera_is_region_offset_available, m_camera);
    guint n = 0;
    gint64 *formats = arv_camera_dup_available_pixel_formats(m_camera, &n, nullptr);
    const char **names = arv_camera_dup_available_pixel_formats_as_strings(m_camera, &n, nullptr);
    for (guint i = 0; formats && names && i < n; ++i)
        if (monoBitDepth(std::uint32_t(formats[i])))
            l.pixelFormats << text(names[i]);
    g_free(formats);
    g_free(names);
    return l;
}

CameraSettings GenicamCamera::settings() const
{
    CameraSettings s;
    const CameraLimits l = limits();
    if (l.exposureUs.available)
        s.exposureUs = arv_camera_get_exposure_time(m_camera, nullptr);
    if (l.gain.available)
        s.gain = arv_camera_get_gain(m_camera, nullptr);
    if (l.frameRate.available)
        s.frameRate = arv_camera_get_frame_rate(m_camera, nullptr);
    gint x = 0, y = 0, w = 0, h = 0;
    arv_camera_get_region(m_camera, &x, &y, &w, &h, nullptr);
    s.roi = QRect(x, y, w, h);
    if (l.binning.available) {
        gint bx = 1, by = 1;
        arv_camera_get_binning(m_camera, &bx, &by, nullptr);
        s.binning = bx;
    }
    s.pixelFormat = text(arv_camera_get_pixel_format_as_string(m_camera, nullptr));
    s.bitDepth = monoBitDepth(std::uint32_t(arv_camera_get_pixel_format(m_camera, nullptr))).value_or(8);
    return s;
}

QString GenicamCamera::refused(const QString &setting, const QString &value, const QString &why) const
{
    return QStringLiteral("相机拒绝了%1 %2：%3").arg(setting, value, why);
}

namespace {

// Sets a value through `set` after checking it against `range`; on a refusal the value read
// before is written back.
template <typename Set, typename Get>
QString setChecked(const QString &setting, double value, const SettingRange &range, Set set, Get get,
                   const std::function<QString(const QString &, const QString &, const QString &)> &refuse)
{
    if (!range.available)
        return refuse(setting, number(value), QStringLiteral("这台相机没有这项设置"));
    if (!std::isfinite(value) || value < range.minimum || value > range.maximum)
        return refuse(setting, number(value),
                      QStringLiteral("超出相机的范围 %1 – %2").arg(number(range.minimum), number(range.maximum)));
    const double old = get();
    GError *error = nullptr;
    set(value, &error);
    const QString why = takeAravisError(error);
    if (!why.isEmpty()) {
        set(old, &error);
        takeAravisError(error);
        return refuse(setting, number(value), why);
    }
    return {};
}

} // namespace

QString GenicamCamera::setExposureUs(double exposureUs)
{
    auto refuse = [this](const QString &a, const QString &b, const QString &c) { return refused(a, b, c); };
    return setChecked(
        QStringLiteral("曝光时间 (µs)"), exposureUs, limits().exposureUs,
        [this](double v, GError **e) { arv_camera_set_exposure_time(m_camera, v, e); },
        [this] { return arv_camera_get_exposure_time(m_camera, nullptr); }, refuse);
}

QString GenicamCamera::setGain(double gain)
{
    auto refuse = [this](const QString &a, const QString &b, const QString &c) { return refused(a, b, c); };
    return setChecked(
        QStringLiteral("增益"), gain, limits().gain, [this](double v, GError **e) { arv_camera_set_gain(m_camera, v, e); },
        [this] { return arv_camera_get_gain(m_camera, nullptr); }, refuse);
}

QString GenicamCamera::setFrameRate(double framesPerSecond)
{
    auto refuse = [this](const QString &a, const QString &b, const QString &c) { return refused(a, b, c); };
    return setChecked(
        QStringLiteral("帧率"), framesPerSecond, limits().frameRate,
        [this](double v, GError **e) { arv_camera_set_frame_rate(m_camera, v, e); },
        [this] { return arv_camera_get_frame_rate(m_camera, nullptr); }, refuse);
}

QString GenicamCamera::setRoi(const QRect &roi)
{
    const QString setting = QStringLiteral("感兴趣区域");
    const QString value = QStringLiteral("%1,%2,%3,%4").arg(roi.x()).arg(roi.y()).arg(roi.width()).arg(roi.height());
    if (isStreaming())
        return refused(setting, value, QStringLiteral("视频流运行时不能更改"));
    const CameraLimits l = limits();
    gint binX = 1, binY = 1;
    if (l.binning.available)
        arv_camera_get_binning(m_camera, &binX, &binY, nullptr);
    const QRect sensor(0, 0, l.sensorWidth / std::max(1, binX), l.sensorHeight / std::max(1, binY));
    if (roi.isEmpty() || (l.sensorWidth > 0 && !sensor.contains(roi)))
        return refused(setting, value,
                       QStringLiteral("不在传感器 %1 × %2 之内").arg(sensor.width()).arg(sensor.height()));
    gint x = 0, y = 0, w = 0, h = 0;
    arv_camera_get_region(m_camera, &x, &y, &w, &h, nullptr);
    GError *error = nullptr;
    arv_camera_set_region(m_camera, roi.x(), roi.y(), roi.width(), roi.height(), &error);
    const QString why = takeAravisError(error);
    if (!why.isEmpty()) {
        arv_camera_set_region(m_camera, x, y, w, h, nullptr);
        return refused(setting, value, why);
    }
    return {};
}

QString GenicamCamera::setBinning(int binning)
{
    const QString setting = QStringLiteral("像素合并");
    if (isStreaming())
        return refused(setting, QString::number(binning), QStringLiteral("视频流运行时不能更改"));
    const SettingRange range = limits().binning;
    if (!range.available && binning == 1)
        return {};
    auto refuse = [this](const QString &a, const QString &b, const QString &c) { return refused(a, b, c); };
    return setChecked(
        setting, binning, range, [this](double v, GError **e) { arv_camera_set_binning(m_camera, int(v), int(v), e); },
        [this] {
            gint bx = 1, by = 1;
            arv_camera_get_binning(m_camera, &bx, &by, nullptr);
            return double(bx);
        },
        refuse);
}

QString GenicamCamera::setPixelFormat(const QString &name)
{
    const QString setting = QStringLiteral("像素格式");
    if (isStreaming())
        return refused(setting, name, QStringLiteral("视频流运行时不能更改"));
    const QStringList offered = limits().pixelFormats;
    if (!offered.contains(name))
        return refused(setting, name, QStringLiteral("相机只提供 %1").arg(offered.join(QStringLiteral(", "))));
    const QString old = text(arv_camera_get_pixel_format_as_string(m_camera, nullptr));
    GError *error = nullptr;
    arv_camera_set_pixel_format_from_string(m_camera, name.toUtf8().constData(), &error);
    const QString why = takeAravisError(error);
    if (!why.isEmpty()) {
        arv_camera_set_pixel_format_from_string(m_camera, old.toUtf8().constData(), nullptr);
        return refused(setting, name, why);
    }
    return {};
}

bool GenicamCamera::start(QString *error)
{
    if (m_stream)
        return true;
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    GError *failure = nullptr;
    m_pixelFormat = std::uint32_t(arv_camera_get_pixel_format(m_camera, &failure));
    if (!takeAravisError(failure).isEmpty() || !monoBitDepth(m_pixelFormat))
        return fail(QStringLiteral("the camera sends %1, not a grey format")
                        .arg(text(arv_camera_get_pixel_format_as_string(m_camera, nullptr))));
    const guint payload = arv_camera_get_payload(m_camera, &failure);
    QString why = takeAravisError(failure);
    if (!why.isEmpty() || payload == 0)
        return fail(QStringLiteral("the camera does not answer: %1").arg(why));
    ArvStream *stream = arv_camera_create_stream(m_camera, nullptr, nullptr, &failure);
    why = takeAravisError(failure);
    if (!stream)
        return fail(QStringLiteral("no stream from the camera: %1").arg(why));
    m_payload = payload;
    for (int i = 0; i < StreamBuffers; ++i)
        arv_stream_push_buffer(stream, arv_buffer_new_allocate(payload));
    arv_camera_set_acquisition_mode(m_camera, ARV_ACQUISITION_MODE_CONTINUOUS, nullptr);
    arv_camera_start_acquisition(m_camera, &failure);
    why = takeAravisError(failure);
    if (!why.isEmpty()) {
        g_object_unref(stream);
        return fail(QStringLiteral("the camera does not start: %1").arg(why));
    }
    m_stream = stream;
    m_dropped = 0;
    return true;
}

void GenicamCamera::stop()
{
    if (!m_stream)
        return;
    if (!m_controlLost)
        arv_camera_stop_acquisition(m_camera, nullptr);
    g_object_unref(m_stream);
    m_stream = nullptr;
}

GenicamCamera::Grab GenicamCamera::next(DeepFrame &frame, int timeoutMs, QString *error)
{
    if (!m_stream) {
        if (error)
            *error = QStringLiteral("the stream is not running");
        return Grab::Lost;
    }
    const gint64 deadline = g_get_monotonic_time() + gint64(timeoutMs) * 1000;
    while (true) {
        const gint64 left = deadline - g_get_monotonic_time();
        ArvBuffer *buffer = left > 0 ? arv_stream_timeout_pop_buffer(m_stream, guint64(left)) : nullptr;
        if (!buffer) {
            if (!m_controlLost) {
                // A silent camera may have gone: one read of the control channel tells.
                GError *failure = nullptr;
                arv_camera_get_payload(m_camera, &failure);
                const QString why = takeAravisError(failure);
                if (why.isEmpty())
                    return Grab::Timeout;
                m_controlLost = true;
            }
            if (error)
                *error = QStringLiteral("相机 %1 不再应答").arg(m_identity.id);
            stop();
            return Grab::Lost;
        }
        bool ok = arv_buffer_get_status(buffer) == ARV_BUFFER_STATUS_SUCCESS &&
                  arv_buffer_get_payload_type(buffer) == ARV_BUFFER_PAYLOAD_TYPE_IMAGE;
        if (ok) {
            size_t size = 0;
            const void *data = arv_buffer_get_image_data(buffer, &size);
            // The fake interface leaves the size of a frame drawn by a custom pattern at 0; its
            // buffers are ours, of the payload's size.
            if (size == 0 && m_identity.protocol == QLatin1String("Fake"))
                size = m_payload;
            ok = unpackMono(std::uint32_t(arv_buffer_get_image_pixel_format(buffer)), static_cast<const std::uint8_t *>(data),
                            size, arv_buffer_get_image_width(buffer), arv_buffer_get_image_height(buffer), frame);
            frame.id = arv_buffer_get_frame_id(buffer);
        }
        arv_stream_push_buffer(m_stream, buffer);
        if (ok)
            return Grab::Frame;
        ++m_dropped;
    }
}

} // namespace lumetra
