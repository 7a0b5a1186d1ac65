#pragma once

#include <QString>

namespace lumetra {

// The size of a camera pixel on the object, for lengths in micrometres. A pixel size of 0 means
// "not calibrated": lengths are then shown in pixels only.
struct Calibration
{
    double pixelSizeUm = 0.0;   // size of one sensor pixel, µm
    double magnification = 1.0; // optics between object and sensor; the object pixel is pixelSizeUm / magnification

    bool calibrated() const { return pixelSizeUm > 0.0 && magnification > 0.0; }
    // µm on the object per picture pixel; 0 when not calibrated.
    double umPerPixel() const { return calibrated() ? pixelSizeUm / magnification : 0.0; }
    double toUm(double pixels) const { return pixels * umPerPixel(); }
};

// The calibration lives in the user's configuration folder (QSettings, INI format), beside the other
// per-user settings, never in configtext.txt. iniFile empty: ~/.config/Lumetra/lumetra.ini.
Calibration loadCalibration(const QString &iniFile = {});
// False when the settings file cannot be written.
bool saveCalibration(const Calibration &calibration, const QString &iniFile = {});

// A length for display: "123.4 µm", or "12.35 mm" from 10 000 µm on.
QString formatLength(double um);

} // namespace lumetra
