#include "devices/V4l2CaptureDevice.h"

#include "types/MessageLanguage.h"
#include "devices/V4l2Io.h"
#include "devices/V4l2Mapping.h"
#include "devices/V4l2Stream.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace lumetra {

namespace {

constexpr int NeutralCardValue = 5000;

quint32 controlId(PictureControl control)
{
    switch (control) {
    case PictureControl::Brightness: return V4L2_CID_BRIGHTNESS;
    case PictureControl::Contrast: return V4L2_CID_CONTRAST;
    case PictureControl::Hue: return V4L2_CID_HUE;
    case PictureControl::Saturation: return V4L2_CID_SATURATION;
    }
    return 0;
}

int trailingNumber(const QString &path)
{
    int start = int(path.size());
    while (start > 0 && path.at(start - 1).isDigit())
        --start;
    bool ok = false;
    const int n = path.mid(start).toInt(&ok);
    return ok ? n : 0;
}

// Sizes offered for a driver that describes a range of sizes rather than a list.
constexpr std::array<QSize, 13> CommonSizes = {
    QSize(160, 120),  QSize(176, 144),  QSize(320, 240),  QSize(352, 288), QSize(640, 480),
    QSize(720, 480),  QSize(720, 576),  QSize(768, 576),  QSize(800, 600), QSize(1024, 768),
    QSize(1280, 720), QSize(1280, 960), QSize(1920, 1080)};

constexpr int MaxEnumerated = 256;

} // namespace

V4l2CaptureDevice::V4l2CaptureDevice(std::shared_ptr<V4l2Io> io) : m_io(std::move(io)) {}

V4l2CaptureDevice::~V4l2CaptureDevice()
{
    release();
}

int V4l2CaptureDevice::xioctl(unsigned long request, void *arg) const
{
    return m_io->ioctl(m_fd, request, arg);
}

int V4l2CaptureDevice::connectDevice()
{
    if (m_fd >= 0)
        return m_channel;
    for (const QString &path : m_io->deviceNodes()) {
        const int fd = m_io->open(path);
        if (fd < 0)
            continue;
        v4l2_capability cap{};
        const bool queried = m_io->ioctl(fd, VIDIOC_QUERYCAP, &cap) == 0;
        const quint32 caps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
        if (queried && (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING)) {
            m_fd = fd;
            m_channel = trailingNumber(path);
            m_stream = std::make_unique<V4l2Stream>(*m_io, m_fd);
            m_state = StreamState::Stopped;
            return m_channel;
        }
        m_io->close(fd);
    }
    return -1;
}

void V4l2CaptureDevice::release()
{
    if (m_fd < 0)
        return;
    m_stream.reset();
    m_io->close(m_fd);
    m_fd = -1;
    m_channel = -1;
    m_state = StreamState::Stopped;
}

int V4l2CaptureDevice::standard() const
{
    v4l2_std_id id = 0;
    if (m_fd < 0 || xioctl(VIDIOC_G_STD, &id) < 0)
        return -1;
    return v4l2map::standardIndex(id);
}

bool V4l2CaptureDevice::setWhileIdle(unsigned long request, void *arg)
{
    if (xioctl(request, arg) == 0)
        return true;
    if (errno != EBUSY || !m_stream->isAllocated())
        return false;
    // Drivers take no new standard or input while buffers are allocated: pause the picture for it.
    const StreamState before = streamState();
    m_stream->release();
    m_state = StreamState::Stopped;
    const bool taken = xioctl(request, arg) == 0;
    const int error = errno;
    if (before == StreamState::Running)
        run();
    else
        m_state = before;
    errno = error;
    return taken;
}

namespace {

QString refusal(const QString &what, int error, const QString &kept)
{
    return messageText("设备未接受%1（%2），仍为 %3", "the device refused %1 (%2); it stays at %3").arg(what, QString::fromLocal8Bit(std::strerror(error)), kept);
}

} // namespace

void V4l2CaptureDevice::setStandard(int standard)
{
    v4l2_std_id id = v4l2map::standardId(standard);
    m_refusal.clear();
    if (m_fd < 0 || id == 0)
        return;
    // A refused standard leaves the one in force, which standard() reads back.
    if (!setWhileIdle(VIDIOC_S_STD, &id)) {
        static const char *const Names[] = {"NTSC", "PAL", "SECAM"};
        const int error = errno;
        const int now = this->standard();
        m_refusal = refusal(messageText("视频制式 %1", "video standard %1").arg(QLatin1String(Names[std::clamp(standard, 0, 2)])), error,
                            now >= 0 && now < 3 ? QString::fromLatin1(Names[now]) : messageText("未知", "unknown"));
    }
}

int V4l2CaptureDevice::input() const
{
    int index = -1;
    if (m_fd < 0 || xioctl(VIDIOC_G_INPUT, &index) < 0)
        return -1;
    return index;
}

