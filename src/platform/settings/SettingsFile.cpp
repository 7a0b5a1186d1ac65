#include "platform/settings/SettingsFile.h"
#include "platform/settings/ConfigIniFile.h"
#include "platform/system/DurableWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace lumetra {

namespace {

constexpr auto kFileName = "configtext.txt";

// One line of the file without its CR/LF ending; the rest of the buffer is returned in rest.
QByteArray takeLine(QByteArray &rest)
{
    const qsizetype lf = rest.indexOf('\n');
    QByteArray line = lf < 0 ? rest : rest.left(lf);
    rest = lf < 0 ? QByteArray() : rest.mid(lf + 1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Removes ASCII blanks (space and tab) only: the file holds digits, and nothing else is a blank.
QByteArray trimBlanks(QByteArray text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QString SettingsFile::programFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString SettingsFile::systemDefaultsPath(const QString &programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/../share/lumetra/") + QString::fromLatin1(kFileName));
}

QString SettingsFile::resolvedPath(const QString &programDir)
{
    const QFileInfo dirInfo(programDir);
    if (!programDir.isEmpty() && dirInfo.isDir() && dirInfo.isWritable() &&
        !QFileInfo::exists(systemDefaultsPath(programDir)))
        return QDir(programDir).filePath(QString::fromLatin1(kFileName));
    return ConfigIniFile::inConfigFolder(QString::fromLatin1(kFileName));
}

namespace {
QString &programPathOverride()
{
    static QString path;
    return path;
}
} // namespace

QString SettingsFile::programPath()
{
    const QString &path = programPathOverride();
    return path.isEmpty() ? resolvedPath() : path;
}

void SettingsFile::setProgramPath(const QString &path)
{
    programPathOverride() = path;
}

SettingsFile::SettingsFile() : path_(resolvedPath()), defaults_(systemDefaultsPath()) {}

SettingsFile::SettingsFile(QString path) : path_(std::move(path))
{
    // The program's own file keeps its fallback however it was named (the windows pass
    // programPath()).
    if (path_ == resolvedPath())
        defaults_ = systemDefaultsPath();
}

SettingsFile::SettingsFile(QString path, QString defaults) : path_(std::move(path)), defaults_(std::move(defaults)) {}

QString SettingsFile::path() const
{
    return path_;
}

std::optional<Settings> SettingsFile::read() const
{
    QFile file(path_);
    if (!file.exists() && !defaults_.isEmpty())
        file.setFileName(defaults_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Two short lines are expected; a huge file is not a settings file, read only its start.
    QByteArray rest = file.read(64 * 1024);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    Settings settings;
    settings.width = QString::fromLocal8Bit(takeLine(rest));
    settings.interval = QString::fromLocal8Bit(takeLine(rest));
    return settings;
}

double SettingsFile::integrationWidth() const
{
    const std::optional<Settings> settings = read();
    if (!settings)
        return 0;
    const QByteArray text = trimBlanks(settings->width.toLatin1());
    if (text.isEmpty() || text.size() > 9)
        return 0;
    for (const char c : text)
        if (c < '0' || c > '9')
            return 0;
    return static_cast<double>(text.toLong());
}

bool SettingsFile::write(const QString &width, const QString &interval, QString *error) const
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(QStringLiteral("Cannot create the folder %1").arg(info.absolutePath()));

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write %1: %2").arg(path_, file.errorString()));
    QByteArray bytes = width.toLocal8Bit();
    bytes += "\r\n";
    bytes += interval.toLocal8Bit();
    bytes += "\r\n";
    // The write is buffered: only the flush reports a disk that is full or a size limit, and
    // commit() would replace the old file even after such a short write.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(QStringLiteral("Cannot write %1: %2").arg(path_, why));
    }
    if (!commitDurably(file))
        return fail(QStringLiteral("Cannot save %1: %2").arg(path_, file.errorString()));
    return true;
}

bool SettingsFile::seedFrom(const QString &defaults) const
{
    if (QFileInfo::exists(path_))
        return true;
    if (!QFileInfo(defaults).isFile() || !QDir().mkpath(QFileInfo(path_).absolutePath()))
        return false;
    return QFile::copy(defaults, path_);
}

} // namespace lumetra
