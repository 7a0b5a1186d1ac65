#include "workspace/SaveTarget.h"

#include <QCoreApplication>

namespace lumetra {

void reportSaveFailure(Dialogs &dialogs, QWidget *parent)
{
    dialogs.message(parent, QCoreApplication::translate("WorkspaceSaveTarget", "文件保存不成功!"),
                    QCoreApplication::translate("WorkspaceSaveTarget", "提示"), Dialogs::Buttons::Ok,
                    Dialogs::Icon::None);
}

Dialogs::FileRequest workbookSaveRequest(const QString &title)
{
    Dialogs::FileRequest request;
    request.title = title;
    request.initialDirectory = QStringLiteral("c:\\");
    request.filter = QCoreApplication::translate("WorkspaceSaveTarget", "Excel 工作簿|*.xlsx");
    request.defaultSuffix = QStringLiteral("xlsx");
    return request;
}

} // namespace lumetra
