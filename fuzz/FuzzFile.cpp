#include "FuzzFile.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace lumetra::fuzz {

QString writeInput(const char *suffix, const std::uint8_t *data, std::size_t size)
{
    static const QString dir = [] {
        // Memory-backed when the system has it: the files are rewritten for every input.
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString d = base + QStringLiteral("/lumetra-fuzz-%1").arg(::getpid());
        QDir().mkpath(d);
        return d;
    }();
    const QString path = dir + QStringLiteral("/input") + QLatin1String(suffix);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

} // namespace lumetra::fuzz
