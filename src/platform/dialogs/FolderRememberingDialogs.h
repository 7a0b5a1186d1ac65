#pragma once

#include "platform/dialogs/Dialogs.h"

namespace lumetra {

class FolderMemory;

// The program's dialogs, starting where the files are: a file dialog asked to start in the home
// folder ("c:\" or nothing) starts instead, when the folder still exists, in the folder last used
// for pictures if it opens or saves pictures (its filter names a picture pattern), else in its
// own last folder (known by its kind and title, or its filter when untitled), falling back to
// the other. What the operator chooses becomes the dialog's last folder, and the pictures folder
// when it is a picture. Every other question goes to `inner` unchanged.
class FolderRememberingDialogs : public Dialogs
{
public:
    FolderRememberingDialogs(Dialogs &inner, FolderMemory &folders);

    std::optional<QString> openFile(QWidget *parent, const FileRequest &request) override;
    std::optional<QStringList> openFiles(QWidget *parent, const FileRequest &request) override;
    std::optional<QString> saveFile(QWidget *parent, const FileRequest &request) override;
    Answer message(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                   Icon icon) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultText, const InputCheck &check) override;

private:
    FileRequest startingWhereTheFilesAre(const QString &kind, const FileRequest &request) const;
    void remember(const QString &kind, const FileRequest &request, const QString &chosen);

    Dialogs &m_inner;
    FolderMemory &m_folders;
};

} // namespace lumetra
