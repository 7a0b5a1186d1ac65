#include "platform/settings/Calibration.h"
#include "platform/settings/ConfigIniFile.h"

#include <QSettings>

#include <cmath>

namespace lumetra {

namespace {

QString settingsFile(const QString &iniFile)
{
    return iniFile.isEmpty() ? ConfigIniFile::inConfigFolder(QStringLiteral("lumetra.ini")) : iniFile;
}

double positiveOr(const QVariant &value, double fallback)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok && std::isfinite(v) && v > 0.0 ? v : fallback;
}

} // namespace

Calibration loadCalibration(const QString &iniFile)
{
    const QSettings settings(settingsFile(iniFile), QSettings::IniFormat);
    Calibration c;
    c.pixelSizeUm = positiveOr(settings.value(QStringLiteral("calibration/pixel_size_um")), 0.0);
    c.magnification = positiveOr(settings.value(QStringLiteral("calibration/magnification")), 1.0);
    return c;
}

bool saveCalibration(const Calibration &calibration, const QString &iniFile)
{
    QSettings settings(settingsFile(iniFile), QSettings::IniFormat);
    settings.setValue(QStringLiteral("calibration/pixel_size_um"), calibration.pixelSizeUm);
    settings.setValue(QStringLiteral("calibration/magnification"), calibration.magnification);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString formatLength(double um)
{
    if (std::fabs(um) >= 10000.0)
        return QStringLiteral("%1 mm").arg(um / 1000.0, 0, 'f', 2);
    return QStringLiteral("%1 µm").arg(um, 0, 'f', 1);
}

} // namespace lumetra
