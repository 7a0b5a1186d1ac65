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

QString ConfigIniFile::inConfigFolder(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') + name;
}

} // namespace lumetra
