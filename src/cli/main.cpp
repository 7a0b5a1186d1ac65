// lumetra-cli: the analysis core from the shell, for scripted and batch work.
#include "cli/CliCommand.h"
#include "cli/CommandHelp.h"
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

// Standard error carries the tool's own one-line failures only: the toolkit's notes about its
// environment (fonts, runtime directory) are dropped; its fatal errors still get through.
void quietToolkitMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "lumetra-cli: %s\n", qPrintable(message));
}

// Help and version texts go to standard output; 0 when they got there.
int printText(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size());
    return written && std::fflush(stdout) == 0 ? 0 : 2;
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
    if (args.isEmpty()) {
        printText(toolHelp());
        return 2;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))
        return printText(toolHelp());
    if (args.first() == QLatin1String("--version"))
        return printText(toolVersion() + u'\n');
    // help COMMAND, or COMMAND with --help or -h among its arguments: that command's help.
    bool help = false;
    if (args.first() == QLatin1String("help")) {
        args.removeFirst();
        if (args.isEmpty())
            return printText(toolHelp());
        help = true;
    }
    const QString name = args.takeFirst();
    help = help || args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
    for (const CliCommand &c : cliCommands()) {
        if (c.name != name)
            continue;
        if (help)
            return printText(commandHelp(c));
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
