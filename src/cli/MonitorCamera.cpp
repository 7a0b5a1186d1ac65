#include "cli/MonitorCamera.h"

#include "devices/CaptureDevices.h"
#include "devices/SimulatedCaptureDevice.h"

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
    // A V4L2 card ("v4l2") or a GenICam camera by address, id, serial or vendor-model-serial.
    QString why;
    std::unique_ptr<CaptureDevice> device = openCaptureDevice(id, &why);
    if (!device)
        *error = QStringLiteral("cannot open camera '%1': %2").arg(id, why);
    return device;
}

} // namespace lumetra::cli
