#include "devices/genicam/AravisPort.h"

#include "devices/genicam/Aravis.h"

namespace lumetra {

namespace {

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

void onControlLost(ArvDevice *, gpointer flag)
{
    static_cast<std::atomic<bool> *>(flag)->store(true);
}

} // namespace

AravisPort::AravisPort(ArvCamera *camera, bool fake)
    : m_camera(camera), m_fake(fake)
{
    arv_camera_set_range_check_policy(m_camera, ARV_RANGE_CHECK_POLICY_ENABLE);
    m_lostHandler = g_signal_connect(arv_camera_get_device(m_camera), "control-lost", G_CALLBACK(onControlLost),
                                     &m_controlLost);
}

AravisPort::~AravisPort()
{
    closeStream();
    if (m_lostHandler)
        g_signal_handler_disconnect(arv_camera_get_device(m_camera), m_lostHandler);
    g_object_unref(m_camera);
}

bool AravisPort::isAvailable(Feature feature, GError **error)
{
    switch (feature) {
    case Feature::Exposure: return arv_camera_is_exposure_time_available(m_camera, error);
    case Feature::Gain: return arv_camera_is_gain_available(m_camera, error);
    case Feature::FrameRate: return arv_camera_is_frame_rate_available(m_camera, error);
    case Feature::Binning: return arv_camera_is_binning_available(m_camera, error);
    case Feature::RegionOffset: return arv_camera_is_region_offset_available(m_camera, error);
    }
    return false;
}

void AravisPort::bounds(Value value, double *minimum, double *maximum, GError **error)
{
    switch (value) {
    case Value::ExposureUs: arv_camera_get_exposure_time_bounds(m_camera, minimum, maximum, error); break;
    case Value::Gain: arv_camera_get_gain_bounds(m_camera, minimum, maximum, error); break;
    case Value::FrameRate: arv_camera_get_frame_rate_bounds(m_camera, minimum, maximum, error); break;
    }
}

double AravisPort::get(Value value, GError **error)
{
    switch (value) {
    case Value::ExposureUs: return arv_camera_get_exposure_time(m_camera, error);
    case Value::Gain: return arv_camera_get_gain(m_camera, error);
    case Value::FrameRate: return arv_camera_get_frame_rate(m_camera, error);
    }
    return 0;
}

void AravisPort::set(Value value, double v, GError **error)
{
    switch (value) {
    case Value::ExposureUs: arv_camera_set_exposure_time(m_camera, v, error); break;
    case Value::Gain: arv_camera_set_gain(m_camera, v, error); break;
    case Value::FrameRate: arv_camera_set_frame_rate(m_camera, v, error); break;
    }
}

void AravisPort::binningBounds(int *minimum, int *maximum, GError **error)
{
    arv_camera_get_x_binning_bounds(m_camera, minimum, maximum, error);
}

int AravisPort::binning(GError **error)
{
    gint x = 1, y = 1;
    arv_camera_get_binning(m_camera, &x, &y, error);
    return x;
}

void AravisPort::setBinning(int binning, GError **error)
{
    arv_camera_set_binning(m_camera, binning, binning, error);
}

QSize AravisPort::sensorSize()
{
    gint w = 0, h = 0;
    arv_camera_get_sensor_size(m_camera, &w, &h, nullptr);
    return {w, h};
}

QRect AravisPort::region(GError **error)
{
    gint x = 0, y = 0, w = 0, h = 0;
    arv_camera_get_region(m_camera, &x, &y, &w, &h, error);
    return {x, y, w, h};
}

void AravisPort::setRegion(const QRect &region, GError **error)
{
    arv_camera_set_region(m_camera, region.x(), region.y(), region.width(), region.height(), error);
}

QList<std::pair<std::uint32_t, QString>> AravisPort::pixelFormats()
{
    QList<std::pair<std::uint32_t, QString>> list;
    guint n = 0, names = 0;
    gint64 *formats = arv_camera_dup_available_pixel_formats(m_camera, &n, nullptr);
    const char **strings = arv_camera_dup_available_pixel_formats_as_strings(m_camera, &names, nullptr);
    for (guint i = 0; formats && strings && i < n && i < names; ++i)
        list.append({std::uint32_t(formats[i]), text(strings[i])});
    g_free(formats);
    g_free(strings);
    return list;
}

std::uint32_t AravisPort::pixelFormat(GError **error)
{
    return std::uint32_t(arv_camera_get_pixel_format(m_camera, error));
}

QString AravisPort::pixelFormatName()
{
    return text(arv_camera_get_pixel_format_as_string(m_camera, nullptr));
}

void AravisPort::setPixelFormat(const QString &name, GError **error)
{
    arv_camera_set_pixel_format_from_string(m_camera, name.toUtf8().constData(), error);
}

std::size_t AravisPort::payload(GError **error)
{
    return arv_camera_get_payload(m_camera, error);
}

bool AravisPort::openStream(std::size_t payload, int buffers, GError **error)
{
    closeStream();
    m_stream = arv_camera_create_stream(m_camera, nullptr, nullptr, error);
    if (!m_stream)
        return false;
    m_payload = payload;
    for (int i = 0; i < buffers; ++i)
        arv_stream_push_buffer(m_stream, arv_buffer_new_allocate(payload));
    arv_camera_set_acquisition_mode(m_camera, ARV_ACQUISITION_MODE_CONTINUOUS, nullptr);
    return true;
}

void AravisPort::startAcquisition(GError **error)
{
    arv_camera_start_acquisition(m_camera, error);
}

void AravisPort::stopAcquisition()
{
    if (!m_controlLost)
        arv_camera_stop_acquisition(m_camera, nullptr);
}

void AravisPort::closeStream()
{
    if (m_stream)
        g_object_unref(m_stream);
    m_stream = nullptr;
}

std::optional<GenicamPort::Buffer> AravisPort::pop(std::int64_t timeoutUs)
{
    ArvBuffer *buffer = m_stream && timeoutUs > 0 ? arv_stream_timeout_pop_buffer(m_stream, guint64(timeoutUs)) : nullptr;
    if (!buffer)
        return std::nullopt;
    Buffer b;
    b.token = buffer;
    b.complete = arv_buffer_get_status(buffer) == ARV_BUFFER_STATUS_SUCCESS;
    b.image = arv_buffer_get_payload_type(buffer) == ARV_BUFFER_PAYLOAD_TYPE_IMAGE;
    if (b.complete && b.image) {
        b.data = arv_buffer_get_image_data(buffer, &b.size);
        // The fake interface leaves the size of a frame drawn by a custom pattern at 0; its
        // buffers are ours, of the payload's size.
        if (b.size == 0 && m_fake)
            b.size = m_payload;
        b.pixelFormat = std::uint32_t(arv_buffer_get_image_pixel_format(buffer));
        b.width = arv_buffer_get_image_width(buffer);
        b.height = arv_buffer_get_image_height(buffer);
    }
    b.frameId = arv_buffer_get_frame_id(buffer);
    return b;
}

void AravisPort::requeue(const Buffer &buffer)
{
    if (m_stream && buffer.token)
        arv_stream_push_buffer(m_stream, static_cast<ArvBuffer *>(buffer.token));
    else if (buffer.token)
        g_object_unref(static_cast<ArvBuffer *>(buffer.token));
}

int AravisPort::negotiatePacketSize()
{
    if (!arv_camera_is_gv_device(m_camera))
        return 0;
    GError *error = nullptr;
    const guint size = arv_camera_gv_auto_packet_size(m_camera, &error);
    if (error) {
        g_clear_error(&error);
        return 0;
    }
    return int(size);
}

} // namespace lumetra
