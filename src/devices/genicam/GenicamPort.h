#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

typedef struct _GError GError;

namespace lumetra {

// The calls a GenicamCamera makes into a camera, one for each Aravis call it uses. The camera
// goes through this seam only: AravisPort calls Aravis, tests hand in a scripted port that refuses
// values, times out, vanishes or sends incomplete buffers. A call that fails sets `*error` (which
// is null on entry) the way GLib does and the caller owns it.
class GenicamPort
{
public:
    enum class Feature { Exposure, Gain, FrameRate, Binning, RegionOffset };
    enum class Value { ExposureUs, Gain, FrameRate };

    // One buffer popped from the stream; `token` gives it back with requeue().
    struct Buffer
    {
        void *token = nullptr;
        bool complete = false; // every packet arrived
        bool image = false;    // holds a picture (not chunk data)
        std::uint32_t pixelFormat = 0;
        const void *data = nullptr;
        std::size_t size = 0;
        int width = 0;
        int height = 0;
        std::uint64_t frameId = 0;
    };

    virtual ~GenicamPort() = default;

    virtual bool isAvailable(Feature feature, GError **error) = 0;
    virtual void bounds(Value value, double *minimum, double *maximum, GError **error) = 0;
    virtual double get(Value value, GError **error) = 0;
    virtual void set(Value value, double v, GError **error) = 0;

    virtual void binningBounds(int *minimum, int *maximum, GError **error) = 0;
    virtual int binning(GError **error) = 0;
    virtual void setBinning(int binning, GError **error) = 0;

    virtual QSize sensorSize() = 0;
    virtual QRect region(GError **error) = 0;
    virtual void setRegion(const QRect &region, GError **error) = 0;

    // The formats offered: code and GenICam name.
    virtual QList<std::pair<std::uint32_t, QString>> pixelFormats() = 0;
    virtual std::uint32_t pixelFormat(GError **error) = 0;
    virtual QString pixelFormatName() = 0;
    virtual void setPixelFormat(const QString &name, GError **error) = 0;

    virtual std::size_t payload(GError **error) = 0;

    // Makes the stream with `buffers` buffers of `payload` bytes; false (and `error`) without one.
    virtual bool openStream(std::size_t payload, int buffers, GError **error) = 0;
    virtual void startAcquisition(GError **error) = 0;
    virtual void stopAcquisition() = 0;
    virtual void closeStream() = 0;
    // The next buffer within `timeoutUs`, nothing when none came.
    virtual std::optional<Buffer> pop(std::int64_t timeoutUs) = 0;
    virtual void requeue(const Buffer &buffer) = 0;

    // The control channel was lost (the camera's heartbeat went unanswered).
    virtual bool controlLost() const = 0;
    // GigE Vision: sets the largest stream packet that reaches this host and answers it in bytes;
    // 0 for other cameras or when it could not be negotiated.
    virtual int negotiatePacketSize() = 0;
};

} // namespace lumetra
