#include "platform/settings/PixelBudgetSetting.h"

#include "platform/framefiles/PixelBudget.h"
#include "platform/settings/PlacementSetting.h"

#include <QSettings>

namespace lumetra {

namespace {

const QString Key = QStringLiteral("frames/maxPixels");

QString fileOf(const QString &iniFile)
{
    return iniFile.isEmpty() ? placementSettingsFile() : iniFile;
}

} // namespace

qint64 loadPixelBudgetSetting(const QString &iniFile)
{
    const QSettings settings(fileOf(iniFile), QSettings::IniFormat);
    bool ok = false;
    const qint64 pixels = settings.value(Key).toLongLong(&ok);
    return ok && pixels > 0 ? pixels : DefaultPixelBudget;
}

bool savePixelBudgetSetting(qint64 pixels, const QString &iniFile)
{
    QSettings settings(fileOf(iniFile), QSettings::IniFormat);
    settings.setValue(Key, pixels);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void applyPixelBudgetSetting(const QString &iniFile)
{
    setPixelBudget(loadPixelBudgetSetting(iniFile));
}

} // namespace lumetra
