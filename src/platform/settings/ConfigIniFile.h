#pragma once

#include <QString>

namespace lumetra {

// An INI file of the program in the user's configuration folder, which tests and benchmarks may
// point elsewhere.
class ConfigIniFile
{
public:
    // `name` is the file's name in the configuration folder, e.g. "lumetra.ini".
    explicit ConfigIniFile(QString name);

    // The chosen path when one is set, else the file in the configuration folder.
    QString path() const;
    // An empty path goes back to the configuration folder.
    void choose(const QString &path);

    // The user's configuration folder, ~/.config/Lumetra, and `name` in it.
    static QString configFolder();
    static QString inConfigFolder(const QString &name);

private:
    QString m_name;
    QString m_chosen;
};

} // namespace lumetra
