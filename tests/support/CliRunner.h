#pragma once

#include <QString>
#include <QStringList>

#include <vector>

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

// Runs the lumetra-cli under test once for each argument list, up to `parallel` at a time; the
// results in the lists' order.
std::vector<CliResult> runCliEach(const std::vector<QStringList> &argLists, int parallel = 4, int timeoutMs = 60000);

} // namespace lumetra::test
