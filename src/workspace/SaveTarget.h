#pragma once

#include "platform/Dialogs.h"

#include <QString>

#include <optional>

class QWidget;

namespace lumetra {

// The file-saving conversation of the workspace's export commands: the save dialog, then, for
// an existing file, "此文件已存在，是否覆盖?" (title "警告!!", Yes/No, stop icon). Returns the path
// to write, or nothing when the operator cancels or answers No.
std::optional<QString> askSaveTarget(Dialogs &dialogs, QWidget *parent, const Dialogs::FileRequest &request);

// "文件保存不成功!" titled "提示", after a save that left no complete file.
void reportSaveFailure(Dialogs &dialogs, QWidget *parent);

// The save dialog of a workbook export: filter "*.xlsx", default extension "xlsx".
Dialogs::FileRequest workbookSaveRequest(const QString &title);

} // namespace lumetra
