#pragma once

#include "devices/CameraControls.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra {

// The settings of each camera, by serial number, in the user's settings (INI file beside the
// program's other settings).
std::optional<CameraSettings> loadCameraSettings(const QString &serial);
bool saveCameraSettings(const QString &serial, const CameraSettings &settings);
// How many frames each live measurement of the camera averages (nothing when never set).
std::optional<int> loadCameraAveraging(const QString &serial);
bool saveCameraAveraging(const QString &serial, int frames);
// Another file than the user's (tests); empty: the user's again.
void setCameraSettingsFile(const QString &path);
QString cameraSettingsFile();

// Sets `wanted` on the camera: pixel format, binning and region first, then exposure, gain and
// frame rate, each only where the camera has it and it differs from what is in force. The
// refusals, one line each (the refused settings keep their values).
QStringList applyCameraSettings(CameraControls &camera, const CameraSettings &wanted);

} // namespace lumetra
