#include "platform/settings/UserSettings.h"

#include <QSettings>

namespace lumetra {

UserSettings::UserSettings() : m_settings(std::make_unique<QSettings>()) {}

UserSettings::UserSettings(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

UserSettings::~UserSettings() = default;

} // namespace lumetra
