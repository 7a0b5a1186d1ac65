#include "devices/CaptureDevices.h"

#include "types/MessageLanguage.h"
#include "devices/LibV4l2Io.h"
#include "devices/SimulatedCaptureDevice.h"
#include "devices/V4l2CaptureDevice.h"
#include "devices/genicam/GenicamCamera.h"
#include "devices/genicam/GenicamCaptureDevice.h"
#include "devices/genicam/GenicamSystem.h"

#include <QDir>

namespace lumetra {

namespace {

bool hasVideoNodes()
{
    return !QDir(QStringLiteral("/dev")).entryList({QStringLiteral("video*")}, QDir::System).isEmpty();
}

} // namespace

QList<CaptureDeviceEntry> listCaptureDevices()
{
    QList<CaptureDeviceEntry> devices;
    if (hasVideoNodes())
        devices << CaptureDeviceEntry{VideoCardDeviceId, messageText("视频采集卡 (V4L2)", "Video capture card (V4L2)"),
                                      CaptureDeviceEntry::Kind::VideoCard};
    for (const CameraIdentity &camera : GenicamSystem::listCameras()) {
        QString label = QStringLiteral("%1 %2 (%3)").arg(camera.vendor, camera.model, camera.serial);
        if (!camera.address.isEmpty())
            label += QStringLiteral(" @ ") + camera.address;
        devices << CaptureDeviceEntry{camera.id, label, CaptureDeviceEntry::Kind::Camera};
    }
    devices << CaptureDeviceEntry{SimulatedDeviceId, messageText("模拟相机", "Simulated camera"), CaptureDeviceEntry::Kind::Simulated};
    return devices;
}

std::unique_ptr<CaptureDevice> openCaptureDevice(const QString &id, QString *error)
{
    std::unique_ptr<CaptureDevice> device;
    if (id == SimulatedDeviceId) {
        device = std::make_unique<SimulatedCaptureDevice>();
    } else if (id == VideoCardDeviceId) {
        device = std::make_unique<V4l2CaptureDevice>(std::make_shared<LibV4l2Io>());
    } else {
        QString why;
        std::unique_ptr<GenicamCamera> camera = GenicamCamera::open(id, &why);
        if (!camera) {
            if (error)
                *error = why;
            return nullptr;
        }
        // The camera opened here is the device's first connection.
        auto opened = std::make_shared<std::unique_ptr<GenicamCamera>>(std::move(camera));
        device = std::make_unique<GenicamCaptureDevice>(id, [opened, id](QString *e) {
            if (*opened)
                return std::move(*opened);
            return GenicamCamera::open(id, e);
        });
    }
    if (device->connectDevice() < 0) {
        if (error)
            *error = id == VideoCardDeviceId && !hasVideoNodes()
                         ? messageText("这台电脑没有视频设备 (/dev/video*)", "this computer has no video device (/dev/video*)")
                         : messageText("无法连接 %1", "cannot connect to %1").arg(id);
        return nullptr;
    }
    return device;
}

} // namespace lumetra
