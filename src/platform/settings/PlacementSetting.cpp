#include "platform/settings/PlacementSetting.h"

#include <QSettings>
#include <QStandardPaths>

namespace lumetra {

namespace {

QString &overrideFile()
{
    static QString file;
    return file;
}

QString placementFile()
{
    if (!overrideFile().isEmpty())
        return overrideFile();
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/lumetra.ini");
}

const QString Key = QStringLiteral("workspace/placement");

} // namespace

PlacementMode loadPlacementMode()
{
    const QSettings settings(placementFile(), QSettings::IniFormat);
    return placementFromWord(settings.value(Key).toString()).value_or(PlacementMode::Beam);
}

bool savePlacementMode(PlacementMode mode)
{
    QSettings settings(placementFile(), QSettings::IniFormat);
    settings.setValue(Key, placementWord(mode));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void setPlacementSettingsFile(const QString &iniFile)
{
    overrideFile() = iniFile;
}

QString placementSettingsFile()
{
    return placementFile();
}

} // namespace lumetra
