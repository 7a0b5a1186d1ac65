#pragma once

#include "devices/genicam/GenicamPort.h"

#include <QSet>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace lumetra::test {

// What a scripted camera holds and does.
struct CameraState
{
    std::map<GenicamPort::Value, double> values{
        {GenicamPort::Value::ExposureUs, 10000}, {GenicamPort::Value::Gain, 0}, {GenicamPort::Value::FrameRate, 25}};
    std::map<GenicamPort::Value, std::pair<double, double>> ranges{{GenicamPort::Value::ExposureUs, {10, 1e6}},
                                                                   {GenicamPort::Value::Gain, {0, 24}},
                                                                   {GenicamPort::Value::FrameRate, {1, 200}}};
    // A value set to one of these fails with the message (a camera in auto mode, a timeout).
    std::map<GenicamPort::Value, QString> refusals;
    std::set<GenicamPort::Feature> missing; // settings the camera does not have
    QSet<int> binnings{1, 2, 4}; // within the bounds 1..4, 3 is refused
    int binning = 1;
    QSize sensor{64, 48};
    QRect region{0, 0, 64, 48};
    QString pixelFormat = QStringLiteral("Mono8");
    QString refuseStart;   // startAcquisition fails with this
    bool vanished = false; // nothing answers: no buffers, every control read fails
    int incomplete = 0;    // the next buffers arrive with packets missing (-1: all of them)
    int level = 100;       // the peak of the spot each whole frame shows
    double levelPerUs = 0; // above 0: the peak follows the exposure instead (up to full scale)
    int starts = 0;        // acquisitions started
    std::uint64_t frameId = 0;
};

// The scripted camera's state; the test keeps it while the camera owns the port, and changes it
// at any time (lock `mutex` while the camera may stream).
struct CameraScript : CameraState
{
    std::mutex mutex;
    // Back at its defaults, as after a power cycle.
    void powerCycle() { static_cast<CameraState &>(*this) = CameraState{}; }
};

// A GenicamPort played from a CameraScript: frames come at most every 5 ms.
class ScriptedGenicamPort : public GenicamPort
{
public:
    explicit ScriptedGenicamPort(std::shared_ptr<CameraScript> script) : m_script(std::move(script)) {}

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
    void requeue(const Buffer &) override {}
    bool controlLost() const override { return false; }
    int negotiatePacketSize() override { return 0; }

private:
    bool gone(GError **error);

    std::shared_ptr<CameraScript> m_script;
    bool m_acquiring = false;
    std::vector<std::uint8_t> m_data;
};

} // namespace lumetra::test
