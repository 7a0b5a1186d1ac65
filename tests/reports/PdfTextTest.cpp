// Text printed on a PDF page reads back as it was printed: numbers next to Latin letters keep
// their digits (the CJK face alone writes such digits without their characters).
#include "PdfInspection.h"
#include "platform/printing/PdfPrintJob.h"
#include "platform/printing/ReportSheet.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace lumetra;

namespace {

// What pdftotext reads from a page that `draw` filled ("" when the page could not be made).
QString textOfPage(const std::function<void(PdfPrintJob &)> &draw, bool layout = false)
{
    QTemporaryDir dir;
    QString error;
    auto job = PdfPrintJob::open(dir.path(), QStringLiteral("文字"), QDateTime(QDate(2024, 5, 1), QTime(9, 0)), error);
    EXPECT_TRUE(job) << error.toStdString();
    if (!job)
        return {};
    draw(*job);
    const PrintOutcome outcome = job->endDocument();
    EXPECT_TRUE(outcome.delivered());
    QProcess text;
    text.start(QStringLiteral("pdftotext"), layout ? QStringList{QStringLiteral("-layout"), outcome.filePath, QStringLiteral("-")}
                                                   : QStringList{outcome.filePath, QStringLiteral("-")});
    EXPECT_TRUE(text.waitForFinished(60000));
    return QString::fromUtf8(text.readAllStandardOutput());
}

QString textOfLines(const QStringList &lines)
{
    return textOfPage([&lines](PdfPrintJob &job) {
        for (const QString &line : lines)
            job.print(line);
    });
}

} // namespace

TEST(PdfPrintJob, NumbersBesideLatinLettersCanBeCopiedFromThePage)
{
    const QString read = textOfLines({QStringLiteral("D4σ 长轴 120.10 px"), QStringLiteral("Lumetra 2.0.0"),
                                      QStringLiteral("x 219–581, 5.5 µm")});
    for (const QString &number : {QStringLiteral("D4σ"), QStringLiteral("120.10 px"), QStringLiteral("Lumetra 2.0.0"),
                                  QStringLiteral("219–581"), QStringLiteral("5.5 µm")})
        EXPECT_TRUE(read.contains(number)) << qPrintable(number) << " in " << qPrintable(read);
}

// Chinese copied or searched in a report reads as printed: the CJK faces draw 文, 方, 长, 角, 大,
// 用 and 无 with the glyphs of radicals, which the page's text map used to name instead.
TEST(PdfPrintJob, ChineseCopiedFromThePageIsTheTextPrinted)
{
    const QStringList lines{QStringLiteral("文件 方法 长轴 角度"), QStringLiteral("大小 用户 无光束 青色 Beam width")};
    const QString read = textOfLines(lines);
    for (const QString &line : lines)
        for (const QString &word : line.split(u' '))
            EXPECT_TRUE(read.contains(word)) << qPrintable(word) << " in " << qPrintable(read);
}

// A wrapped paragraph never starts a line with closing punctuation such as "；": it stays with
// the word it closes, whatever the width.
TEST(PdfPrintJob, WrappedLinesNeverStartWithClosingPunctuation)
{
    const QString legend = QStringLiteral("标记：白：质心；青：D4σ 椭圆，品红：主轴；黄：积分区域；绿：D86 圆；橙：高斯 1/e² 椭圆");
    const QString read = textOfPage(
        [&legend](PdfPrintJob &job) {
            ReportSheet sheet(job);
            for (int width = 1400; width <= 3400; width += 100)
                sheet.paragraph(legend, 0, width, 8);
        },
        true);
    int lines = 0;
    for (const QString &line : read.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        ++lines;
        EXPECT_FALSE(QStringLiteral("；，：。、").contains(trimmed.front())) << qPrintable(trimmed);
    }
    EXPECT_GT(lines, 40); // the widths wrapped the legend many ways
}
