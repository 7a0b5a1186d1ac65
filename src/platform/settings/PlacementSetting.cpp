#include "platform/settings/PlacementSetting.h"
#include "platform/settings/ConfigIniFile.h"

#include <QSettings>

namespace lumetra {

namespace {

ConfigIniFile placementFile(QStringLiteral("lumetra.ini"));

const QString Key = QStringLiteral("workspace/placement");

} // namespace

PlacementMode loadPlacementMode()
{
    const QSettings settings(placementFile.path(), QSettings::IniFormat);
    return placementFromWord(settings.value(Key).toString()).value_or(PlacementMode::Beam);
}

bool savePlacementMode(PlacementMode mode)
{
    QSettings settings(placementFile.path(), QSettings::IniFormat);
    settings.setValue(Key, placementWord(mode));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void setPlacementSettingsFile(const QString &iniFile)
{
    placementFile.choose(iniFile);
}

QString placementSettingsFile()
{
    return placementFile.path();
}

} // namespace lumetra
