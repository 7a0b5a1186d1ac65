// The append-only log: what a full disc leaves behind, and that a log is never rewritten.
#include "platform/logging/AppendFile.h"
#include "platform/logging/LogWriter.h"
#include "support/FillingSink.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace lumetra {
namespace {

QByteArray line(int i)
{
    return QByteArray::number(i) + ",some,fields\n";
}

TEST(LogWriter, AFullDiscStopsTheLogAndKeepsWholeLines)
{
    QByteArray disc;
    auto sink = std::make_unique<test::FillingSink>(&disc, 100);
    std::atomic<int> failures{0};
    QString reason;
    {
        LogWriter log(std::move(sink), "n,a,b\n", 20);
        log.onFailed([&](const QString &r) {
            reason = r;
            ++failures;
        });
        // Two batches: the first fits, the second overflows the disc halfway through.
        for (int i = 0; i < 4; ++i)
            log.append(line(i));
        while (log.linesSynced() < 4)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        for (int i = 4; i < 12; ++i)
            log.append(line(i));
        log.stop();
        EXPECT_TRUE(log.failed());
        EXPECT_EQ(log.errorCode(), ENOSPC);
        EXPECT_EQ(log.linesSynced(), 6); // two more whole lines fitted
        log.append(line(99)); // ignored after the failure, without harm
    }
    EXPECT_EQ(failures.load(), 1);
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    // The header and every whole line that fitted: the partial line was cut off again.
    EXPECT_EQ(disc, "n,a,b\n" + line(0) + line(1) + line(2) + line(3) + line(4) + line(5));
}

TEST(LogWriter, StopWritesEverythingHandedOver)
{
    QByteArray disc;
    auto sink = std::make_unique<test::FillingSink>(&disc, 1 << 20);
    test::FillingSink *raw = sink.get();
    QByteArray expected = "h\n";
    {
        LogWriter log(std::move(sink), "h\n", 1000);
        for (int i = 0; i < 500; ++i) {
            log.append(line(i));
            expected += line(i);
        }
        log.stop();
        EXPECT_EQ(log.linesSynced(), 500);
        EXPECT_FALSE(log.failed());
        EXPECT_GE(raw->syncs, 1);
    }
    EXPECT_EQ(disc, expected);
}

TEST(AppendFile, NeverOpensAFileThatIsThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.csv"));
    QString error;
    {
        auto file = AppendFile::create(path, &error);
        ASSERT_TRUE(file) << qPrintable(error);
        ASSERT_TRUE(file->append("first\n"));
        ASSERT_TRUE(file->sync());
    }
    EXPECT_FALSE(AppendFile::create(path, &error));
    EXPECT_TRUE(error.contains(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "first\n");

    const QDateTime start(QDate(2026, 12, 8), QTime(9, 30, 15));
    EXPECT_EQ(timestampedLogPath(QStringLiteral("/data/m.csv"), start), QStringLiteral("/data/m-20261208-093015.csv"));
    EXPECT_EQ(timestampedLogPath(QStringLiteral("log"), start), QStringLiteral("log-20261208-093015"));
}

} // namespace
} // namespace lumetra
