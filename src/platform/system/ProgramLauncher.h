#pragma once

#include <QString>
#include <QStringList>

namespace lumetra {

// Finds and starts outside programs (the system-information tool). Tests record instead.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    // Full path of the first of the names found on PATH, or empty.
    virtual QString findProgram(const QStringList &names) const = 0;
    // Starts the program detached; false when it could not be started.
    virtual bool start(const QString &program, const QStringList &arguments = {}) = 0;
};

class SystemProgramLauncher : public ProgramLauncher
{
public:
    QString findProgram(const QStringList &names) const override;
    bool start(const QString &program, const QStringList &arguments) override;
};

class ScriptedProgramLauncher : public ProgramLauncher
{
public:
    QStringList available;   // names that "exist", as full paths "/usr/bin/<name>"
    bool startSucceeds = true;
    QStringList started;

    QString findProgram(const QStringList &names) const override;
    bool start(const QString &program, const QStringList &arguments) override;
};

} // namespace lumetra
