#include "support/CliRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

namespace lumetra::test {

QString cliExecutable()
{
    const QString configured = qEnvironmentVariable("LUMETRA_CLI");
    return configured.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/lumetra-cli")
                                : configured;
}

CliResult runCli(const QStringList &args, const QString &program, int timeoutMs)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program.isEmpty() ? cliExecutable() : program, args);
    CliResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.milliseconds = timer.elapsed();
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace lumetra::test
