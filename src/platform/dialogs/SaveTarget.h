#pragma once

#include "platform/dialogs/Dialogs.h"

#include <QString>

#include <optional>

class QWidget;

namespace lumetra {

// The file-saving conversation of the export commands: the save dialog, then, for an existing
// file, "此文件已存在，是否覆盖?" (title "警告!!", Yes/No, stop icon). Returns the path to write, or
// nothing when the operator cancels or answers No.
std::optional<QString> askSaveTarget(Dialogs &dialogs, QWidget *parent, const Dialogs::FileRequest &request);

} // namespace lumetra
