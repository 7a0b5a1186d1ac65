// The printer layer: PDF pages in twips, their file names and failures, the system printer's
// fallback to a PDF file, and a window's client area printed as one page.
#include "PdfInspection.h"
#include "RecordingPage.h"
#include "platform/printing/PdfPrintJob.h"
#include "platform/printing/PrinterService.h"
#include "platform/printing/ScriptedPrinter.h"
#include "platform/printing/SystemPrinterService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra::testing {
namespace {

constexpr double MarginTwips = PdfPrintJob::MarginMillimetres / 25.4 * 1440;
const QDateTime Noon(QDate(2024, 3, 8), QTime(12, 0, 5));

QStringList pdfsIn(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}
QStringList everythingIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(PdfPrintJob, PageIsTheA4PrintableAreaInTwips)
{
    QTemporaryDir dir;
    QString error;
    auto job = PdfPrintJob::open(dir.path(), QStringLiteral("页"), Noon, error);
    ASSERT_TRUE(job) << error.toStdString();
    EXPECT_NEAR(job->pageWidth(), 210 / 25.4 * 1440 - 2 * MarginTwips, 1);
    EXPECT_NEAR(job->pageHeight(), 297 / 25.4 * 1440 - 2 * MarginTwips, 1);
    EXPECT_EQ(job->fontSize(), 10);
    EXPECT_FALSE(job->bold());
}

TEST(PdfPrintJob, FontSizesAreInPointsUnderTheTwipsScale)
{
    QTemporaryDir dir;
    QString error;
    auto job = PdfPrintJob::open(dir.path(), QStringLiteral("字"), Noon, error);
    ASSERT_TRUE(job);
    // A Han character is one em wide: 20 twips a point.
    for (double points : {10.0, 12.0, 18.0}) {
        job->setFontSize(points);
        EXPECT_NEAR(job->textWidth(QStringLiteral("水")), points * 20, points) << points;
        EXPECT_GT(job->textHeight(QStringLiteral("1")), points * 20);
        EXPECT_LT(job->textHeight(QStringLiteral("1")), points * 20 * 1.6);
    }
    job->setFontSize(12);
    const double plain = job->textWidth(QStringLiteral("Intensity 100"));
    job->setBold(true);
    EXPECT_TRUE(job->bold());
    EXPECT_GT(job->textWidth(QStringLiteral("Intensity 100")), plain);

    // Printed 18-point text is 18 points high on the page and stands where it was put.
    job->setFontSize(18);
    job->setCurrentX(2000);
    job->setCurrentY(3000);
    job->print(QStringLiteral("光强"));
    EXPECT_EQ(job->currentX(), 0);
    EXPECT_NEAR(job->currentY(), 3000 + job->textHeight(QStringLiteral("光强")), 1e-9);
    const PrintOutcome outcome = job->endDocument();
    ASSERT_EQ(outcome.result, PrintOutcome::Result::SavedToFile) << outcome.error.toStdString();
    const QList<PdfWord> words = pdfWords(outcome.filePath);
    ASSERT_EQ(words.size(), 1);
    EXPECT_NEAR(words[0].box.left() * 20, MarginTwips + 2000, 40);
    EXPECT_NEAR(words[0].box.top() * 20, MarginTwips + 3000, 120);
    // The box of a line of text: ascent and descent, a little more than the size itself.
    EXPECT_GT(words[0].box.height(), 18 * 1.2);
    EXPECT_LT(words[0].box.height(), 18 * 1.6);
}

TEST(PdfPrintJob, LinesAreDrawnInTheirColourWhereTheTwipsSay)
{
    QTemporaryDir dir;
    QString error;
    auto job = PdfPrintJob::open(dir.path(), QStringLiteral("线"), Noon, error);
    ASSERT_TRUE(job);
    job->line(1440, 1440, 1440 * 3, 1440, rgb(255, 0, 0));
    job->line(1440, 2880, 1440, 1440 * 4, rgb(0, 0, 255));
    const PrintOutcome outcome = job->endDocument();
    ASSERT_TRUE(outcome.delivered());
    const QImage page = renderPdf(outcome.filePath, 72);
    const auto at = [&](double twipsX, double twipsY) {
        return page.pixel(static_cast<int>(std::lround((MarginTwips + twipsX) / 20)),
                          static_cast<int>(std::lround((MarginTwips + twipsY) / 20)));
    };
    const QRgb red = at(2000, 1440);
    EXPECT_GT(qRed(red), 200);
    EXPECT_LT(qGreen(red), 80);
    const QRgb blue = at(1440, 4000);
    EXPECT_GT(qBlue(blue), 200);
    EXPECT_LT(qRed(blue), 80);
    EXPECT_EQ(qGray(at(2000, 2000)), 255);
}

TEST(PdfPrintJob, NeverOverwritesAFileAndLeavesNoTemporaryFiles)
{
    QTemporaryDir dir;
    const QString taken = dir.filePath(PdfPrintJob::fileName(QStringLiteral("水平原始曲线"), Noon));
    {
        QFile existing(taken);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("an older report");
    }
    QString error;
    auto job = PdfPrintJob::open(dir.path(), QStringLiteral("水平原始曲线"), Noon, error);
    ASSERT_TRUE(job);
    const PrintOutcome outcome = job->endDocument();
    ASSERT_EQ(outcome.result, PrintOutcome::Result::SavedToFile);
    EXPECT_EQ(QFileInfo(outcome.filePath).fileName(),
              QStringLiteral("水平原始曲线 2024-03-08 12-00-05 (2).pdf"));
    QFile existing(taken);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("an older report"));
    EXPECT_EQ(everythingIn(dir.path()).size(), 2);
    EXPECT_EQ(pdfPageCount(outcome.filePath), 1);
}

