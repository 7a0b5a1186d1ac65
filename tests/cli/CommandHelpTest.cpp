// The help and version of both programs, as a user asks for them. The options a command's
// parser accepts are found by asking the parser itself: every option string in the tool's
// sources is offered to every command, followed by an option no command knows; a command that
// names the offered option as unknown does not take it, any other answer means it does. Its
// help must then name it.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <set>

using lumetra::test::CliResult;
using lumetra::test::runCli;
using lumetra::test::runCliEach;

namespace {

QString sourceDir()
{
    return qEnvironmentVariable("LUMETRA_SOURCE_DIR");
}

QString programPath(const char *name)
{
    return qEnvironmentVariable("LUMETRA_BIN_DIR") + QLatin1Char('/') + QLatin1String(name);
}

// The commands the tool's own help lists under "commands:".
QStringList commandNames()
{
    const CliResult help = runCli({QStringLiteral("--help")});
    QStringList names;
    bool inList = false;
    static const QRegularExpression entry(QStringLiteral("^  ([a-z0-9]+)\\b"));
    for (const QString &line : help.out.split(QLatin1Char('\n'))) {
        if (line == QLatin1String("commands:")) {
            inList = true;
        } else if (inList && line.isEmpty()) {
            break;
        } else if (const auto m = entry.match(line); inList && m.hasMatch()) {
            names << m.captured(1);
        }
    }
    return names;
}

// Every "--word" string literal in the tool's sources.
std::set<QString> optionStrings()
{
    std::set<QString> options;
    static const QRegularExpression literal(QStringLiteral("\"(--[a-z][a-z0-9-]*)"));
    const QDir cli(sourceDir() + QStringLiteral("/src/cli"));
    for (const QString &name : cli.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files)) {
        QFile file(cli.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto it = literal.globalMatch(text); it.hasNext();)
            options.insert(it.next().captured(1));
    }
    return options;
}

bool mentions(const QString &text, const QString &option)
{
    return text.contains(QRegularExpression(QStringLiteral("(^|[\\s\\[(|,])") +
                                            QRegularExpression::escape(option) +
                                            QStringLiteral("(?![a-z0-9-])")));
}

bool namedUnknown(const QString &err, const QString &option)
{
    return err.contains(QRegularExpression(QStringLiteral("unknown option '?") +
                                           QRegularExpression::escape(option) + QStringLiteral("'?(\\s|$)")));
}

bool hasHan(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x2E80 && c.unicode() <= 0x9FFF; });
}

// The version the project declares: project(Lumetra VERSION x.y.z) in the top CMakeLists.txt.
QString projectVersion()
{
    QFile file(sourceDir() + QStringLiteral("/CMakeLists.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto m = QRegularExpression(QStringLiteral("project\\(Lumetra VERSION ([0-9.]+)"))
                       .match(QString::fromUtf8(file.readAll()));
    return m.captured(1);
}

TEST(CommandHelp, EveryCommandAnswersHelpInEachFormOnStandardOutput)
{
    const QStringList names = commandNames();
    for (const char *expected :
         {"beam", "m2", "profile", "table", "grid3d", "filter", "cameras", "grab", "monitor"})
        EXPECT_TRUE(names.contains(QLatin1String(expected)))
            << expected << " missing from lumetra-cli --help";
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const std::vector<CliResult> forms = runCliEach(
            {{name, QStringLiteral("--help")}, {name, QStringLiteral("-h")}, {QStringLiteral("help"), name}});
        for (const CliResult &r : forms) {
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
            EXPECT_EQ(r.out, forms[0].out);
        }
        const QString &help = forms[0].out;
        EXPECT_TRUE(help.startsWith(QStringLiteral("usage: lumetra-cli ") + name + QLatin1Char(' ')))
            << help.toStdString();
        for (const char *part : {"Options:", "Output:", "Exit status:", "Example:"})
            EXPECT_TRUE(help.contains(QLatin1String(part))) << part;
        EXPECT_TRUE(help.contains(QStringLiteral("\n  lumetra-cli ") + name + QLatin1Char(' ')))
            << "the example runs the command itself";
        EXPECT_FALSE(hasHan(help));
    }
}

TEST(CommandHelp, HelpNamesEveryOptionTheParserAccepts)
{
    const std::set<QString> candidates = optionStrings();
    ASSERT_GT(candidates.size(), 20u) << "no option strings found under " << sourceDir().toStdString();
    for (const QString &name : commandNames()) {
        SCOPED_TRACE(name.toStdString());
        const QString help = runCli({name, QStringLiteral("--help")}).out;
        std::vector<QStringList> probes;
        for (const QString &option : candidates)
            probes.push_back({name, option, QStringLiteral("1"), QStringLiteral("--no-such-option"),
                              QStringLiteral("probe.xlsx")});
        const std::vector<CliResult> answers = runCliEach(probes);
        int accepted = 0, refused = 0;
        auto option = candidates.begin();
        for (const CliResult &answer : answers) {
            ASSERT_FALSE(answer.crashed) << option->toStdString();
            if (namedUnknown(answer.err, *option)) {
                ++refused;
            } else {
                ++accepted;
                EXPECT_TRUE(mentions(help, *option))
                    << option->toStdString() << " is taken but not in the help";
            }
            ++option;
        }
        // Both answers occur, so the probes did reach the parser.
        EXPECT_GT(refused, 0);
        EXPECT_GT(accepted, 1);
    }
}

TEST(CommandHelp, UnknownCommandsAndBareHelp)
{
    const CliResult bare = runCli({QStringLiteral("help")});
    EXPECT_EQ(bare.exitCode, 0);
    EXPECT_EQ(bare.out, runCli({QStringLiteral("--help")}).out);
    const CliResult unknown = runCli({QStringLiteral("help"), QStringLiteral("nonsense")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("unknown command 'nonsense'")))
        << unknown.err.toStdString();
    EXPECT_EQ(runCli({}).exitCode, 2) << "no command at all stays an error";
}

TEST(ProgramVersion, BothProgramsPrintTheProjectVersion)
{
    const QString version = projectVersion();
    ASSERT_FALSE(version.isEmpty());
    const CliResult cli = runCli({QStringLiteral("--version")});
    EXPECT_EQ(cli.exitCode, 0);
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("lumetra-cli ") + version + QLatin1Char(' ')) ||
                cli.out == QStringLiteral("lumetra-cli ") + version + QLatin1Char('\n'))
        << cli.out.toStdString();
    const CliResult gui = runCli({QStringLiteral("--version")}, programPath("lumetra"));
    EXPECT_EQ(gui.exitCode, 0);
    EXPECT_EQ(gui.out, QString(cli.out).replace(QStringLiteral("lumetra-cli "), QStringLiteral("lumetra ")));
}

TEST(ProgramVersion, TheProgramAnswersHelpWithoutADisplay)
{
    // With the X11 platform and no display, an application object would abort the program.
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(env);
    for (const char *flag : {"--help", "-h"}) {
        program.start(programPath("lumetra"), {QLatin1String(flag)});
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        for (const char *option : {"--simulated-camera", "--camera", "--help", "--version"})
            EXPECT_TRUE(mentions(out, QLatin1String(option))) << option;
        EXPECT_TRUE(program.readAllStandardError().isEmpty());
    }
}

} // namespace
