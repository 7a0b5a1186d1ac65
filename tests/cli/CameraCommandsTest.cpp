// lumetra-cli cameras, grab and beam --camera on the in-process fake camera (no network).
#include "platform/framefiles/FrameFile.h"
#include "support/CliRunner.h"
#include "support/TextChecks.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using lumetra::test::runCli;

TEST(CameraCommands, ListGrabAndMeasureTheFakeCamera)
{
    const auto listed = runCli({QStringLiteral("cameras"), QStringLiteral("--interface"), QStringLiteral("fake")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const nlohmann::json cameras = nlohmann::json::parse(listed.out.toStdString());
    ASSERT_EQ(cameras.size(), 1u);
    EXPECT_EQ(cameras[0]["id"], "Fake_1");
    EXPECT_EQ(cameras[0]["protocol"], "Fake");
    for (const char *key : {"vendor", "model", "serial", "address"})
        EXPECT_TRUE(cameras[0].contains(key)) << key;
    const auto csv = runCli({QStringLiteral("cameras"), QStringLiteral("--interface"), QStringLiteral("fake"),
                             QStringLiteral("--format"), QStringLiteral("csv")});
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("id,vendor,model,serial,protocol,address\nFake_1,"))) << csv.out.toStdString();

    QTemporaryDir dir;
    const QString pattern = dir.filePath(QStringLiteral("out/f-{n}.pgm"));
    const auto grabbed = runCli({QStringLiteral("grab"), QStringLiteral("--camera"), QStringLiteral("Fake_1"),
                                 QStringLiteral("--frames"), QStringLiteral("3"), QStringLiteral("--pixel-format"),
                                 QStringLiteral("Mono16"), QStringLiteral("--roi"), QStringLiteral("0,0,200,100"),
                                 QStringLiteral("--average"), QStringLiteral("2"), pattern});
    ASSERT_EQ(grabbed.exitCode, 0) << grabbed.err.toStdString();
    for (int n = 1; n <= 3; ++n) {
        const auto frame = lumetra::readFrameFile(dir.filePath(QStringLiteral("out/f-%1.pgm").arg(n)));
        ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
        EXPECT_EQ(frame.frame.width, 200);
        EXPECT_EQ(frame.frame.height, 100);
        EXPECT_EQ(frame.frame.topValue, 65535);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out/f-4.pgm"))));

    const auto rows = runCli({QStringLiteral("beam"), QStringLiteral("--camera"), QStringLiteral("Fake_1"),
                              QStringLiteral("--frames"), QStringLiteral("4"), QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    const QStringList lines = rows.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("image,status,width,height")));
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(lines[n].startsWith(QStringLiteral("Fake_1#%1,").arg(n))) << lines[n].toStdString();
}

TEST(CameraCommands, RefusalsAndBadArgumentsAreOneLineAndExitTwo)
{
    QTemporaryDir dir;
    const QString pattern = dir.filePath(QStringLiteral("g-{n}.png"));
    const QList<QStringList> bad{
        {QStringLiteral("grab"), QStringLiteral("--camera"), QStringLiteral("Fake_1"), QStringLiteral("--frames"),
         QStringLiteral("1"), QStringLiteral("--gain"), QStringLiteral("50"), pattern},
        {QStringLiteral("grab"), QStringLiteral("--camera"), QStringLiteral("Fake_1"), QStringLiteral("--frames"),
         QStringLiteral("1"), QStringLiteral("--pixel-format"), QStringLiteral("Mono12"), pattern},
        {QStringLiteral("grab"), QStringLiteral("--camera"), QStringLiteral("Fake_1"), QStringLiteral("--frames"),
         QStringLiteral("1"), dir.filePath(QStringLiteral("no-number.png"))},
        {QStringLiteral("grab"), QStringLiteral("--camera"), QStringLiteral("Fake_9"), QStringLiteral("--frames"),
         QStringLiteral("1"), pattern},
        {QStringLiteral("beam"), QStringLiteral("--camera"), QStringLiteral("Fake_1"), QStringLiteral("--average"),
         QStringLiteral("65"), QStringLiteral("--frames"), QStringLiteral("1")},
        {QStringLiteral("cameras"), QStringLiteral("--interface"), QStringLiteral("firewire")},
    };
    for (const QStringList &args : bad) {
        const auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_EQ(r.err.trimmed().count(QLatin1Char('\n')), 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty() || args[0] == QLatin1String("beam")) << r.out.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    // A refusal names the setting, the value and why, in English.
    const auto refused = runCli(bad.front());
    EXPECT_TRUE(refused.err.contains(QStringLiteral("the camera refused gain 50: outside the camera's range")))
        << refused.err.toStdString();
}

// One id syntax: the simulated camera that monitor and the program take serves grab and beam too.
TEST(CameraCommands, TheSimulatedCameraIsGrabbedAndMeasured)
{
    QTemporaryDir dir;
    const auto grabbed = runCli({QStringLiteral("grab"), QStringLiteral("--camera"), QStringLiteral("simulated"),
                                 QStringLiteral("--frames"), QStringLiteral("2"), QStringLiteral("--average"),
                                 QStringLiteral("2"), dir.filePath(QStringLiteral("s-{n}.png"))});
    ASSERT_EQ(grabbed.exitCode, 0) << grabbed.err.toStdString();
    for (int n = 1; n <= 2; ++n) {
        const auto frame = lumetra::readFrameFile(dir.filePath(QStringLiteral("s-%1.png").arg(n)));
        ASSERT_TRUE(frame.ok()) << frame.error.toStdString();
        EXPECT_GT(frame.frame.width, 0);
    }
    const auto rows = runCli({QStringLiteral("beam"), QStringLiteral("--camera"), QStringLiteral("simulated"),
                              QStringLiteral("--frames"), QStringLiteral("3"), QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    const QStringList lines = rows.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(lines[n].startsWith(QStringLiteral("simulated#%1,ok,").arg(n))) << lines[n].toStdString();
    const auto refused = runCli({QStringLiteral("beam"), QStringLiteral("--camera"), QStringLiteral("simulated"),
                                 QStringLiteral("--frames"), QStringLiteral("1"), QStringLiteral("--gain"), QStringLiteral("2")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("no camera settings"))) << refused.err.toStdString();
}

// The video card goes by the same id in grab and beam as in monitor and the program; on a
// computer without one the refusal says so in one English line.
TEST(CameraCommands, TheVideoCardIsOneIdForEveryCommand)
{
    const bool hasCard = !QDir(QStringLiteral("/dev")).entryList({QStringLiteral("video*")}, QDir::System).isEmpty();
    QTemporaryDir dir;
    for (const QString &command : {QStringLiteral("grab"), QStringLiteral("beam")}) {
        QStringList args{command, QStringLiteral("--camera"), QStringLiteral("v4l2"), QStringLiteral("--frames"),
                         QStringLiteral("1")};
        if (command == QLatin1String("grab"))
            args << dir.filePath(QStringLiteral("card-{n}.png"));
        const auto run = runCli(args);
        if (hasCard)
            continue; // a real card answers or refuses in its own words
        EXPECT_EQ(run.exitCode, 2) << command.toStdString();
        EXPECT_EQ(run.err.trimmed(), QStringLiteral("lumetra-cli %1: cannot open camera 'v4l2': this computer has no "
                                                     "video device (/dev/video*)").arg(command));
        EXPECT_FALSE(lumetra::test::containsChinese(run.err));
    }
}
