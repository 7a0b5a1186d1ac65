#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace lumetra {

class CameraControls;
struct DeepFrame;

// The four picture controls of a capture device, each on the card's scale 0..10000 where 5000
// is the device's default.
enum class PictureControl { Brightness, Contrast, Hue, Saturation };

// Video standards by the card's index.
enum VideoStandard { StandardNtsc = 0, StandardPal = 1, StandardSecam = 2 };

// Pixel layouts by the card's subtype index.
enum VideoSubtype { SubtypeRgb555 = 0, SubtypeRgb24 = 1, SubtypeYuy2 = 2, SubtypeYvu9 = 3, SubtypeYv12 = 4 };
constexpr int VideoSubtypeCount = 5;

struct VideoFormat
{
    int width = 0;
    int height = 0;
    int subtype = -1; // -1: a layout the card has no index for
};

// A control as the driver reports it, on the driver's own scale (for the card's own dialog).
struct DeviceControl
{
    quint32 id = 0;
    QString name;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
    bool isBoolean = false;
};

enum class StreamState { Stopped, Running, Paused };

// One capture device behind the card: a V4L2 device or the simulated card. Every call comes
// from the user-interface thread; frames are produced on a streaming thread of the device's own.
class CaptureDevice
{
public:
    // Both are called on the streaming thread; a failure ends the stream.
    using FrameSink = std::function<void(const QImage &frame)>;
    using FailureSink = std::function<void(const QString &reason)>;

    virtual ~CaptureDevice() = default;

    // Connects to the device (again: keeps the connection) and returns its channel number,
    // negative when there is none to connect to.
    virtual int connectDevice() = 0;
    virtual bool isConnected() const = 0;
    // Stops the stream and lets the device go.
    virtual void release() = 0;

    // Standard (VideoStandard; -1 when the device has none) and video source. A value the
    // device refuses leaves the one in force.
    virtual int standard() const = 0;
    virtual void setStandard(int standard) = 0;
    virtual int input() const = 0;
    virtual void setInput(int input) = 0;
    virtual int pictureControl(PictureControl control) const = 0;
    virtual void setPictureControl(PictureControl control, int value) = 0;

    // True when the device now delivers exactly this format; otherwise the format in force stays.
    // An accepted format starts the stream.
    virtual bool setFormat(int width, int height, int subtype) = 0;
    virtual VideoFormat format() const = 0;
    virtual bool signalPresent() const = 0;

    virtual void run() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual StreamState streamState() const = 0;
    // Set before the stream runs.
    virtual void setSinks(FrameSink frames, FailureSink failures) = 0;

    // What the card's own dialogs offer: every adjustable control, the inputs by name and the
    // frame sizes of the current pixel layout.
    virtual QList<DeviceControl> controls() const = 0;
    virtual void setControl(quint32 id, int value) = 0;
    virtual QStringList inputNames() const = 0;
    virtual QList<QSize> frameSizes() const = 0;

    // What became of the last control, standard or input set: empty when the device took it;
    // otherwise one line naming the setting, the device's reason and what stays in force. The
    // getters give the values the device actually holds.
    virtual QString lastSettingRefusal() const { return {}; }

    // Devices with samples deeper than the picture (scientific cameras) deliver each frame at
    // its own depth together with the picture to show: once this sink is set (before the
    // stream runs) it takes every frame instead of the FrameSink. False: the device has no
    // deep frames and keeps using the FrameSink.
    using DeepFrameSink = std::function<void(const QImage &display, std::shared_ptr<const DeepFrame> frame)>;
    virtual bool setDeepFrameSink(DeepFrameSink) { return false; }
    // Exposure, gain, region and the other camera settings; nothing for a video card.
    virtual CameraControls *cameraControls() { return nullptr; }
};

} // namespace lumetra
