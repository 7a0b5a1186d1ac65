#include "cli/CommandHelp.h"

#include "LumetraVersion.h"

#include <QFile>

namespace lumetra::cli {

namespace {

const char *const CommonOptions =
    "Options every command takes:\n"
    "  --max-pixels N         refuse frames of more than N pixels before decoding them, whole number\n"
    "                         above 0 (default 100000000)\n"
    "  -h, --help             this text\n";

} // namespace

QString commandHelp(const CliCommand &command)
{
    QFile text(QStringLiteral(":/help/%1.txt").arg(command.name));
    if (!text.open(QIODevice::ReadOnly))
        return {};
    return QStringLiteral("usage: lumetra-cli %1\n\n%2\n\n%3\n%4")
        .arg(command.usage, QString(command.summary).replace(QLatin1String("\n      "), QLatin1String("\n")),
             QString::fromUtf8(text.readAll()), QLatin1String(CommonOptions));
}

QString toolHelp()
{
    QString out = QStringLiteral(
        "usage: lumetra-cli COMMAND [ARGS...]\n"
        "       lumetra-cli COMMAND --help | lumetra-cli help COMMAND | lumetra-cli --version\n\n"
        "Lumetra's measurements without a window, for scripts and batch work: beam widths after\n"
        "ISO 11146 (D4sigma and the widths labs quote) of frame files or camera frames, M2 from a\n"
        "caustic, long-term pointing monitoring, cameras and frame grabbing, and the intensity curves,\n"
        "tables, filters and 3D grids of light-spot pictures sampled as a 640 x 480 raster.\n"
        "Errors are one line on standard error; exit status 2 for bad arguments or input (each\n"
        "command's help gives its own exit statuses).\n\n"
        "commands:\n");
    for (const CliCommand &c : cliCommands())
        out += QStringLiteral("  %1\n      %2\n").arg(c.usage, c.summary);
    out += QStringLiteral("\n  --max-pixels N    refuse frames of more than N pixels before decoding them\n"
                          "                    (default 100000000; with any command)\n"
                          "  -h, --help        this text; COMMAND --help: that command's options\n"
                          "  --version         the version\n");
    return out;
}

QString toolVersion()
{
    return QStringLiteral("lumetra-cli " LUMETRA_VERSION_DESCRIBED);
}

} // namespace lumetra::cli
