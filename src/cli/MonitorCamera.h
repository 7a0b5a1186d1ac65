#pragma once

#include "devices/CaptureDevice.h"

#include <QString>

#include <memory>

namespace lumetra::cli {

// The camera `id` names, connected and ready to stream, or empty with `error` set: "simulated"
// (the simulated card in PAL, 25 frames a second, showing the spot that rests in the middle of
// the picture), "v4l2" or a GenICam camera (IP address, device id, serial, vendor-model-serial).
std::unique_ptr<CaptureDevice> openMonitorCamera(const QString &id, QString *error);

} // namespace lumetra::cli