TEST(PdfPrintJob, NamesAreSafeForTheFileSystem)
{
    EXPECT_EQ(PdfPrintJob::fileName(QStringLiteral("图 a/b:c"), Noon),
              QStringLiteral("图 a_b_c 2024-03-08 12-00-05.pdf"));
    EXPECT_EQ(PdfPrintJob::fileName(QString(), Noon, 3), QStringLiteral("报告 2024-03-08 12-00-05 (3).pdf"));
}

TEST(PdfPrintJob, MissingFolderIsRefusedWithItsName)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nowhere"));
    QString error;
    EXPECT_FALSE(PdfPrintJob::open(missing, QStringLiteral("图"), Noon, error));
    EXPECT_TRUE(error.contains(QStringLiteral("nowhere")));
}

TEST(PdfPrintJob, FolderThatVanishesBeforeTheEndIsAFailureNotASavedFile)
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QString error;
    auto job = PdfPrintJob::open(folder, QStringLiteral("图"), Noon, error);
    ASSERT_TRUE(job);
    job->line(0, 0, 100, 100, colours::Black);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    const PrintOutcome outcome = job->endDocument();
    EXPECT_EQ(outcome.result, PrintOutcome::Result::Failed);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(PdfPrintJob, EndingTwiceDeliversOnlyOnce)
{
    QTemporaryDir dir;
    QString error;
    auto job = PdfPrintJob::open(dir.path(), QStringLiteral("图"), Noon, error);
    ASSERT_TRUE(job);
    EXPECT_TRUE(job->endDocument().delivered());
    EXPECT_FALSE(job->endDocument().delivered());
    EXPECT_EQ(pdfsIn(dir.path()).size(), 1);
}

TEST(PdfPrintJob, AbandonedPageLeavesNothingBehind)
{
    QTemporaryDir dir;
    QString error;
    {
        auto job = PdfPrintJob::open(dir.path(), QStringLiteral("图"), Noon, error);
        ASSERT_TRUE(job);
        job->print(QStringLiteral("未完成"));
    }
    EXPECT_TRUE(everythingIn(dir.path()).isEmpty());
}

TEST(SystemPrinterService, WithoutAPrinterWritesThePageIntoTheDocumentsFolder)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    QTemporaryDir home;
    const QString documents = home.filePath(QStringLiteral("文档/报告"));
    SystemPrinterService service(documents);
    PrintOutcome failure;
    auto page = service.beginDocument(QStringLiteral("垂直分析曲线(线)"), failure);
    ASSERT_TRUE(page) << failure.error.toStdString();
    page->print(QStringLiteral("垂直分析曲线"));
    const PrintOutcome outcome = page->endDocument();
    ASSERT_EQ(outcome.result, PrintOutcome::Result::SavedToFile);
    EXPECT_EQ(QFileInfo(outcome.filePath).absolutePath(), QDir(documents).absolutePath());
    EXPECT_TRUE(QFileInfo(outcome.filePath).fileName().startsWith(QStringLiteral("垂直分析曲线(线) ")));
    EXPECT_EQ(pdfPageCount(outcome.filePath), 1);
    EXPECT_TRUE(outcome.note().contains(QDir::toNativeSeparators(outcome.filePath)));
    EXPECT_FALSE(SystemPrinterService().pdfDirectory().isEmpty());
}

