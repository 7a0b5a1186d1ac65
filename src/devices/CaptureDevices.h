#pragma once

#include "devices/CaptureDevice.h"

#include <QList>
#include <QString>

#include <memory>

namespace lumetra {

// One device a capture window can show.
struct CaptureDeviceEntry
{
    enum class Kind { VideoCard, Camera, Simulated };
    QString id;    // what openCaptureDevice takes
    QString label; // for the device menu
    Kind kind = Kind::Camera;
};

// The ids openCaptureDevice knows besides GenICam camera ids.
inline const QString SimulatedDeviceId = QStringLiteral("simulated");
inline const QString VideoCardDeviceId = QStringLiteral("v4l2");

// The V4L2 capture card (when the machine has a video device node), the GenICam cameras on the
// interfaces in use (see GenicamSystem; GigE discovery broadcasts) and the simulated camera.
QList<CaptureDeviceEntry> listCaptureDevices();

// Opens and connects a device: "simulated", "v4l2" or a GenICam camera (IP address, device
// id, serial number or vendor-model-serial). Nothing, and `error` set, when it cannot.
std::unique_ptr<CaptureDevice> openCaptureDevice(const QString &id, QString *error = nullptr);

} // namespace lumetra
