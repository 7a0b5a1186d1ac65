#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

namespace lumetra::cli {

// Walks a command's arguments: for (ArgumentCursor a(args); a.next();) { if (a.is("--x")) v = a.value(); }
class ArgumentCursor
{
public:
    explicit ArgumentCursor(const QStringList &args) : m_args(args) {}

    bool next() { return ++m_index < m_args.size(); }
    const QString &current() const { return m_args[m_index]; }
    bool is(const char *option) const { return current() == QLatin1String(option); }
    // The value after the current option; a missing one is the operator's error.
    QString value()
    {
        if (m_index + 1 >= m_args.size())
            throw CliError(QStringLiteral("%1 needs a value").arg(current()));
        return m_args[++m_index];
    }

    // The value after the current option, one of two words: whether it is the second.
    bool secondOf(const char *first, const char *second)
    {
        const QString option = current();
        return cli::secondOf(option, value(), first, second);
    }

private:
    const QStringList &m_args;
    qsizetype m_index = -1;
};

} // namespace lumetra::cli
