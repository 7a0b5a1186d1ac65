#include "app/CommandLine.h"

#include <QDir>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

CommandLine parse(std::initializer_list<const char *> args)
{
    QStringList list{QStringLiteral("lumetra")};
    for (const char *a : args)
        list << QString::fromUtf8(a);
    return parseCommandLine(list);
}

TEST(CommandLine, NoArgumentsOpensNothingWithTheRealCard)
{
    const CommandLine c = parse({});
    EXPECT_TRUE(c.ok());
    EXPECT_FALSE(c.simulatedCamera);
    EXPECT_TRUE(c.imagePath.isEmpty());
}

TEST(CommandLine, ImageAndSimulatedCameraInEitherOrder)
{
    for (const CommandLine &c :
         {parse({"--simulated-camera", "/pics/spot.bmp"}), parse({"/pics/spot.bmp", "--simulated-camera"})}) {
        EXPECT_TRUE(c.ok()) << c.error.toStdString();
        EXPECT_TRUE(c.simulatedCamera);
        EXPECT_EQ(c.imagePath, QStringLiteral("/pics/spot.bmp"));
    }
}

TEST(CommandLine, RelativeImagePathsBecomeAbsolute)
{
    const CommandLine c = parse({"光斑.jpg"});
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.imagePath, QDir::current().absoluteFilePath(QString::fromUtf8("光斑.jpg")));
}

TEST(CommandLine, DoubleDashLetsAnImageNameStartWithADash)
{
    const CommandLine c = parse({"--", "-odd.bmp"});
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.imagePath, QDir::current().absoluteFilePath(QStringLiteral("-odd.bmp")));
}

TEST(CommandLine, BadArgumentsAreRefusedWithAReason)
{
    const CommandLine unknown = parse({"--fast"});
    EXPECT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.error.contains(QStringLiteral("--fast")));

    const CommandLine two = parse({"a.bmp", "b.bmp"});
    EXPECT_FALSE(two.ok());
    EXPECT_TRUE(two.error.contains(QStringLiteral("b.bmp")));

    EXPECT_FALSE(parse({"  "}).ok());
    EXPECT_TRUE(commandLineUsage().contains(QStringLiteral("--simulated-camera")));
}

TEST(CommandLine, HelpAndVersionStopTheParsing)
{
    for (const char *flag : {"--help", "-h"}) {
        const CommandLine c = parse({"spot.bmp", flag, "--no-such-option"});
        EXPECT_TRUE(c.ok()) << flag;
        EXPECT_TRUE(c.help) << flag;
        EXPECT_FALSE(c.version);
    }
    const CommandLine version = parse({"--version", "a.bmp", "b.bmp"});
    EXPECT_TRUE(version.ok());
    EXPECT_TRUE(version.version);
    EXPECT_FALSE(version.help);
    // After "--" they are picture names like any other.
    const CommandLine named = parse({"--", "--help"});
    EXPECT_FALSE(named.help);
    EXPECT_EQ(named.imagePath, QDir::current().absoluteFilePath(QStringLiteral("--help")));
    // An error before them still stands.
    EXPECT_FALSE(parse({"--fast", "--help"}).ok());
}

} // namespace
} // namespace lumetra
