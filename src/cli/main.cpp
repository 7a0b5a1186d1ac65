// lumetra-cli: the analysis core from the shell, for scripted and batch work.
#include "cli/CliCommand.h"
#include "cli/PixelBudgetOption.h"
#include "types/MessageLanguage.h"

#include "platform/system/ApplicationSetup.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>

using namespace lumetra::cli;

std::vector<CliCommand> &lumetra::cli::cliCommands()
{
    static std::vector<CliCommand> commands;
    return commands;
}

namespace {

void printHelp()
{
    std::printf("usage: lumetra-cli COMMAND [ARGS...]\n\n"
                "Analyses light-spot pictures (BMP, JPEG) the way the Lumetra workstation does,\n"
                "sampled as a 640 x 480 grey raster; beam measures frames at full resolution.\n"
                "Errors are one line on stderr, exit status 2 (m2: 1 when some axes could\n"
                "be fitted and others not).\n\n"
                "commands:\n");
    for (const CliCommand &c : cliCommands())
        std::printf("  %s\n      %s\n", qPrintable(c.usage), qPrintable(c.summary));
    std::printf("\n  --max-pixels N    refuse frames of more than N pixels before decoding them\n"
                "                    (default 100000000; with any command)\n"
                "  --help    this text\n");
}

// Standard error carries the tool's own one-line failures only: the toolkit's notes about its
// environment (fonts, runtime directory) are dropped; its fatal errors still get through.
void quietToolkitMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "lumetra-cli: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietToolkitMessages);
    lumetra::prepareHeadlessEnvironment();
    QGuiApplication app(argc, argv);
    // The same names as the program, so both find the same per-user settings file when the
    // folder of the executables is not writable.
    QGuiApplication::setApplicationName(QStringLiteral("Lumetra"));
    lumetra::setMessagesInEnglish(true);
    QStringList args = QGuiApplication::arguments().mid(1);
    try {
        takePixelBudgetOption(args);
    } catch (const CliError &e) {
        std::fprintf(stderr, "lumetra-cli: %s\n", e.what());
        return 2;
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const CliCommand &c : cliCommands()) {
        if (c.name != name)
            continue;
        try {
            return c.run(args);
        } catch (const CliError &e) {
            std::fprintf(stderr, "lumetra-cli %s: %s\n", qPrintable(name), e.what());
            return 2;
        } catch (const std::exception &e) {
            std::fprintf(stderr, "lumetra-cli %s: %s\n", qPrintable(name), e.what());
            return 2;
        }
    }
    std::fprintf(stderr, "lumetra-cli: unknown command '%s' (see lumetra-cli --help)\n", qPrintable(name));
    return 2;
}
