#include "app/SystemInfoTool.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/system/ProgramLauncher.h"

#include <QCoreApplication>

namespace lumetra {

QStringList systemInfoPrograms()
{
    return {QStringLiteral("hardinfo"),
            QStringLiteral("hardinfo2"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("kinfocenter"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("lshw-gtk")};
}

bool startSystemInfo(ProgramLauncher *launcher, Dialogs &dialogs, QWidget *parent)
{
    const QString program = launcher ? launcher->findProgram(systemInfoPrograms()) : QString();
    if (!program.isEmpty() && launcher->start(program, {}))
        return true;
    dialogs.message(parent, QCoreApplication::translate("SystemInfoTool", "此时系统信息不可用"),
                    QStringLiteral("Lumetra"), Dialogs::Buttons::Ok);
    return false;
}

} // namespace lumetra
