#pragma once

#include "platform/settings/UserSettings.h"

#include <QString>

namespace lumetra {

// The folders the file dialogs last chose from, kept between runs in the user's settings: the
// folder last used for pictures (shared by every dialog that opens or saves pictures, and by the
// main window's list of recent pictures) and each dialog's own last folder, by a key the dialog
// is known by.
class FolderMemory : private UserSettings
{
public:
    // The user's own settings of the program, or a settings file of its own (tests).
    FolderMemory() = default;
    using UserSettings::UserSettings;

    // Empty when none is known.
    QString picturesFolder() const;
    QString folder(const QString &key) const;
    void setPicturesFolder(const QString &folder);
    void setFolder(const QString &key, const QString &folder);
};

} // namespace lumetra
