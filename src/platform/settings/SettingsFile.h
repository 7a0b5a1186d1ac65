#pragma once

#include <QString>

#include <optional>

namespace lumetra {

// The two lines of configtext.txt, without their line ends.
struct Settings
{
    QString width;    // integration width (line 1)
    QString interval; // intensity-value display interval (line 2)
};

// The program's two-line settings file. Every line ends with CR LF; the file is rewritten whole
// on every save, through a temporary file, so a failed save leaves the old file as it was.
class SettingsFile
{
public:
    // The user's settings: configtext.txt beside the executable when that directory is writable
    // and is not an installed tree (one with system defaults, see below), otherwise in the
    // per-user configuration directory (~/.config/Lumetra/). programDir: the executable's folder.
    static QString resolvedPath(const QString &programDir = programFolder());

    // The settings an installed tree ships, read while the user has none of their own:
    // share/lumetra/configtext.txt beside the tree's bin/ (/usr/share/lumetra/ for /usr/bin).
    static QString systemDefaultsPath(const QString &programDir = programFolder());

    // The running executable's folder (the working directory before the application exists).
    static QString programFolder();

    // The file the program's windows read and write: resolvedPath() unless another was set
    // (tests and benchmarks point it into a temporary folder; an empty path resets it).
    static QString programPath();
    static void setProgramPath(const QString &path);

    // The user's settings file (resolvedPath()) falls back to the system defaults; any other
    // path stands alone unless `defaults` is given.
    SettingsFile();
    explicit SettingsFile(QString path);
    SettingsFile(QString path, QString defaults);

    QString path() const;

    // nullopt when the file is missing or unreadable; an empty file gives two empty lines.
    // A missing file reads as its defaults when it has them; writes never go there.
    std::optional<Settings> read() const;

    // The first line as a whole number; a missing file, an empty line or anything that is not a
    // whole number counts as 0.
    double integrationWidth() const;

    // Writes exactly "<width>\r\n<interval>\r\n". On failure returns false and, when error is not
    // null, puts a readable reason there.
    bool write(const QString &width, const QString &interval, QString *error) const;

    // A first run of an installed program, whose own folder is not writable: the settings
    // shipped beside the executable (defaults) become this file when it does not exist yet.
    // Returns whether this file exists afterwards; an existing file is never replaced.
    bool seedFrom(const QString &defaults) const;

private:
    QString path_;
    QString defaults_;
};

} // namespace lumetra
