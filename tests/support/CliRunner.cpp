#include "support/CliRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <memory>

namespace lumetra::test {

QString cliExecutable()
{
    const QString configured = qEnvironmentVariable("LUMETRA_CLI");
    return configured.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/lumetra-cli")
                                : configured;
}

namespace {

CliResult collect(QProcess &process, const QElapsedTimer &timer, int timeoutMs)
{
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

} // namespace

CliResult runCli(const QStringList &args, const QString &program, int timeoutMs)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program.isEmpty() ? cliExecutable() : program, args);
    return collect(process, timer, timeoutMs);
}

std::vector<CliResult> runCliEach(const std::vector<QStringList> &argLists, int parallel, int timeoutMs)
{
    std::vector<CliResult> results;
    results.reserve(argLists.size());
    for (size_t first = 0; first < argLists.size(); first += size_t(parallel)) {
        const size_t end = std::min(argLists.size(), first + size_t(parallel));
        std::vector<std::unique_ptr<QProcess>> running;
        QElapsedTimer timer;
        timer.start();
        for (size_t i = first; i < end; ++i) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(cliExecutable(), argLists[i]);
        }
        for (auto &process : running)
            results.push_back(collect(*process, timer, timeoutMs));
    }
    return results;
}

} // namespace lumetra::test
