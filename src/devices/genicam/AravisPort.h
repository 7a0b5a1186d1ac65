#pragma once

#include "devices/genicam/GenicamPort.h"

#include <atomic>

typedef struct _ArvCamera ArvCamera;
typedef struct _ArvStream ArvStream;

namespace lumetra {

// The GenICam calls on a real camera through Aravis.
class AravisPort : public GenicamPort
{
public:
    // Takes over `camera` (one reference); `fake` for the in-process fake interface.
    AravisPort(ArvCamera *camera, bool fake);
    ~AravisPort() override;

    AravisPort(const AravisPort &) = delete;
    AravisPort &operator=(const AravisPort &) = delete;

    bool isAvailable(Feature feature, GError **error) override;
    void bounds(Value value, double *minimum, double *maximum, GError **error) override;
    double get(Value value, GError **error) override;
    void set(Value value, double v, GError **error) override;
    void binningBounds(int *minimum, int *maximum, GError **error) override;
    int binning(GError **error) override;
    void setBinning(int binning, GError **error) override;
    QSize sensorSize() override;
    QRect region(GError **error) override;
    void setRegion(const QRect &region, GError **error) override;
    QList<std::pair<std::uint32_t, QString>> pixelFormats() override;
    std::uint32_t pixelFormat(GError **error) override;
    QString pixelFormatName() override;
    void setPixelFormat(const QString &name, GError **error) override;
    std::size_t payload(GError **error) override;
    bool openStream(std::size_t payload, int buffers, GError **error) override;
    void startAcquisition(GError **error) override;
    void stopAcquisition() override;
    void closeStream() override;
    std::optional<Buffer> pop(std::int64_t timeoutUs) override;
    void requeue(const Buffer &buffer) override;
    bool controlLost() const override { return m_controlLost; }
    int negotiatePacketSize() override;

private:
    ArvCamera *m_camera = nullptr;
    ArvStream *m_stream = nullptr;
    bool m_fake = false;
    std::size_t m_payload = 0;
    unsigned long m_lostHandler = 0;
    std::atomic<bool> m_controlLost{false};
};

} // namespace lumetra
