#pragma once

#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/SaveTarget.h"

#include <QString>

#include <optional>

class QWidget;

namespace lumetra {

// "文件保存不成功!" titled "提示", after a save that left no complete file.
void reportSaveFailure(Dialogs &dialogs, QWidget *parent);

// The save dialog of a workbook export: filter "*.xlsx", default extension "xlsx".
Dialogs::FileRequest workbookSaveRequest(const QString &title);

} // namespace lumetra
