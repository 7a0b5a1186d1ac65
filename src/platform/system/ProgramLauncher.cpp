#include "platform/system/ProgramLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace lumetra {

QString SystemProgramLauncher::findProgram(const QStringList &names) const
{
    for (const QString &name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool SystemProgramLauncher::start(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString ScriptedProgramLauncher::findProgram(const QStringList &names) const
{
    for (const QString &name : names)
        if (available.contains(name))
            return QStringLiteral("/usr/bin/") + name;
    return {};
}

bool ScriptedProgramLauncher::start(const QString &program, const QStringList &arguments)
{
    if (!startSucceeds)
        return false;
    started << (arguments.isEmpty() ? program : program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
    return true;
}

} // namespace lumetra