TEST(SystemPrinterService, FolderThatCannotBeMadeIsAFailure)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    QTemporaryDir home;
    const QString blocker = home.filePath(QStringLiteral("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    SystemPrinterService service(blocker + QStringLiteral("/sub"));
    PrintOutcome failure;
    EXPECT_FALSE(service.beginDocument(QStringLiteral("图"), failure));
    EXPECT_EQ(failure.result, PrintOutcome::Result::Failed);
    EXPECT_TRUE(failure.note().startsWith(QStringLiteral("打印失败：")));
}

// A printer whose pages are recorded, to see how a window image is placed.
class RecordingPrinter : public PrinterService
{
public:
    double width = 11000;
    double height = 16000;
    QList<QRectF> images;
    int begun = 0;
    int ended = 0;

    std::unique_ptr<PrinterPage> beginDocument(const QString &, PrintOutcome &) override
    {
        ++begun;
        return std::make_unique<Page>(*this);
    }

private:
    struct Page : RecordingPage
    {
        explicit Page(RecordingPrinter &owner) : RecordingPage(owner.width, owner.height), owner(owner) {}
        ~Page() override
        {
            owner.images += images;
            owner.ended += ended;
        }
        RecordingPrinter &owner;
    };
};

TEST(PrinterService, WindowImageIsPrintedAtScreenSizeFromTheTopLeft)
{
    RecordingPrinter printer;
    QImage window(680, 680, QImage::Format_RGB32);
    window.fill(Qt::white);
    EXPECT_TRUE(printer.printImage(QStringLiteral("图"), window).delivered());
    ASSERT_EQ(printer.images.size(), 1);
    EXPECT_EQ(printer.images[0], QRectF(0, 0, 680 * 15, 680 * 15));
    EXPECT_EQ(printer.ended, 1);
}

TEST(PrinterService, WindowImageTooLargeForThePageIsShrunkKeepingItsShape)
{
    RecordingPrinter printer;
    QImage wide(1000, 700, QImage::Format_RGB32);
    wide.fill(Qt::white);
    printer.printImage(QStringLiteral("图"), wide);
    ASSERT_EQ(printer.images.size(), 1);
    EXPECT_DOUBLE_EQ(printer.images[0].width(), 11000);
    EXPECT_DOUBLE_EQ(printer.images[0].height(), 700 * 15 * 11000.0 / 15000);

    printer.height = 5000;
    QImage tall(300, 900, QImage::Format_RGB32);
    tall.fill(Qt::white);
    printer.printImage(QStringLiteral("图"), tall);
    ASSERT_EQ(printer.images.size(), 2);
    EXPECT_DOUBLE_EQ(printer.images[1].height(), 5000);
    EXPECT_DOUBLE_EQ(printer.images[1].width(), 300 * 15 * 5000.0 / (900 * 15));
}

TEST(PrinterService, NothingToPrintIsAFailureWithoutAJob)
{
    RecordingPrinter printer;
    EXPECT_FALSE(printer.printImage(QStringLiteral("图"), QImage()).delivered());
    EXPECT_EQ(printer.begun, 0);
}

TEST(PrintOutcome, NotesSayWhereThePageWentOrWhyItDidNot)
{
    EXPECT_TRUE(PrintOutcome::printed(QStringLiteral("HP")).note().isEmpty());
    const PrintOutcome saved = PrintOutcome::savedToFile(QStringLiteral("/home/op/Documents/a.pdf"));
    EXPECT_TRUE(saved.delivered());
    EXPECT_TRUE(saved.note().endsWith(QStringLiteral("/home/op/Documents/a.pdf")));
    const PrintOutcome failed = PrintOutcome::failed(QStringLiteral("卡纸"));
    EXPECT_FALSE(failed.delivered());
    EXPECT_EQ(failed.note(), QStringLiteral("打印失败：卡纸"));
}

TEST(ScriptedPrinter, RecordsEveryJobAndCanRefuseThem)
{
    QTemporaryDir dir;
    ScriptedPrinter printer(dir.path());
    PrintOutcome failure;
    auto page = printer.beginDocument(QStringLiteral("一"), failure);
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->endDocument().delivered());
    printer.refuseWith = QStringLiteral("脱机");
    EXPECT_FALSE(printer.beginDocument(QStringLiteral("二"), failure));
    EXPECT_EQ(failure.error, QStringLiteral("脱机"));
    EXPECT_EQ(printer.requestedReports, QStringList({QStringLiteral("一"), QStringLiteral("二")}));
    EXPECT_EQ(pdfsIn(dir.path()), QStringList({QStringLiteral("一 2024-05-01 09-30-00.pdf")}));
}

} // namespace
} // namespace lumetra::testing
