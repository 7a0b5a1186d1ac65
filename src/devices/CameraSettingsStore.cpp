#include "devices/CameraSettingsStore.h"

#include "platform/settings/ConfigIniFile.h"

#include <QSettings>

#include <cmath>

namespace lumetra {

namespace {

ConfigIniFile camerasFile(QStringLiteral("cameras.ini"));

QString group(const QString &serial)
{
    // Serial numbers may hold characters QSettings reads as separators.
    return QStringLiteral("camera-") + QString::fromLatin1(serial.toUtf8().toHex());
}

bool differs(double a, double b)
{
    return std::abs(a - b) > 1e-9 * std::max(1.0, std::abs(b));
}

} // namespace

void setCameraSettingsFile(const QString &path)
{
    camerasFile.choose(path);
}

QString cameraSettingsFile()
{
    return camerasFile.path();
}

std::optional<CameraSettings> loadCameraSettings(const QString &serial)
{
    QSettings file(camerasFile.path(), QSettings::IniFormat);
    file.beginGroup(group(serial));
    if (!file.contains(QStringLiteral("pixelFormat")))
        return std::nullopt;
    CameraSettings s;
    s.pixelFormat = file.value(QStringLiteral("pixelFormat")).toString();
    s.exposureUs = file.value(QStringLiteral("exposureUs")).toDouble();
    s.gain = file.value(QStringLiteral("gain")).toDouble();
    s.frameRate = file.value(QStringLiteral("frameRate")).toDouble();
    s.roi = file.value(QStringLiteral("roi")).toRect();
    s.binning = file.value(QStringLiteral("binning"), 1).toInt();
    return s;
}

bool saveCameraSettings(const QString &serial, const CameraSettings &s)
{
    QSettings file(camerasFile.path(), QSettings::IniFormat);
    file.beginGroup(group(serial));
    file.setValue(QStringLiteral("serial"), serial);
    file.setValue(QStringLiteral("pixelFormat"), s.pixelFormat);
    file.setValue(QStringLiteral("exposureUs"), s.exposureUs);
    file.setValue(QStringLiteral("gain"), s.gain);
    file.setValue(QStringLiteral("frameRate"), s.frameRate);
    file.setValue(QStringLiteral("roi"), s.roi);
    file.setValue(QStringLiteral("binning"), s.binning);
    file.endGroup();
    file.sync();
    return file.status() == QSettings::NoError;
}

std::optional<int> loadCameraAveraging(const QString &serial)
{
    QSettings file(camerasFile.path(), QSettings::IniFormat);
    file.beginGroup(group(serial));
    bool ok = false;
    const int n = file.value(QStringLiteral("averaging")).toInt(&ok);
    return ok && n >= 1 ? std::optional<int>(n) : std::nullopt;
}

bool saveCameraAveraging(const QString &serial, int frames)
{
    QSettings file(camerasFile.path(), QSettings::IniFormat);
    file.beginGroup(group(serial));
    file.setValue(QStringLiteral("averaging"), frames);
    file.endGroup();
    file.sync();
    return file.status() == QSettings::NoError;
}

QStringList applyCameraSettings(CameraControls &camera, const CameraSettings &wanted)
{
    QStringList refusals;
    const auto note = [&refusals](const QString &answer) {
        if (!answer.isEmpty())
            refusals << answer;
    };
    const CameraLimits limits = camera.limits();
    CameraSettings now = camera.settings();
    if (!wanted.pixelFormat.isEmpty() && wanted.pixelFormat != now.pixelFormat)
        note(camera.setPixelFormat(wanted.pixelFormat));
    if (limits.binning.available && wanted.binning != now.binning)
        note(camera.setBinning(wanted.binning));
    now = camera.settings();
    if (wanted.roi.isValid() && wanted.roi != now.roi)
        note(camera.setRoi(wanted.roi));
    if (limits.exposureUs.available && differs(wanted.exposureUs, now.exposureUs))
        note(camera.setExposureUs(wanted.exposureUs));
    if (limits.gain.available && differs(wanted.gain, now.gain))
        note(camera.setGain(wanted.gain));
    if (limits.frameRate.available && wanted.frameRate > 0 && differs(wanted.frameRate, now.frameRate))
        note(camera.setFrameRate(wanted.frameRate));
    return refusals;
}

} // namespace lumetra
