#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <vector>

namespace lumetra::cli {

// A failure the operator caused: printed as one line on stderr, exit status 2.
struct CliError : std::runtime_error
{
    using std::runtime_error::runtime_error;
    explicit CliError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// An option that takes one of two words: whether `value` is the second; any other word is the
// operator's error ("--format is json or csv, not 'xml'").
inline bool secondOf(const QString &option, const QString &value, const char *first, const char *second)
{
    if (value != QLatin1String(first) && value != QLatin1String(second))
        throw CliError(QStringLiteral("%1 is %2 or %3, not '%4'")
                           .arg(option, QLatin1String(first), QLatin1String(second), value));
    return value == QLatin1String(second);
}

// One subcommand of lumetra-cli. Each lives in its own file and registers itself with a
// static CommandRegistration.
struct CliCommand
{
    QString name;
    QString usage;   // one line: "profile IMAGE (--row N | --column N) [...]"
    QString summary; // what it does, for --help
    std::function<int(const QStringList &args)> run; // args after the command name
};

std::vector<CliCommand> &cliCommands();

struct CommandRegistration
{
    explicit CommandRegistration(CliCommand command) { cliCommands().push_back(std::move(command)); }
};

} // namespace lumetra::cli
