#pragma once

#include <QString>
#include <QStringList>

namespace lumetra::test {

struct CliResult
{
    int exitCode = -1; // -1: did not finish
    bool crashed = false;
    QString out;
    QString err;
    qint64 milliseconds = 0;
};

// The lumetra-cli under test: $LUMETRA_CLI, else the one beside the test binary.
QString cliExecutable();

// Runs `program` (default: the lumetra-cli under test) with `args` and waits up to `timeoutMs`.
CliResult runCli(const QStringList &args, const QString &program = QString(), int timeoutMs = 60000);

} // namespace lumetra::test
