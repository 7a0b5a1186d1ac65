// The part of the process set-up that needs no windows (declared in ApplicationSetup.h), so that
// the command-line tool links without Qt Widgets.
#include "platform/system/ApplicationSetup.h"
#include "platform/system/PrivateRuntimeDirectory.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace lumetra {

void prepareHeadlessEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        // Never a directory someone else made in /tmp: the toolkit puts sockets there.
        const QByteArray dir = privateRuntimeDirectory("/tmp", getuid());
        if (!dir.isEmpty())
            qputenv("XDG_RUNTIME_DIR", dir);
    }
}

} // namespace lumetra
