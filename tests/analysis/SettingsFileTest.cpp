#include "platform/settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace lumetra;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class SettingsFileTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath("configtext.txt"); }
};

} // namespace

TEST_F(SettingsFileTest, WriteProducesExactlyTwoCrLfLines)
{
    SettingsFile settings(file());
    QString error;
    ASSERT_TRUE(settings.write("8", "5", &error)) << error.toStdString();
    EXPECT_EQ(contents(file()), QByteArray("8\r\n5\r\n"));
    ASSERT_TRUE(settings.write("", "", &error));
    EXPECT_EQ(contents(file()), QByteArray("\r\n\r\n"));
}

TEST_F(SettingsFileTest, ReadGivesLinesWithoutLineEnds)
{
    put(file(), "12\r\n20\r\n");
    const auto s = SettingsFile(file()).read();
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->width, "12");
    EXPECT_EQ(s->interval, "20");
}

TEST_F(SettingsFileTest, ReadAcceptsBareLineFeedsAndMissingSecondLine)
{
    put(file(), "7\n");
    const auto s = SettingsFile(file()).read();
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->width, "7");
    EXPECT_EQ(s->interval, "");
}

TEST_F(SettingsFileTest, EmptyFileGivesTwoEmptyLinesAndMissingFileNothing)
{
    put(file(), "");
    const auto s = SettingsFile(file()).read();
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->width.isEmpty());
    EXPECT_TRUE(s->interval.isEmpty());
    EXPECT_FALSE(SettingsFile(dir.filePath("absent.txt")).read().has_value());
    EXPECT_EQ(SettingsFile(dir.filePath("absent.txt")).integrationWidth(), 0.0);
}

namespace {

struct WidthLineCase
{
    const char *firstLine;
    double expected;
};

class IntegrationWidthLine : public ::testing::TestWithParam<WidthLineCase>
{
};

} // namespace

TEST_P(IntegrationWidthLine, IsAWholeNumberOrZero)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("configtext.txt");
    put(path, QByteArray(GetParam().firstLine) + "\r\n3\r\n");
    EXPECT_EQ(SettingsFile(path).integrationWidth(), GetParam().expected) << GetParam().firstLine;
}

INSTANTIATE_TEST_SUITE_P(Lines, IntegrationWidthLine,
                         ::testing::Values(WidthLineCase{"8", 8}, WidthLineCase{"320", 320},
                                           WidthLineCase{" 12 ", 12}, WidthLineCase{"007", 7},
                                           WidthLineCase{"", 0}, WidthLineCase{"abc", 0},
                                           WidthLineCase{"1a", 0}, WidthLineCase{"2.5", 0},
                                           WidthLineCase{"-4", 0}, WidthLineCase{"+4", 0},
                                           WidthLineCase{"99999999999999999999", 0}));

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile)
{
    put(file(), "9\r\n4\r\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString error;
    const bool ok = SettingsFile(file()).write("1", "2", &error);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (ok)
        GTEST_SKIP() << "running with permissions that ignore a read-only folder";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents(file()), QByteArray("9\r\n4\r\n"));
}

TEST_F(SettingsFileTest, WriteIntoAFolderPathFailsWithAMessage)
{
    QDir(dir.path()).mkdir("configtext.txt");
    QString error;
    EXPECT_FALSE(SettingsFile(file()).write("1", "2", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(SettingsFileTest, ShippedDefaultsSeedAMissingUserFileButNeverReplaceOne)
{
    const QString shipped = dir.filePath("program/configtext.txt");
    QDir().mkpath(dir.filePath("program"));
    put(shipped, "5\r\n10\r\n");
    const QString user = dir.filePath("config/Lumetra/configtext.txt");
    EXPECT_TRUE(SettingsFile(user).seedFrom(shipped));
    EXPECT_EQ(SettingsFile(user).integrationWidth(), 5.0);
    put(user, "7\r\n1\r\n");
    EXPECT_TRUE(SettingsFile(user).seedFrom(shipped));
    EXPECT_EQ(contents(user), QByteArray("7\r\n1\r\n"));
    EXPECT_FALSE(SettingsFile(dir.filePath("other.txt")).seedFrom(dir.filePath("absent.txt")));
}

TEST(SettingsFilePath, ResolvedPathEndsWithTheFileName)
{
    const QString path = SettingsFile::resolvedPath();
    EXPECT_TRUE(path.endsWith("/configtext.txt")) << path.toStdString();
    EXPECT_EQ(SettingsFile().path(), path);
}

TEST_F(SettingsFileTest, TheUsersFileFallsBackToTheSystemDefaultsUntilItExists)
{
    const QString defaults = dir.filePath("share/lumetra/configtext.txt");
    QDir().mkpath(dir.filePath("share/lumetra"));
    put(defaults, "5\r\n10\r\n");
    const QString user = dir.filePath("config/Lumetra/configtext.txt");
    const SettingsFile settings(user, defaults);
    EXPECT_EQ(settings.integrationWidth(), 5.0);
    ASSERT_TRUE(settings.read().has_value());
    EXPECT_EQ(settings.read()->interval, QStringLiteral("10"));

    ASSERT_TRUE(settings.write("7", "3", nullptr));
    EXPECT_EQ(settings.integrationWidth(), 7.0);
    EXPECT_EQ(contents(user), QByteArray("7\r\n3\r\n"));
    EXPECT_EQ(contents(defaults), QByteArray("5\r\n10\r\n")) << "writes never reach the defaults";

    // A file named on its own has no fallback.
    EXPECT_FALSE(SettingsFile(dir.filePath("elsewhere.txt")).read().has_value());
    EXPECT_EQ(SettingsFile(dir.filePath("elsewhere.txt")).integrationWidth(), 0.0);
}

TEST_F(SettingsFileTest, AnInstalledTreeKeepsTheUsersSettingsInTheConfigFolder)
{
    // bin/ beside share/lumetra/configtext.txt: an installed (or staged, or unpacked) tree.
    const QString bin = dir.filePath("usr/bin");
    QDir().mkpath(bin);
    EXPECT_EQ(SettingsFile::resolvedPath(bin), QDir(bin).filePath("configtext.txt"))
        << "a writable folder without system defaults is a build tree";
    QDir().mkpath(dir.filePath("usr/share/lumetra"));
    put(dir.filePath("usr/share/lumetra/configtext.txt"), "5\r\n10\r\n");
    EXPECT_EQ(SettingsFile::systemDefaultsPath(bin), dir.filePath("usr/share/lumetra/configtext.txt"));
    EXPECT_EQ(SettingsFile::resolvedPath(bin),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Lumetra/configtext.txt");
}
