#include "cli/MonitorCamera.h"

#include "platform/capture/SimulatedCaptureDevice.h"

namespace lumetra::cli {

std::unique_ptr<CaptureDevice> openMonitorCamera(const QString &id, QString *error)
{
    if (id == QLatin1String("simulated")) {
        auto device = std::make_unique<SimulatedCaptureDevice>();
        if (device->connectDevice() < 0) {
            *error = QStringLiteral("the simulated camera does not connect");
            return nullptr;
        }
        device->setStandard(StandardPal);
        device->setInput(3); // the resting spot: drift and jitter alone move it
        return device;
    }
    *error = QStringLiteral("unknown camera '%1' (known: simulated)").arg(id);
    return nullptr;
}

} // namespace lumetra::cli
