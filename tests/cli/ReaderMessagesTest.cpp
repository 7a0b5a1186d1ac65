// What the file readers say about a bad picture reaches the command line as one English line,
// whatever the locale, in every command that reads pictures.
#include "support/CliRunner.h"
#include "support/TextChecks.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using lumetra::test::runCli;

TEST(ReaderMessages, ABadPictureIsOneEnglishLineInEveryCommand)
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const struct
    {
        QString path;
        QString says;
    } bad[] = {
        {dir.filePath(QStringLiteral("missing.png")), QStringLiteral("the file does not exist")},
        {write(QStringLiteral("text.png"), "hello"), QStringLiteral("not a picture file this program can read")},
        {write(QStringLiteral("short.pgm"), QByteArray("P5\n100 100\n255\n") + QByteArray(50, '\0')),
         QStringLiteral("the picture file is damaged or incomplete")},
    };
    for (const auto &b : bad) {
        const QList<QStringList> commands{
            {QStringLiteral("beam"), b.path},
            {QStringLiteral("profile"), b.path, QStringLiteral("--row"), QStringLiteral("3")},
            {QStringLiteral("filter"), b.path, QStringLiteral("blur1"), dir.filePath(QStringLiteral("out.png"))},
            {QStringLiteral("grid3d"), b.path, QStringLiteral("--region"), QStringLiteral("0,0,100,100"),
             QStringLiteral("--factor"), QStringLiteral("2")},
        };
        for (const QStringList &args : commands) {
            const auto run = runCli(args);
            const QString line = run.err.trimmed();
            SCOPED_TRACE(args.join(u' ').toStdString());
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_FALSE(line.contains(u'\n')) << line.toStdString();
            EXPECT_TRUE(line.contains(b.says)) << line.toStdString();
            EXPECT_FALSE(lumetra::test::containsChinese(line)) << line.toStdString();
        }
    }
}
