#include "platform/system/DurableWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace lumetra {

namespace {

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    int result;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    ::close(fd);
    return result == 0;
}

} // namespace

bool syncFileToDisk(const QString &path)
{
    return syncPath(path, O_RDONLY);
}

bool syncDirectoryOf(const QString &path)
{
    return syncPath(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
}

bool commitDurably(QSaveFile &file)
{
    if (!file.commit())
        return false;
    syncDirectoryOf(file.fileName());
    return true;
}

} // namespace lumetra
