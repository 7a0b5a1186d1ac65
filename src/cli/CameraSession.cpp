#include "cli/CameraSession.h"

#include "cli/ArgumentCursor.h"
#include "cli/DeviceStream.h"
#include "cli/MonitorCamera.h"
#include "devices/FrameAverager.h"
#include "devices/CaptureDevices.h"
#include "devices/genicam/GenicamCamera.h"
#include "platform/framefiles/FrameFile.h"

#include <cmath>

namespace lumetra::cli {

namespace {

// The longest wait for one frame: a camera that sends nothing for this long is taken as gone.
constexpr int FrameTimeoutMs = 5000;

double number(const QString &option, const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw CliError(QStringLiteral("%1 needs a number, not '%2'").arg(option, text));
    return v;
}

int count(const QString &option, const QString &text, int low, int high)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        throw CliError(QStringLiteral("%1 needs a whole number %2..%3, not '%4'").arg(option).arg(low).arg(high).arg(text));
    return v;
}

// Why no frame came: nothing at all, or only frames with packets missing.
QString noFrame(const QString &id, const GenicamCamera &camera)
{
    const QString late = QStringLiteral("no frame from camera %1 in %2 s").arg(id).arg(FrameTimeoutMs / 1000);
    const long long incomplete = camera.droppedFrames();
    if (incomplete == 0)
        return late;
    const QString packet = camera.packetSize() > 0 ? QStringLiteral(" (now %1 bytes)").arg(camera.packetSize()) : QString();
    return QStringLiteral("%1: %2 frames arrived incomplete (lost packets); check the packet size%3, the MTU of the "
                          "network between camera and computer, and the receive buffers (net.core.rmem_max)")
        .arg(late)
        .arg(incomplete)
        .arg(packet);
}

// The frames of a device that is not a GenICam camera (the simulated camera, a V4L2 card) as it
// streams them; a frame that arrives while the one before is still being used replaces it.
void grabStreamed(const CameraRequest &request, const std::function<void(int, const beam::BeamFrame &, int)> &use)
{
    if (request.exposureUs || request.gain || !request.pixelFormat.isEmpty() || request.roi)
        throw CliError(QStringLiteral("--camera %1 takes no camera settings (--exposure-us, --gain, --pixel-format, "
                                      "--roi)").arg(request.camera));
    QString error;
    const std::unique_ptr<CaptureDevice> device = openMonitorCamera(request.camera, &error);
    if (!device)
        throw CliError(error);
    DeviceStream stream(*device);
    FrameAverager averager(request.average);
    beam::BeamFrame mean;
    for (int n = 1; n <= request.frames;) {
        DeviceStream::Frame frame;
        switch (stream.next(FrameTimeoutMs, frame)) {
        case DeviceStream::Wait::Failed: throw CliError(stream.failure());
        case DeviceStream::Wait::Timeout:
            throw CliError(QStringLiteral("no frame from camera %1 in %2 s").arg(request.camera).arg(FrameTimeoutMs / 1000));
        case DeviceStream::Wait::Frame: break;
        }
        DeepFrame deep;
        if (frame.deep) {
            deep = *frame.deep;
        } else {
            const beam::BeamFrame grey = samplesOf(frame);
            deep.width = grey.width;
            deep.height = grey.height;
            deep.samples.assign(grey.values.begin(), grey.values.end());
        }
        deep.id = std::uint64_t(frame.number);
        if (averager.add(deep, mean))
            use(n++, mean, deep.bitDepth);
    }
}

} // namespace

bool CameraRequest::take(ArgumentCursor &cursor)
{
    const QString option = cursor.current();
    if (cursor.is("--camera"))
        camera = cursor.value();
    else if (cursor.is("--frames"))
        frames = count(option, cursor.value(), 1, 100000000);
    else if (cursor.is("--average"))
        average = count(option, cursor.value(), 1, FrameAverager::MaximumCount);
    else if (cursor.is("--exposure-us"))
        exposureUs = number(option, cursor.value());
    else if (cursor.is("--gain"))
        gain = number(option, cursor.value());
    else if (cursor.is("--pixel-format"))
        pixelFormat = cursor.value();
    else if (cursor.is("--roi")) {
        const QString text = cursor.value();
        const QStringList parts = text.split(QLatin1Char(','));
        bool ok = parts.size() == 4;
        int v[4] = {0, 0, 0, 0};
        for (int i = 0; ok && i < 4; ++i)
            v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0)
            throw CliError(QStringLiteral("--roi needs X,Y,W,H (whole numbers, W and H above 0), not '%1'").arg(text));
        roi = QRect(v[0], v[1], v[2], v[3]);
    } else
        return false;
    return true;
}

void CameraRequest::check() const
{
    if (camera.isEmpty())
        throw CliError(QStringLiteral("--camera ID is missing"));
    if (frames <= 0)
        throw CliError(QStringLiteral("--frames N is missing"));
}

void grabFrames(const CameraRequest &request, const std::function<void(int, const beam::BeamFrame &, int)> &use)
{
    if (request.camera == SimulatedDeviceId || request.camera == VideoCardDeviceId)
        return grabStreamed(request, use);
    QString error;
    std::unique_ptr<GenicamCamera> camera = GenicamCamera::open(request.camera, &error);
    if (!camera)
        throw CliError(error);
    const auto apply = [](const QString &refused) {
        if (!refused.isEmpty())
            throw CliError(refused);
    };
    if (!request.pixelFormat.isEmpty())
        apply(camera->setPixelFormat(request.pixelFormat));
    if (request.roi)
        apply(camera->setRoi(*request.roi));
    if (request.exposureUs)
        apply(camera->setExposureUs(*request.exposureUs));
    if (request.gain)
        apply(camera->setGain(*request.gain));
    if (!camera->start(&error))
        throw CliError(error);
    FrameAverager averager(request.average);
    DeepFrame frame;
    beam::BeamFrame mean;
    for (int n = 1; n <= request.frames;) {
        switch (camera->next(frame, FrameTimeoutMs, &error)) {
        case GenicamCamera::Grab::Lost: throw CliError(error);
        case GenicamCamera::Grab::Timeout: throw CliError(noFrame(request.camera, *camera));
        case GenicamCamera::Grab::Frame:
            if (averager.add(frame, mean))
                use(n++, mean, frame.bitDepth);
            break;
        }
    }
}

} // namespace lumetra::cli
