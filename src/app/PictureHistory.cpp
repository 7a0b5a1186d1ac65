#include "app/PictureHistory.h"

#include <QFileInfo>
#include <QSettings>

namespace lumetra {

namespace {
const QString FolderKey = QStringLiteral("pictures/lastFolder");
const QString RecentKey = QStringLiteral("pictures/recent");
} // namespace

QString PictureHistory::lastFolder() const
{
    return settings().value(FolderKey).toString();
}

QStringList PictureHistory::recentPictures() const
{
    return settings().value(RecentKey).toStringList();
}

void PictureHistory::remember(const QString &picture)
{
    const QFileInfo info(picture);
    const QString path = info.absoluteFilePath();
    settings().setValue(FolderKey, info.absolutePath());
    QStringList recent = recentPictures();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > RecentLimit)
        recent.removeLast();
    settings().setValue(RecentKey, recent);
    settings().sync();
}

void PictureHistory::forget(const QString &picture)
{
    QStringList recent = recentPictures();
    if (recent.removeAll(picture) == 0)
        return;
    settings().setValue(RecentKey, recent);
    settings().sync();
}

} // namespace lumetra