void V4l2CaptureDevice::setInput(int input)
{
    m_refusal.clear();
    if (m_fd < 0 || input < 0)
        return;
    if (!setWhileIdle(VIDIOC_S_INPUT, &input)) {
        const int error = errno;
        m_refusal = refusal(messageText("输入 %1", "input %1").arg(input), error, QString::number(this->input()));
    }
}

std::optional<DeviceControl> V4l2CaptureDevice::queryControl(quint32 id) const
{
    v4l2_queryctrl q{};
    q.id = id;
    if (m_fd < 0 || xioctl(VIDIOC_QUERYCTRL, &q) < 0 || (q.flags & V4L2_CTRL_FLAG_DISABLED))
        return std::nullopt;
    DeviceControl c;
    c.id = q.id;
    c.name = QString::fromUtf8(reinterpret_cast<const char *>(q.name),
                               int(strnlen(reinterpret_cast<const char *>(q.name), sizeof q.name)));
    c.minimum = q.minimum;
    c.maximum = q.maximum;
    c.step = q.step > 0 ? q.step : 1;
    c.defaultValue = q.default_value;
    c.isBoolean = q.type == V4L2_CTRL_TYPE_BOOLEAN;
    v4l2_control value{};
    value.id = q.id;
    c.value = xioctl(VIDIOC_G_CTRL, &value) == 0 ? value.value : q.default_value;
    return c;
}

int V4l2CaptureDevice::pictureControl(PictureControl control) const
{
    const auto c = queryControl(controlId(control));
    if (!c)
        return NeutralCardValue;
    return v4l2map::toCardValue(c->value, {c->minimum, c->maximum, c->step, c->defaultValue});
}

void V4l2CaptureDevice::setPictureControl(PictureControl control, int value)
{
    m_refusal.clear();
    const auto c = queryControl(controlId(control));
    if (!c)
        return;
    writeControl(c->id, v4l2map::toDriverValue(value, {c->minimum, c->maximum, c->step, c->defaultValue}));
}

void V4l2CaptureDevice::writeControl(quint32 id, int value)
{
    m_refusal.clear();
    if (m_fd < 0)
        return;
    v4l2_control v{};
    v.id = id;
    v.value = value;
    if (xioctl(VIDIOC_S_CTRL, &v) == 0)
        return;
    const int error = errno;
    const auto now = queryControl(id);
    const QString name = now ? now->name : messageText("控件 %1", "control %1").arg(id);
    m_refusal = refusal(QStringLiteral("%1 = %2").arg(name).arg(value), error,
                        now ? QString::number(now->value) : messageText("未知", "unknown"));
}

bool V4l2CaptureDevice::formatFits(quint32 fourcc, int width, int height, bool set)
{
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    fmt.fmt.pix.width = quint32(width);
    fmt.fmt.pix.height = quint32(height);
    fmt.fmt.pix.pixelformat = fourcc;
    fmt.fmt.pix.field = V4L2_FIELD_ANY;
    if (xioctl(set ? VIDIOC_S_FMT : VIDIOC_TRY_FMT, &fmt) < 0)
        return !set && errno == ENOTTY; // a driver without a trial is judged by the setting itself
    return fmt.fmt.pix.pixelformat == fourcc && fmt.fmt.pix.width == quint32(width) &&
           fmt.fmt.pix.height == quint32(height);
}

bool V4l2CaptureDevice::setFormat(int width, int height, int subtype)
{
    const quint32 fourcc = v4l2map::subtypeFourcc(subtype);
    if (m_fd < 0 || fourcc == 0 || width <= 0 || height <= 0)
        return false;
    const StreamState before = streamState();
    // The driver takes no new format while buffers are allocated.
    m_stream->release();
    m_state = StreamState::Stopped;
    const bool accepted = formatFits(fourcc, width, height, false) && formatFits(fourcc, width, height, true);
    if (accepted || before == StreamState::Running)
        run();
    else
        m_state = before;
    return accepted;
}

VideoFormat V4l2CaptureDevice::format() const
{
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_fd < 0 || xioctl(VIDIOC_G_FMT, &fmt) < 0)
        return {};
    return {int(fmt.fmt.pix.width), int(fmt.fmt.pix.height), v4l2map::fourccSubtype(fmt.fmt.pix.pixelformat)};
}

bool V4l2CaptureDevice::signalPresent() const
{
    int index = 0;
    if (m_fd < 0 || xioctl(VIDIOC_G_INPUT, &index) < 0)
        return false;
    v4l2_input in{};
    in.index = quint32(index);
    if (xioctl(VIDIOC_ENUMINPUT, &in) < 0)
        return false;
    return !(in.status & V4L2_IN_ST_NO_SIGNAL);
}

