#include "workspace/SaveTarget.h"

namespace lumetra {

void reportSaveFailure(Dialogs &dialogs, QWidget *parent)
{
    dialogs.message(parent, QStringLiteral("文件保存不成功!"), QStringLiteral("提示"), Dialogs::Buttons::Ok,
                    Dialogs::Icon::None);
}

Dialogs::FileRequest workbookSaveRequest(const QString &title)
{
    Dialogs::FileRequest request;
    request.title = title;
    request.initialDirectory = QStringLiteral("c:\\");
    request.filter = QStringLiteral("Excel 工作簿|*.xlsx");
    request.defaultSuffix = QStringLiteral("xlsx");
    return request;
}

} // namespace lumetra
