#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace lumetra {

// Settings kept between runs: the user's own settings of the program, or a settings file of its
// own (tests). The classes that keep something there build on it.
class UserSettings
{
public:
    // The user's own settings of the program.
    UserSettings();
    // A settings file of its own (tests).
    explicit UserSettings(const QString &iniFile);
    ~UserSettings();

protected:
    QSettings &settings() const { return *m_settings; }

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace lumetra
