#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace lumetra {

// The folders the file dialogs last chose from, kept between runs in the user's settings: the
// folder last used for pictures (shared by every dialog that opens or saves pictures, and by the
// main window's list of recent pictures) and each dialog's own last folder, by a key the dialog
// is known by.
class FolderMemory
{
public:
    // The user's own settings of the program.
    FolderMemory();
    // A settings file of its own (tests).
    explicit FolderMemory(const QString &iniFile);
    ~FolderMemory();

    // Empty when none is known.
    QString picturesFolder() const;
    QString folder(const QString &key) const;
    void setPicturesFolder(const QString &folder);
    void setFolder(const QString &key, const QString &folder);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace lumetra
