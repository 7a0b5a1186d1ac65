#pragma once

#include "devices/V4l2Io.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

#include <linux/videodev2.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace lumetra::test {

// A video driver behind the V4l2Io seam that behaves as real ones do: it clamps control values
// to their range and step, substitutes its own layout and nearest size for a format it does not
// have, refuses a standard it cannot take, refuses a new format or input while buffers are
// allocated and a new standard while streaming,
// reports a missing signal in the input status, and after unplug() fails every call with ENODEV.
// Frames are filled with `frameColour` in the format in force. Safe to call from two threads.
class FakeV4l2Device : public V4l2Io
{
public:
    struct Node
    {
        QString path;
        bool canCapture = true;
    };
    struct Control
    {
        quint32 id;
        QString name;
        int minimum, maximum, step, defaultValue;
        int value;
        bool isBoolean = false;
    };

    FakeV4l2Device();

    // Configuration, set before the device is opened.
    QList<Node> nodes{{QStringLiteral("/dev/video0"), true}};
    QList<quint32> formats{V4L2_PIX_FMT_YUYV, V4L2_PIX_FMT_RGB24, V4L2_PIX_FMT_YVU420};
    QList<QSize> sizes{QSize(640, 480), QSize(320, 240), QSize(352, 288)};
    QStringList inputs{QStringLiteral("Composite"), QStringLiteral("S-Video"), QStringLiteral("Tuner")};
    v4l2_std_id standards = V4L2_STD_NTSC | V4L2_STD_PAL;
    bool listsFrameSizes = true;
    QList<Control> controlList;
    std::atomic<bool> signal{true};
    QColor frameColour{200, 40, 90};
    // Controls the driver will not set (S_CTRL fails with EBUSY, as for a control another
    // program holds).
    QList<quint32> refusedControls;

    // Fault: the device goes away; every later call fails with ENODEV.
    void unplug();

    // Observation.
    int openDescriptors() const;
    int mappedBuffers() const;
    bool isStreaming() const;
    int framesDelivered() const;
    int controlValue(quint32 id) const;
    v4l2_pix_format currentFormat() const;
    v4l2_std_id currentStandard() const;
    int requestCount(unsigned long request) const;

    // V4l2Io
    QStringList deviceNodes() const override;
    int open(const QString &path) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void *arg) override;
    void *mmap(int fd, std::size_t length, std::int64_t offset) override;
    int munmap(void *start, std::size_t length) override;
    int waitForFrame(int fd, int timeoutMs) override;

private:
    struct Buffer
    {
        QByteArray data;
        bool queued = false;
        bool mapped = false;
    };

    int fail(int error) const;
    int handle(int fd, unsigned long request, void *arg);
    int queryControl(v4l2_queryctrl &q) const;
    Control *findControl(quint32 id);
    void fitFormat(v4l2_pix_format &pix) const;
    void fillFrame(Buffer &buffer);

    mutable std::mutex m_mutex;
    bool m_unplugged = false;
    int m_nextFd = 40;
    std::vector<int> m_open; // descriptors handed out, with the node index they belong to
    std::vector<int> m_openNode;
    v4l2_pix_format m_format{};
    v4l2_std_id m_standard = V4L2_STD_PAL;
    int m_input = 0;
    std::vector<Buffer> m_buffers;
    bool m_streaming = false;
    int m_frames = 0;
    QList<unsigned long> m_requests;
};

} // namespace lumetra::test
