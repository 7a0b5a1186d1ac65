#include "platform/settings/PixelBudgetSetting.h"

#include "platform/framefiles/PixelBudget.h"

#include <QSettings>
#include <QStandardPaths>

namespace lumetra {

namespace {

const QString Key = QStringLiteral("frames/maxPixels");

QString fileOf(const QString &iniFile)
{
    if (!iniFile.isEmpty())
        return iniFile;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/lumetra.ini");
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
