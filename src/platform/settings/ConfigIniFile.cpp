#include "platform/settings/ConfigIniFile.h"

#include <QStandardPaths>

#include <utility>

namespace lumetra {

ConfigIniFile::ConfigIniFile(QString name) : m_name(std::move(name)) {}

QString ConfigIniFile::path() const
{
    return m_chosen.isEmpty() ? inConfigFolder(m_name) : m_chosen;
}

void ConfigIniFile::choose(const QString &path)
{
    m_chosen = path;
}

QString ConfigIniFile::configFolder()
{
    // ~/.config/Lumetra for the program and the command-line tool alike, whatever organisation
    // name the process carries.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Lumetra");
}

QString ConfigIniFile::inConfigFolder(const QString &name)
{
    return configFolder() + QLatin1Char('/') + name;
}

} // namespace lumetra
