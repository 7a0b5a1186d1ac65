#include "platform/settings/FalseColourSetting.h"

#include "platform/settings/PlacementSetting.h"

#include <QSettings>

namespace lumetra {

namespace {
QString key(const QString &window, const char *name)
{
    return QStringLiteral("display-%1/%2").arg(window, QLatin1String(name));
}
} // namespace

FalseColourChoice loadFalseColour(const QString &window)
{
    const QSettings settings(placementSettingsFile(), QSettings::IniFormat);
    FalseColourChoice choice;
    choice.palette = paletteFromWord(settings.value(key(window, "palette")).toString());
    choice.markSaturated = settings.value(key(window, "saturated"), choice.markSaturated).toBool();
    choice.noiseBlack = settings.value(key(window, "noise-black"), choice.noiseBlack).toBool();
    choice.colourBar = settings.value(key(window, "colour-bar"), choice.colourBar).toBool();
    choice.contours = settings.value(key(window, "contours"), choice.contours).toBool();
    return choice;
}

bool saveFalseColour(const QString &window, const FalseColourChoice &choice)
{
    QSettings settings(placementSettingsFile(), QSettings::IniFormat);
    settings.setValue(key(window, "palette"), QString::fromLatin1(paletteWord(choice.palette)));
    settings.setValue(key(window, "saturated"), choice.markSaturated);
    settings.setValue(key(window, "noise-black"), choice.noiseBlack);
    settings.setValue(key(window, "colour-bar"), choice.colourBar);
    settings.setValue(key(window, "contours"), choice.contours);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace lumetra
