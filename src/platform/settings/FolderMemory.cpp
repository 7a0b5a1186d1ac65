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

FolderMemory::FolderMemory() : m_settings(std::make_unique<QSettings>()) {}

FolderMemory::FolderMemory(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

FolderMemory::~FolderMemory() = default;

QString FolderMemory::picturesFolder() const
{
    m_settings->sync();
    return m_settings->value(PicturesKey).toString();
}

QString FolderMemory::folder(const QString &key) const
{
    m_settings->sync();
    return m_settings->value(entry(key)).toString();
}

void FolderMemory::setPicturesFolder(const QString &folder)
{
    m_settings->setValue(PicturesKey, folder);
    m_settings->sync();
}

void FolderMemory::setFolder(const QString &key, const QString &folder)
{
    m_settings->setValue(entry(key), folder);
    m_settings->sync();
}

} // namespace lumetra
