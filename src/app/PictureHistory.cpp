#include "app/PictureHistory.h"

#include <QFileInfo>
#include <QSettings>

namespace lumetra {

namespace {
const QString FolderKey = QStringLiteral("pictures/lastFolder");
const QString RecentKey = QStringLiteral("pictures/recent");
} // namespace

PictureHistory::PictureHistory() : m_settings(std::make_unique<QSettings>()) {}

PictureHistory::PictureHistory(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

PictureHistory::~PictureHistory() = default;

QString PictureHistory::lastFolder() const
{
    return m_settings->value(FolderKey).toString();
}

QStringList PictureHistory::recentPictures() const
{
    return m_settings->value(RecentKey).toStringList();
}

void PictureHistory::remember(const QString &picture)
{
    const QFileInfo info(picture);
    const QString path = info.absoluteFilePath();
    m_settings->setValue(FolderKey, info.absolutePath());
    QStringList recent = recentPictures();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > RecentLimit)
        recent.removeLast();
    m_settings->setValue(RecentKey, recent);
    m_settings->sync();
}

void PictureHistory::forget(const QString &picture)
{
    QStringList recent = recentPictures();
    if (recent.removeAll(picture) == 0)
        return;
    m_settings->setValue(RecentKey, recent);
    m_settings->sync();
}

} // namespace lumetra
