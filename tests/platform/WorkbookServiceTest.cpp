#include "platform/workbook/ScriptedWorkbookService.h"
#include "platform/workbook/XlsxWorkbookService.h"
#include "support/WorkbookReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <limits>
#include <sys/stat.h>

using namespace lumetra;
using lumetra::test::readWorkbook;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList entriesOf(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

WorkbookSheet sampleSheet()
{
    WorkbookSheet sheet;
    sheet.setText(1, 1, QStringLiteral("X"));
    sheet.setText(1, 2, QStringLiteral("强度"));
    sheet.setNumber(2, 1, 1);
    sheet.setNumber(2, 2, 3.5);
    sheet.setNumber(21, 94, 640);
    return sheet;
}

} // namespace

TEST(WorkbookSheet, ColumnNamesFollowTheSpreadsheetLetters)
{
    const std::pair<int, const char *> cases[] = {{1, "A"},    {26, "Z"},    {27, "AA"},    {52, "AZ"},
                                                  {53, "BA"},  {70, "BR"},   {94, "CP"},    {219, "HK"},
                                                  {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto &[column, name] : cases)
        EXPECT_EQ(columnName(column), QLatin1String(name)) << column;
    EXPECT_EQ(columnName(0), QString());
}

TEST(WorkbookSheet, FindReturnsTheLastValueWrittenOrNothing)
{
    WorkbookSheet sheet;
    EXPECT_TRUE(sheet.isEmpty());
    sheet.setNumber(3, 4, 1);
    sheet.setText(3, 4, QStringLiteral("later"));
    sheet.setNumber(4, 3, 7);
    ASSERT_NE(sheet.find(3, 4), nullptr);
    EXPECT_FALSE(sheet.find(3, 4)->isNumber());
    EXPECT_EQ(sheet.find(3, 4)->text(), QStringLiteral("later"));
    ASSERT_NE(sheet.find(4, 3), nullptr);
    EXPECT_DOUBLE_EQ(sheet.find(4, 3)->number(), 7);
    EXPECT_EQ(sheet.find(4, 4), nullptr);
}

TEST(XlsxWorkbookService, WritesOneSheetWithNumbersAsNumbersAndTextsAsTexts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.xlsx"));
    XlsxWorkbookService service;
    QString error;
    ASSERT_TRUE(service.save(sampleSheet(), path, &error)) << qPrintable(error);

    const auto book = readWorkbook(path);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.sheetNames.size(), 1);
    EXPECT_TRUE(book.isText(QStringLiteral("A1")));
    EXPECT_EQ(book.cell(QStringLiteral("A1")).toString(), QStringLiteral("X"));
    EXPECT_EQ(book.cell(QStringLiteral("B1")).toString(), QStringLiteral("强度"));
    EXPECT_TRUE(book.isNumber(QStringLiteral("A2")));
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("A2")).toDouble(), 1);
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("B2")).toDouble(), 3.5);
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("CP21")).toDouble(), 640);
    EXPECT_EQ(book.cells.size(), 5);
    // Only the workbook remains: the temporary file was renamed into place.
    EXPECT_EQ(entriesOf(dir), QStringList{QStringLiteral("table.xlsx")});
}

TEST(XlsxWorkbookService, CellsWrittenOutOfOrderAllArriveAndTheLaterWriteWins)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("order.xlsx"));
    WorkbookSheet sheet;
    sheet.setNumber(21, 3, 7); // a later group's cell before an earlier row
    sheet.setText(1, 4, QStringLiteral("X"));
    sheet.setNumber(2, 1, 1);
    sheet.setNumber(2, 1, 2);
    sheet.setText(1, 1, QStringLiteral("first"));
    sheet.setNumber(1, 1, 5);
    XlsxWorkbookService service;
    ASSERT_TRUE(service.save(sheet, path));
    const auto book = readWorkbook(path);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_EQ(book.cells.size(), 4);
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("C21")).toDouble(), 7);
    EXPECT_EQ(book.cell(QStringLiteral("D1")).toString(), QStringLiteral("X"));
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("A2")).toDouble(), 2);
    EXPECT_TRUE(book.isNumber(QStringLiteral("A1")));
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("A1")).toDouble(), 5);
}

TEST(XlsxWorkbookService, ReplacesAnExistingFileAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.xlsx"));
    writeBytes(path, "not a workbook");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    WorkbookSheet sheet;
    sheet.setNumber(1, 1, 42);
    XlsxWorkbookService service;
    ASSERT_TRUE(service.save(sheet, path));
    const auto book = readWorkbook(path);
    ASSERT_TRUE(book.ok) << qPrintable(book.error);
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("A1")).toDouble(), 42);
    EXPECT_EQ(book.cells.size(), 1);
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(XlsxWorkbookService, AFailedSaveLeavesTheOldFileAndNoLeftovers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.xlsx"));
    const QByteArray old = "the old contents";

    struct Failure
    {
        const char *what;
        WorkbookSheet sheet;
    };
    std::vector<Failure> failures;
    {
        WorkbookSheet outside = sampleSheet();
        outside.setNumber(2'000'000, 1, 1);
        failures.push_back({"row beyond the sheet", outside});
        WorkbookSheet column0;
        column0.setNumber(1, 0, 1);
        failures.push_back({"column 0", column0});
        WorkbookSheet notANumber;
        notANumber.setNumber(1, 1, std::numeric_limits<double>::quiet_NaN());
        failures.push_back({"NaN", notANumber});
    }
    for (const Failure &failure : failures) {
        writeBytes(path, old);
        XlsxWorkbookService service;
        QString error;
        EXPECT_FALSE(service.save(failure.sheet, path, &error)) << failure.what;
        EXPECT_FALSE(error.isEmpty()) << failure.what;
        EXPECT_EQ(bytesOf(path), old) << failure.what;
        EXPECT_EQ(entriesOf(dir), QStringList{QStringLiteral("keep.xlsx")}) << failure.what;
    }
}

TEST(XlsxWorkbookService, RefusesADirectoryOrAMissingFolder)
{
    QTemporaryDir dir;
    XlsxWorkbookService service;
    QString error;
    EXPECT_FALSE(service.save(sampleSheet(), dir.path(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    error.clear();
    EXPECT_FALSE(service.save(sampleSheet(), dir.filePath(QStringLiteral("no/such/folder.xlsx")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(service.save(sampleSheet(), QString()));
}

TEST(ScriptedWorkbookService, RecordsSavesWritesRealFilesAndFailsOnRequest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.xlsx"));
    ScriptedWorkbookService service;
    ASSERT_TRUE(service.save(sampleSheet(), path));
    const QByteArray written = bytesOf(path);
    EXPECT_TRUE(readWorkbook(path).ok);

    service.failing = true;
    WorkbookSheet other;
    other.setNumber(1, 1, 9);
    QString error;
    EXPECT_FALSE(service.save(other, path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(bytesOf(path), written);
    ASSERT_EQ(service.paths.size(), 2);
    ASSERT_EQ(service.sheets.size(), 2u);
    EXPECT_EQ(service.paths[1], path);
    ASSERT_NE(service.sheets[1].find(1, 1), nullptr);
    EXPECT_DOUBLE_EQ(service.sheets[1].find(1, 1)->number(), 9);
}
