// --max-pixels: frames above the budget are refused before decoding, with any command.
#include "support/CliRunner.h"
#include "support/FrameWriters.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra::test;

TEST(PixelBudgetOption, RefusesLargerFramesAndBadNumbers)
{
    QTemporaryDir dir;
    const QString frame = dir.filePath(QStringLiteral("f.pgm"));
    std::vector<unsigned> samples(40 * 30, 3);
    samples[15 * 40 + 20] = 200;
    ASSERT_TRUE(writeBytes(frame, netpbmBytes(40, 30, 1, 255, false, samples)));

    EXPECT_EQ(runCli({QStringLiteral("beam"), frame}).exitCode, 0);
    EXPECT_EQ(runCli({QStringLiteral("beam"), frame, QStringLiteral("--max-pixels"), QStringLiteral("1200")}).exitCode, 0);
    for (const QStringList &args : {QStringList{QStringLiteral("beam"), frame, QStringLiteral("--max-pixels"), QStringLiteral("1199")},
                                    QStringList{QStringLiteral("--max-pixels=1199"), QStringLiteral("beam"), frame}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.err.contains(QStringLiteral("1199")) && r.err.contains(QStringLiteral("f.pgm"))) << qPrintable(r.err);
    }
    for (const QString &bad : {QStringLiteral("0"), QStringLiteral("many"), QStringLiteral("-5")}) {
        const CliResult r = runCli({QStringLiteral("beam"), frame, QStringLiteral("--max-pixels"), bad});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QStringLiteral("--max-pixels"))) << qPrintable(r.err);
    }
    EXPECT_EQ(runCli({QStringLiteral("beam"), frame, QStringLiteral("--max-pixels")}).exitCode, 2);
}
