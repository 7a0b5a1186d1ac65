#pragma once

#include "platform/settings/UserSettings.h"

#include <QString>
#include <QStringList>

namespace lumetra {

// What the main window remembers between runs about opened pictures: the folder the open
// dialog last chose from, and the most recently opened pictures, newest first.
class PictureHistory : private UserSettings
{
public:
    static constexpr int RecentLimit = 8;

    // The user's own settings of the program, or a settings file of its own (tests).
    PictureHistory() = default;
    using UserSettings::UserSettings;

    // Empty when nothing was opened yet.
    QString lastFolder() const;
    QStringList recentPictures() const;

    // A picture was opened: its folder becomes the last folder, and it heads the recent list
    // (once, at most RecentLimit entries).
    void remember(const QString &picture);
    // A recent picture that could not be opened leaves the list.
    void forget(const QString &picture);
};

} // namespace lumetra
