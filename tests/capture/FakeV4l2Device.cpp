#include "FakeV4l2Device.h"

#include "devices/FrameConverter.h"
#include "devices/FrameEncoder.h"

#include <QImage>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace lumetra::test {

namespace {

constexpr std::int64_t BufferStride = 0x1000000;

void copyName(quint8 *dst, std::size_t size, const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    std::memset(dst, 0, size);
    std::memcpy(dst, utf8.constData(), std::min<std::size_t>(size - 1, std::size_t(utf8.size())));
}

bool isPlanar(quint32 fourcc)
{
    return fourcc == V4L2_PIX_FMT_YVU410 || fourcc == V4L2_PIX_FMT_YVU420;
}

} // namespace

FakeV4l2Device::FakeV4l2Device()
{
    controlList = {
        {V4L2_CID_BRIGHTNESS, QStringLiteral("Brightness"), -64, 64, 1, 0, 0},
        {V4L2_CID_CONTRAST, QStringLiteral("Contrast"), 0, 95, 1, 32, 32},
        {V4L2_CID_SATURATION, QStringLiteral("Saturation"), 0, 100, 1, 64, 64},
        {V4L2_CID_HUE, QStringLiteral("Hue"), -2000, 2000, 100, 0, 0},
        {V4L2_CID_AUTO_WHITE_BALANCE, QStringLiteral("White Balance, Automatic"), 0, 1, 1, 1, 1, true}};
    m_format.width = 640;
    m_format.height = 480;
    m_format.pixelformat = V4L2_PIX_FMT_YUYV;
    fitFormat(m_format);
}

void FakeV4l2Device::unplug()
{
    std::lock_guard lock(m_mutex);
    m_unplugged = true;
}

int FakeV4l2Device::openDescriptors() const
{
    std::lock_guard lock(m_mutex);
    return int(m_open.size());
}

int FakeV4l2Device::mappedBuffers() const
{
    std::lock_guard lock(m_mutex);
    return int(std::count_if(m_buffers.begin(), m_buffers.end(), [](const Buffer &b) { return b.mapped; }));
}

bool FakeV4l2Device::isStreaming() const
{
    std::lock_guard lock(m_mutex);
    return m_streaming;
}

int FakeV4l2Device::framesDelivered() const
{
    std::lock_guard lock(m_mutex);
    return m_frames;
}

int FakeV4l2Device::controlValue(quint32 id) const
{
    std::lock_guard lock(m_mutex);
    for (const Control &c : controlList)
        if (c.id == id)
            return c.value;
    return 0;
}

v4l2_pix_format FakeV4l2Device::currentFormat() const
{
    std::lock_guard lock(m_mutex);
    return m_format;
}

v4l2_std_id FakeV4l2Device::currentStandard() const
{
    std::lock_guard lock(m_mutex);
    return m_standard;
}

int FakeV4l2Device::requestCount(unsigned long request) const
{
    std::lock_guard lock(m_mutex);
    return int(m_requests.count(request));
}

int FakeV4l2Device::fail(int error) const
{
    errno = error;
    return -1;
}

QStringList FakeV4l2Device::deviceNodes() const
{
    std::lock_guard lock(m_mutex);
    QStringList paths;
    if (!m_unplugged)
        for (const Node &n : nodes)
            paths << n.path;
    return paths;
}

int FakeV4l2Device::open(const QString &path)
{
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < nodes.size() && !m_unplugged; ++i) {
        if (nodes[i].path != path)
            continue;
        const int fd = m_nextFd++;
        m_open.push_back(fd);
        m_openNode.push_back(i);
        return fd;
    }
    return fail(ENOENT);
}

int FakeV4l2Device::close(int fd)
{
    std::lock_guard lock(m_mutex);
    const auto it = std::find(m_open.begin(), m_open.end(), fd);
    if (it == m_open.end())
        return fail(EBADF);
    m_openNode.erase(m_openNode.begin() + (it - m_open.begin()));
    m_open.erase(it);
    if (m_open.empty()) { // the last close frees what the driver held
        m_streaming = false;
        m_buffers.clear();
    }
    return 0;
}

void *FakeV4l2Device::mmap(int fd, std::size_t length, std::int64_t offset)
{
    std::lock_guard lock(m_mutex);
    if (m_unplugged || std::find(m_open.begin(), m_open.end(), fd) == m_open.end()) {
        errno = ENODEV;
        return nullptr;
    }
    const std::size_t index = std::size_t(offset / BufferStride);
    if (offset % BufferStride != 0 || index >= m_buffers.size() ||
        length > std::size_t(m_buffers[index].data.size())) {
        errno = EINVAL;
        return nullptr;
    }
    m_buffers[index].mapped = true;
    return m_buffers[index].data.data();
}

int FakeV4l2Device::munmap(void *start, std::size_t)
{
    std::lock_guard lock(m_mutex);
    for (Buffer &b : m_buffers) {
        if (b.data.data() == start && b.mapped) {
            b.mapped = false;
            return 0;
        }
    }
    return fail(EINVAL);
}

