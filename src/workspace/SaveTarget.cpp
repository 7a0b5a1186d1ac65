#include "workspace/SaveTarget.h"

#include <QFileInfo>

namespace lumetra {

std::optional<QString> askSaveTarget(Dialogs &dialogs, QWidget *parent, const Dialogs::FileRequest &request)
{
    const std::optional<QString> chosen = dialogs.saveFile(parent, request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    if (QFileInfo::exists(*chosen) &&
        dialogs.message(parent, QStringLiteral("此文件已存在，是否覆盖?"), QStringLiteral("警告!!"),
                        Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
        return std::nullopt;
    return chosen;
}

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