void V4l2CaptureDevice::run()
{
    if (m_fd < 0 || streamState() == StreamState::Running)
        return;
    QString error;
    if (m_stream->start(m_frames, m_failures, &error)) {
        m_state = StreamState::Running;
        m_lastError.clear();
        return;
    }
    m_stream->release();
    m_state = StreamState::Stopped;
    m_lastError = error;
    if (m_failures)
        m_failures(error);
}

void V4l2CaptureDevice::pause()
{
    if (m_fd < 0 || streamState() != StreamState::Running)
        return;
    m_stream->halt();
    m_state = StreamState::Paused;
}

void V4l2CaptureDevice::stop()
{
    if (m_fd < 0)
        return;
    m_stream->release();
    m_state = StreamState::Stopped;
}

StreamState V4l2CaptureDevice::streamState() const
{
    if (m_state == StreamState::Running && m_stream && m_stream->hasFailed())
        return StreamState::Stopped;
    return m_state;
}

void V4l2CaptureDevice::setSinks(FrameSink frames, FailureSink failures)
{
    m_frames = std::move(frames);
    m_failures = std::move(failures);
}

QList<DeviceControl> V4l2CaptureDevice::controls() const
{
    QList<DeviceControl> result;
    if (m_fd < 0)
        return result;
    quint32 id = V4L2_CTRL_FLAG_NEXT_CTRL;
    for (int n = 0; n < MaxEnumerated; ++n) {
        v4l2_queryctrl q{};
        q.id = id;
        if (xioctl(VIDIOC_QUERYCTRL, &q) < 0)
            break;
        id = q.id | V4L2_CTRL_FLAG_NEXT_CTRL;
        if (q.type != V4L2_CTRL_TYPE_INTEGER && q.type != V4L2_CTRL_TYPE_BOOLEAN)
            continue;
        if (q.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY))
            continue;
        if (const auto c = queryControl(q.id))
            result << *c;
    }
    if (!result.isEmpty())
        return result;
    // Drivers that cannot enumerate are asked for the user controls one by one.
    for (quint32 cid = V4L2_CID_BASE; cid < V4L2_CID_LASTP1; ++cid) {
        const auto c = queryControl(cid);
        if (c && (c->isBoolean || c->maximum > c->minimum))
            result << *c;
    }
    return result;
}

void V4l2CaptureDevice::setControl(quint32 id, int value)
{
    writeControl(id, value);
}

QStringList V4l2CaptureDevice::inputNames() const
{
    QStringList names;
    for (quint32 i = 0; m_fd >= 0 && i < MaxEnumerated; ++i) {
        v4l2_input in{};
        in.index = i;
        if (xioctl(VIDIOC_ENUMINPUT, &in) < 0)
            break;
        names << QString::fromUtf8(reinterpret_cast<const char *>(in.name),
                                   int(strnlen(reinterpret_cast<const char *>(in.name), sizeof in.name)));
    }
    return names;
}

QList<QSize> V4l2CaptureDevice::frameSizes() const
{
    QList<QSize> sizes;
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_fd < 0 || xioctl(VIDIOC_G_FMT, &fmt) < 0)
        return sizes;
    const quint32 fourcc = fmt.fmt.pix.pixelformat;
    v4l2_frmsizeenum e{};
    e.index = 0;
    e.pixel_format = fourcc;
    if (xioctl(VIDIOC_ENUM_FRAMESIZES, &e) == 0) {
        if (e.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            for (quint32 i = 0; i < MaxEnumerated; ++i) {
                v4l2_frmsizeenum d{};
                d.index = i;
                d.pixel_format = fourcc;
                if (xioctl(VIDIOC_ENUM_FRAMESIZES, &d) < 0 || d.type != V4L2_FRMSIZE_TYPE_DISCRETE)
                    break;
                sizes << QSize(int(d.discrete.width), int(d.discrete.height));
            }
            return sizes;
        }
        const auto &s = e.stepwise;
        for (const QSize &c : CommonSizes) {
            const quint32 w = quint32(c.width()), h = quint32(c.height());
            if (w >= s.min_width && w <= s.max_width && h >= s.min_height && h <= s.max_height &&
                (w - s.min_width) % std::max(s.step_width, 1u) == 0 &&
                (h - s.min_height) % std::max(s.step_height, 1u) == 0)
                sizes << c;
        }
        return sizes;
    }
    // No size list: offer the common sizes the driver takes unchanged.
    for (const QSize &c : CommonSizes) {
        v4l2_format t{};
        t.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        t.fmt.pix.width = quint32(c.width());
        t.fmt.pix.height = quint32(c.height());
        t.fmt.pix.pixelformat = fourcc;
        t.fmt.pix.field = V4L2_FIELD_ANY;
        if (xioctl(VIDIOC_TRY_FMT, &t) == 0 && t.fmt.pix.width == quint32(c.width()) &&
            t.fmt.pix.height == quint32(c.height()) && t.fmt.pix.pixelformat == fourcc)
            sizes << c;
    }
    return sizes;
}

} // namespace lumetra
