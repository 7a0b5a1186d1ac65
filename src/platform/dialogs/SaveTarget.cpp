#include "platform/dialogs/SaveTarget.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace lumetra {

std::optional<QString> askSaveTarget(Dialogs &dialogs, QWidget *parent, const Dialogs::FileRequest &request)
{
    const std::optional<QString> chosen = dialogs.saveFile(parent, request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    if (QFileInfo::exists(*chosen) &&
        dialogs.message(parent, QCoreApplication::translate("SaveTarget", "此文件已存在，是否覆盖?"),
                        QCoreApplication::translate("SaveTarget", "警告!!"), Dialogs::Buttons::YesNo,
                        Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
        return std::nullopt;
    return chosen;
}

} // namespace lumetra
