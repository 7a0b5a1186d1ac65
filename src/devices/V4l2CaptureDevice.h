#pragma once

#include "devices/CaptureDevice.h"

#include <QString>

#include <memory>
#include <optional>

struct v4l2_queryctrl;

namespace lumetra {

class V4l2Io;
class V4l2Stream;

// A capture card on Video4Linux2. Connecting opens the first device node that can capture and
// stream (its number is the channel). The standard, input and picture controls go to the
// driver and are read back from it; the card's 0..10000 scale is mapped onto each control's own
// range. The format is tried before it is set, so a refused or altered format leaves the one
// in force. Frames stream from memory-mapped buffers on a thread of their own.
class V4l2CaptureDevice : public CaptureDevice
{
public:
    explicit V4l2CaptureDevice(std::shared_ptr<V4l2Io> io);
    ~V4l2CaptureDevice() override;

    int connectDevice() override;
    bool isConnected() const override { return m_fd >= 0; }
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
    QString lastSettingRefusal() const override { return m_refusal; }
    QStringList inputNames() const override;
    QList<QSize> frameSizes() const override;

    // Why the stream last failed to start (empty when it did not).
    QString lastError() const { return m_lastError; }

private:
    int xioctl(unsigned long request, void *arg) const;
    // Sets a standard or an input; a driver that is busy streaming gets it between two streams.
    // Sets a standard or input, pausing the stream when the driver is busy; false (errno set)
    // when the driver refuses it.
    bool setWhileIdle(unsigned long request, void *arg);
    // S_CTRL, then the value the driver holds read back; the refusal noted.
    void writeControl(quint32 id, int value);
    std::optional<DeviceControl> queryControl(quint32 id) const;
    bool formatFits(quint32 fourcc, int width, int height, bool set);

    std::shared_ptr<V4l2Io> m_io;
    int m_fd = -1;
    int m_channel = -1;
    std::unique_ptr<V4l2Stream> m_stream;
    StreamState m_state = StreamState::Stopped;
    FrameSink m_frames;
    FailureSink m_failures;
    QString m_refusal;
    QString m_lastError;
};

} // namespace lumetra
