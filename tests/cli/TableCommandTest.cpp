// lumetra-cli table, with the workbook read back by an independent reader.
#include "support/WorkbookReader.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace {

using lumetra::test::readWorkbook;

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runTable(const QStringList &args)
{
    QString cli = qEnvironmentVariable("LUMETRA_CLI");
    if (cli.isEmpty())
        cli = QCoreApplication::applicationDirPath() + QStringLiteral("/lumetra-cli");
    QProcess process;
    process.start(cli, QStringList{QStringLiteral("table")} + args);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Column `offset` (0 X, 1 Y1, 2 Y2) of position k, as "A2".
QString cellOf(int k, int offset)
{
    const int column = 3 * ((k - 1) / 20) + 1 + offset;
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name + QString::number((k - 1) % 20 + 2);
}

class TableCommand : public ::testing::Test
{
protected:
    // Grey g(x) = 50 + x mod 100 down every column: each row is the same, so the 9-line average
    // of a row cut equals the row, and the grey range is 50..149.
    QString stripes()
    {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const int g = 50 + x % 100;
                image.setPixel(x, y, qRgb(g, g, g));
            }
        const QString path = dir.filePath(QStringLiteral("stripes.bmp"));
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TableCommand, AHorizontalCutWritesThirtyTwoGroupsOfPercents)
{
    const QString out = dir.filePath(QStringLiteral("h.xlsx"));
    const CliRun run = runTable({stripes(), "--row", "240", "--width", "0", out});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const auto book = readWorkbook(out);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cell("A2").toInt(), 1);
    EXPECT_EQ(book.cell("A21").toInt(), 20);
    EXPECT_EQ(book.cell("D2").toInt(), 21);
    EXPECT_EQ(book.cell("CP21").toInt(), 640);
    EXPECT_EQ(book.cell("CP1").toString(), QStringLiteral("X"));
    EXPECT_EQ(book.cells.size(), 640 * 3 + 96);
    for (int k : {1, 99, 100, 250, 639}) {
        const int expected = static_cast<int>(std::floor(100.0 * (50 + k % 100 - 50) / 99));
        EXPECT_EQ(book.cell(cellOf(k, 1)).toInt(), expected) << k;
        EXPECT_EQ(book.cell(cellOf(k, 2)).toInt(), expected) << k;
    }
    // Column 640 lies outside the picture (grey 0): 0, not a negative percent.
    EXPECT_EQ(book.cell(cellOf(640, 1)), QVariant(0.0));
}

TEST_F(TableCommand, AVerticalCutInLineModeHasTwentyFourGroupsAndZeroRawValues)
{
    const QString out = dir.filePath(QStringLiteral("v.xlsx"));
    const CliRun run = runTable({stripes(), "--column", "150", "--mode", "line", out});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const auto book = readWorkbook(out);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cell("BR21").toInt(), 480);
    EXPECT_FALSE(book.cells.contains("BU1"));
    for (int k = 1; k <= 480; ++k)
        ASSERT_EQ(book.cell(cellOf(k, 1)), QVariant(0.0)) << k;
}

TEST_F(TableCommand, BadArgumentsAndUnwritableFilesFailWithOneLine)
{
    const QString image = stripes();
    const QString existing = dir.filePath(QStringLiteral("keep.xlsx"));
    QFile keep(existing);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("keep");
    keep.close();

    const QList<QStringList> bad = {
        {image, "--row", "240"},                                 // no output
        {image, "--row", "240", dir.filePath("out.csv")},        // not a workbook name
        {image, "--row", "240", dir.filePath("no/such/t.xlsx")}, // folder missing
        {image, "--row", "240", dir.path() + "/"},               // a folder
        {image, "--row", "900", dir.filePath("t.xlsx")},         // cut outside the picture
        {dir.filePath("none.bmp"), "--row", "240", dir.filePath("t.xlsx")},
    };
    for (const QStringList &args : bad) {
        const CliRun run = runTable(args);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(args.join(' '));
        EXPECT_EQ(run.err.trimmed().split(QLatin1Char('\n')).size(), 1) << qPrintable(run.err);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("lumetra-cli table: "))) << qPrintable(run.err);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("t.xlsx")));
    EXPECT_FALSE(QFile::exists(dir.filePath("out.csv")));

    // Writing over an existing file replaces it whole.
    const CliRun run = runTable({image, "--row", "240", existing});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(readWorkbook(existing).ok);
    // Nothing else was left behind by the failed runs: the picture and the workbook only.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("keep.xlsx"), QStringLiteral("stripes.bmp")}));
}