int FakeV4l2Device::waitForFrame(int, int timeoutMs)
{
    bool ready;
    {
        std::lock_guard lock(m_mutex);
        if (m_unplugged)
            return fail(ENODEV);
        ready = m_streaming &&
                std::any_of(m_buffers.begin(), m_buffers.end(), [](const Buffer &b) { return b.queued; });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ready ? 3 : std::min(timeoutMs, 5)));
    return ready ? 1 : 0;
}

int FakeV4l2Device::ioctl(int fd, unsigned long request, void *arg)
{
    std::lock_guard lock(m_mutex);
    m_requests << request;
    if (m_unplugged)
        return fail(ENODEV);
    if (std::find(m_open.begin(), m_open.end(), fd) == m_open.end())
        return fail(EBADF);
    return handle(fd, request, arg);
}

FakeV4l2Device::Control *FakeV4l2Device::findControl(quint32 id)
{
    for (Control &c : controlList)
        if (c.id == id)
            return &c;
    return nullptr;
}

int FakeV4l2Device::queryControl(v4l2_queryctrl &q) const
{
    const Control *found = nullptr;
    if (q.id & V4L2_CTRL_FLAG_NEXT_CTRL) {
        const quint32 after = q.id & ~(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
        for (const Control &c : controlList)
            if (c.id > after && (!found || c.id < found->id))
                found = &c;
    } else {
        for (const Control &c : controlList)
            if (c.id == q.id)
                found = &c;
    }
    if (!found)
        return fail(EINVAL);
    q = {};
    q.id = found->id;
    q.type = found->isBoolean ? V4L2_CTRL_TYPE_BOOLEAN : V4L2_CTRL_TYPE_INTEGER;
    copyName(q.name, sizeof q.name, found->name);
    q.minimum = found->minimum;
    q.maximum = found->maximum;
    q.step = found->step;
    q.default_value = found->defaultValue;
    return 0;
}

void FakeV4l2Device::fitFormat(v4l2_pix_format &pix) const
{
    if (!formats.contains(pix.pixelformat))
        pix.pixelformat = formats.value(0, V4L2_PIX_FMT_YUYV);
    const QSize wanted(int(pix.width), int(pix.height));
    QSize best = sizes.value(0, QSize(640, 480));
    for (const QSize &s : sizes)
        if (std::abs(s.width() - wanted.width()) + std::abs(s.height() - wanted.height()) <
            std::abs(best.width() - wanted.width()) + std::abs(best.height() - wanted.height()))
            best = s;
    pix.width = quint32(best.width());
    pix.height = quint32(best.height());
    pix.field = V4L2_FIELD_NONE;
    pix.bytesperline =
        isPlanar(pix.pixelformat) ? pix.width : quint32(frameBytes(pix.pixelformat, best.width(), 1));
    pix.sizeimage = quint32(frameBytes(pix.pixelformat, best.width(), best.height(), int(pix.bytesperline)));
}

void FakeV4l2Device::fillFrame(Buffer &buffer)
{
    QImage picture(int(m_format.width), int(m_format.height), QImage::Format_RGB32);
    picture.fill(frameColour);
    const EncodedFrame frame = encodeFrame(picture, m_format.pixelformat);
    std::memcpy(buffer.data.data(), frame.data.constData(),
                std::min<std::size_t>(std::size_t(frame.data.size()), std::size_t(buffer.data.size())));
}

int FakeV4l2Device::handle(int fd, unsigned long request, void *arg)
{
    const int node = m_openNode[std::size_t(std::find(m_open.begin(), m_open.end(), fd) - m_open.begin())];
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto &cap = *static_cast<v4l2_capability *>(arg);
        cap = {};
        copyName(cap.driver, sizeof cap.driver, QStringLiteral("fake"));
        copyName(cap.card, sizeof cap.card, QStringLiteral("Fake capture card"));
        cap.device_caps =
            nodes[node].canCapture ? V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING : V4L2_CAP_META_CAPTURE;
        cap.capabilities = cap.device_caps | V4L2_CAP_DEVICE_CAPS;
        return 0;
    }
    case VIDIOC_G_STD: *static_cast<v4l2_std_id *>(arg) = m_standard; return 0;
    case VIDIOC_S_STD: {
        const v4l2_std_id id = *static_cast<v4l2_std_id *>(arg) & standards;
        if (id == 0)
            return fail(EINVAL);
        if (m_streaming)
            return fail(EBUSY);
        m_standard = id;
        return 0;
    }
    case VIDIOC_G_INPUT: *static_cast<int *>(arg) = m_input; return 0;
    case VIDIOC_S_INPUT: {
        const int index = *static_cast<int *>(arg);
        if (index < 0 || index >= inputs.size())
            return fail(EINVAL);
        if (!m_buffers.empty())
            return fail(EBUSY);
        m_input = index;
        return 0;
    }
    case VIDIOC_ENUMINPUT: {
        auto &in = *static_cast<v4l2_input *>(arg);
        if (in.index >= quint32(inputs.size()))
            return fail(EINVAL);
        const quint32 index = in.index;
        in = {};
        in.index = index;
        copyName(in.name, sizeof in.name, inputs[int(index)]);
        in.type = V4L2_INPUT_TYPE_CAMERA;
        in.std = standards;
        in.status = signal ? 0 : V4L2_IN_ST_NO_SIGNAL;
        return 0;
    }
    case VIDIOC_QUERYCTRL: return queryControl(*static_cast<v4l2_queryctrl *>(arg));
    case VIDIOC_G_CTRL: {
        auto &c = *static_cast<v4l2_control *>(arg);
        const Control *found = findControl(c.id);
        if (!found)
            return fail(EINVAL);
        c.value = found->value;
        return 0;
    }
    case VIDIOC_S_CTRL: {
        auto &c = *static_cast<v4l2_control *>(arg);
        Control *found = findControl(c.id);
        if (!found)
            return fail(EINVAL);
        if (refusedControls.contains(c.id))
            return fail(EBUSY);
        int v = std::clamp(c.value, found->minimum, found->maximum);
        v = found->minimum + (v - found->minimum + found->step / 2) / found->step * found->step;
        if (v > found->maximum)
            v -= found->step;
        found->value = found->isBoolean ? (v != 0) : v;
        c.value = found->value;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto &f = *static_cast<v4l2_fmtdesc *>(arg);
        if (f.index >= quint32(formats.size()))
            return fail(EINVAL);
        f.pixelformat = formats[int(f.index)];
        return 0;
    }
    case VIDIOC_G_FMT: static_cast<v4l2_format *>(arg)->fmt.pix = m_format; return 0;
    case VIDIOC_TRY_FMT:
    case VIDIOC_S_FMT: {
        auto &f = *static_cast<v4l2_format *>(arg);
        if (f.type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (request == VIDIOC_S_FMT && !m_buffers.empty())
            return fail(EBUSY);
        fitFormat(f.fmt.pix);
        if (request == VIDIOC_S_FMT)
            m_format = f.fmt.pix;
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        if (!listsFrameSizes)
            return fail(ENOTTY);
        auto &e = *static_cast<v4l2_frmsizeenum *>(arg);
        if (!formats.contains(e.pixel_format) || e.index >= quint32(sizes.size()))
            return fail(EINVAL);
        e.type = V4L2_FRMSIZE_TYPE_DISCRETE;
        e.discrete.width = quint32(sizes[int(e.index)].width());
        e.discrete.height = quint32(sizes[int(e.index)].height());
        return 0;
    }
    case VIDIOC_REQBUFS: {
        auto &r = *static_cast<v4l2_requestbuffers *>(arg);
        if (r.memory != V4L2_MEMORY_MMAP)
            return fail(EINVAL);
        if (m_streaming ||
            std::any_of(m_buffers.begin(), m_buffers.end(), [](const Buffer &b) { return b.mapped; }))
            return fail(EBUSY);
        m_buffers.clear();
        r.count = std::min<quint32>(r.count, 4);
        for (quint32 i = 0; i < r.count; ++i)
            m_buffers.push_back({QByteArray(int(m_format.sizeimage), '\0')});
        return 0;
    }
    case VIDIOC_QUERYBUF: {
        auto &b = *static_cast<v4l2_buffer *>(arg);
        if (b.index >= m_buffers.size())
            return fail(EINVAL);
        b.length = quint32(m_buffers[b.index].data.size());
        b.m.offset = quint32(b.index * BufferStride);
        return 0;
    }
    case VIDIOC_QBUF: {
        auto &b = *static_cast<v4l2_buffer *>(arg);
        if (b.index >= m_buffers.size() || m_buffers[b.index].queued)
            return fail(EINVAL);
        m_buffers[b.index].queued = true;
        return 0;
    }
    case VIDIOC_DQBUF: {
        if (!m_streaming)
            return fail(EINVAL);
        auto &b = *static_cast<v4l2_buffer *>(arg);
        for (quint32 i = 0; i < m_buffers.size(); ++i) {
            const quint32 index = (quint32(m_frames) + i) % quint32(m_buffers.size());
            if (!m_buffers[index].queued)
                continue;
            fillFrame(m_buffers[index]);
            m_buffers[index].queued = false;
            b.index = index;
            b.bytesused = m_format.sizeimage;
            b.flags = V4L2_BUF_FLAG_DONE;
            b.sequence = quint32(m_frames++);
            return 0;
        }
        return fail(EAGAIN);
    }
    case VIDIOC_STREAMON:
        if (m_buffers.empty())
            return fail(EINVAL);
        m_streaming = true;
        return 0;
    case VIDIOC_STREAMOFF:
        m_streaming = false;
        for (Buffer &b : m_buffers)
            b.queued = false;
        return 0;
    default: return fail(ENOTTY);
    }
}

} // namespace lumetra::test
