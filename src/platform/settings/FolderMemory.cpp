#include "platform/settings/FolderMemory.h"

#include <QCryptographicHash>
#include <QSettings>

namespace lumetra {

namespace {

// The same entry as the main window's recent pictures keep their folder in.
const QString PicturesKey = QStringLiteral("pictures/lastFolder");

// Dialog keys are free text (titles, filters): stored under a digest of it.
QString entry(const QString &key)
{
    return QStringLiteral("dialogFolders/") +
           QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

} // namespace

QString FolderMemory::picturesFolder() const
{
    settings().sync();
    return settings().value(PicturesKey).toString();
}

QString FolderMemory::folder(const QString &key) const
{
    settings().sync();
    return settings().value(entry(key)).toString();
}

void FolderMemory::setPicturesFolder(const QString &folder)
{
    settings().setValue(PicturesKey, folder);
    settings().sync();
}

void FolderMemory::setFolder(const QString &key, const QString &folder)
{
    settings().setValue(entry(key), folder);
    settings().sync();
}

} // namespace lumetra
