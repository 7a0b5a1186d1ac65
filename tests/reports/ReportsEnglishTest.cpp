// The curve and picture reports in English: their status windows and the pages they print.
#include "PdfInspection.h"
#include "RecordingPage.h"
#include "ReportFixture.h"
#include "TextsFit.h"
#include "reports/CurveReport.h"
#include "reports/CurveReportLayout.h"
#include "reports/PictureReport.h"
#include "support/EnglishInterface.h"
#include "support/TextChecks.h"
#include "support/WidgetTexts.h"

#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace lumetra::testing {
namespace {

// A printer that takes every page.
class AcceptingPrinter : public PrinterService
{
public:
    std::unique_ptr<PrinterPage> beginDocument(const QString &, PrintOutcome &) override
    {
        return std::make_unique<RecordingPage>();
    }
};

class ReportsEnglishTest : public ReportFixture
{
protected:
    QString writePicture()
    {
        QImage image(640, 480, QImage::Format_RGB32);
        image.fill(Qt::green);
        const QString file = outputDir.filePath(QStringLiteral("spot.bmp"));
        EXPECT_TRUE(image.save(file));
        state->picture.ImagePath = file;
        return file;
    }
    // An analysed face-mode cut with eleven marks, the longest list the page has.
    void markElevenPoints()
    {
        for (int x = 0; x <= 640; ++x)
            state->cut.ProfileH[x] = 10;
        state->picture.GreyMin = 10;
        state->picture.GreyMax = 200;
        state->view.MarkCountH = 11;
        for (int i = 0; i < 11; ++i)
            state->view.MarkValuesH[i] = {-300.0 + 55 * i, 80.25};
    }
    CurveReport *printCut(CurveReport::Orientation orientation, bool analysed)
    {
        return CurveReport::showWindow(*context, *state, orientation, analysed, &faceButton, &lineButton);
    }
    // The words of the one page printed, joined by blanks.
    QString printedText() const
    {
        QString text;
        for (const PdfWord &word : pdfWords(onlyPrintedFile()))
            text += word.text + u' ';
        return text;
    }

    AcceptingPrinter acceptingPrinter;
};

TEST_F(ReportsEnglishTest, EveryReportWindowSpeaksEnglishAndItsTextsFit)
{
    const test::EnglishInterface english;
    using O = CurveReport::Orientation;
    struct Case
    {
        const char *name;
        std::function<QWidget *()> open;
    };
    const std::vector<Case> cases{
        {"raw horizontal curve saved as PDF",
         [this]() -> QWidget * { return printCut(O::Horizontal, false); }},
        {"analysed vertical curve in line mode",
         [this]() -> QWidget * {
             showLineMode();
             return printCut(O::Vertical, true);
         }},
        {"curve a printer took",
         [this]() -> QWidget * {
             services.printer = &acceptingPrinter;
             CurveReport *window = printCut(O::Horizontal, false);
             EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("Data sent. Printer idle..."));
             return window;
         }},
        {"curve refused by the printer",
         [this]() -> QWidget * {
             printer->refuseWith = QStringLiteral("the printer is offline");
             return printCut(O::Horizontal, true);
         }},
        {"curve without a printer",
         [this]() -> QWidget * {
             services.printer = nullptr;
             return printCut(O::Horizontal, false);
         }},
        {"picture saved as PDF",
         [this]() -> QWidget * { return PictureReport::showWindow(*context, writePicture()); }},
        {"picture refused by the printer",
         [this]() -> QWidget * {
             printer->refuseWith = QStringLiteral("out of paper");
             return PictureReport::showWindow(*context, writePicture());
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QWidget *window = c.open();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Print"));
        const QStringList left = test::chineseTexts(window);
        EXPECT_TRUE(left.isEmpty()) << qPrintable(left.join(u'\n'));
        const QStringList cut = cutTexts(window);
        EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->isVisibleTo(window)) {
                EXPECT_TRUE(window->rect().contains(label->geometry())) << qPrintable(label->text());
            }
        }
        TearDown();
        services.printer = printer.get();
        printer->refuseWith.reset();
    }
}

TEST_F(ReportsEnglishTest, ACurvePageIsNamedAndWrittenInEnglish)
{
    const test::EnglishInterface english;
    markElevenPoints();
    CurveReport *window = printCut(CurveReport::Orientation::Horizontal, true);
    ASSERT_NE(window, nullptr);
    const QString file = onlyPrintedFile();
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(QStringLiteral("Horizontal analysed curve (face) ")))
        << qPrintable(file);
    EXPECT_EQ(window->statusLabel()->text(),
              QStringLiteral("Saved as PDF: ") + QDir::toNativeSeparators(file));
    EXPECT_EQ(window->closeButton()->text(), QStringLiteral("Close"));

    const QString text = printedText();
    EXPECT_FALSE(test::containsChinese(text)) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Point 10 (250, 80.25)"))) << qPrintable(text);

    state->picture.ImagePath = QStringLiteral("spot.bmp");
    const CurveReportLayout vertical(*state, CurveReportLayout::Orientation::Vertical, DisplayMode::Line,
                                     true);
    EXPECT_EQ(vertical.reportName(), QStringLiteral("Vertical analysed curve (line)"));
    EXPECT_EQ(vertical.footer(),
              QStringLiteral("Picture: spot.bmp   Cut: column 192   Integration width: %1   Date: %2")
                  .arg(state->cut.IntegrationWidth)
                  .arg(QDate::currentDate().toString(Qt::ISODate)));
}

TEST_F(ReportsEnglishTest, APicturePageAndItsProblemsAreToldInEnglish)
{
    const test::EnglishInterface english;
    EXPECT_EQ(PictureReport::showWindow(*context, outputDir.filePath(QStringLiteral("missing.jpg"))),
              nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Note"));
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Cannot print the picture ")))
        << qPrintable(dialogs.messages[0].text);

    PictureReport *window = PictureReport::showWindow(*context, writePicture());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->label1()->text(), QStringLiteral("Picture"));
    EXPECT_EQ(printer->requestedReports, QStringList{QStringLiteral("Picture spot")});
    EXPECT_TRUE(window->noteLabel()->text().startsWith(QStringLiteral("Saved as PDF: ")));
}

} // namespace
} // namespace lumetra::testing
