#pragma once

#include "platform/dialogs/Dialogs.h"

namespace lumetra {

class QtDialogs : public Dialogs
{
public:
    std::optional<QString> openFile(QWidget *parent, const FileRequest &request) override;
    std::optional<QStringList> openFiles(QWidget *parent, const FileRequest &request) override;
    std::optional<QString> saveFile(QWidget *parent, const FileRequest &request) override;
    Answer message(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                   Icon icon) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultText, const InputCheck &check) override;
};

} // namespace lumetra
