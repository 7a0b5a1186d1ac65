// The picture report: the window's layout, the picture cut at 640 x 480 and the printed page.
#include "PdfInspection.h"
#include "ReportFixture.h"
#include "platform/printing/PdfPrintJob.h"
#include "platform/dialogs/SurfaceView.h"
#include "reports/PictureReport.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <cmath>

namespace lumetra::testing {
namespace {

constexpr int Dpi = 50;
constexpr double MarginTwips = PdfPrintJob::MarginMillimetres / 25.4 * 1440;

bool near(QRgb a, QColor b)
{
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) + std::abs(qBlue(a) - b.blue()) < 60;
}

class PictureReportTest : public ReportFixture
{
protected:
    // 800 x 600: green inside the top-left 640 x 480 with a red square at its corner and a
    // magenta square at its far corner; blue beyond, which must never show.
    void writePicture()
    {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter p(&image);
        p.fillRect(0, 0, 640, 480, Qt::green);
        p.fillRect(0, 0, 100, 100, Qt::red);
        p.fillRect(540, 380, 100, 100, Qt::magenta);
        p.end();
        picturePath = outputDir.filePath(QStringLiteral("spot.bmp"));
        ASSERT_TRUE(image.save(picturePath));
        state->picture.ImagePath = picturePath;
    }
    // The printed page: the window at 15 twips a pixel from the top-left of the printable area.
    static QPoint pagePixel(double windowX, double windowY)
    {
        return {static_cast<int>(std::lround((MarginTwips + windowX * 15) * Dpi / 1440)),
                static_cast<int>(std::lround((MarginTwips + windowY * 15) * Dpi / 1440))};
    }
    QString picturePath;
};

TEST_F(PictureReportTest, WindowLaysOutCaptionAndPictureCutAtSixFortyByFourEighty)
{
    writePicture();
    PictureReport *window = PictureReport::showWindow(*context, state->picture.ImagePath);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(PictureReport::instance(*context), window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("打印"));
    EXPECT_EQ(window->size(), QSize(680, 680));

    QLabel *caption = window->label1();
    EXPECT_EQ(caption->text(), QStringLiteral("图"));
    EXPECT_EQ(QFontInfo(caption->font()).family(), QStringLiteral("Noto Serif CJK SC"));
    EXPECT_TRUE(caption->font().bold());
    EXPECT_DOUBLE_EQ(caption->font().pointSizeF(), 15.75);
    EXPECT_EQ(caption->y(), 50);
    EXPECT_LE(std::abs(caption->x() - (680 - caption->width()) / 2), 1);

    EXPECT_EQ(window->pictureView()->geometry(), QRect(1, 100, 640, 480));
    const QImage shown = window->picture().image();
    EXPECT_EQ(shown.size(), QSize(640, 480));
    EXPECT_TRUE(near(shown.pixel(0, 0), Qt::red));
    EXPECT_TRUE(near(shown.pixel(639, 479), Qt::magenta));
    EXPECT_TRUE(near(shown.pixel(320, 240), Qt::green));
}

TEST_F(PictureReportTest, PrintsTheClientAreaAsOnePageShowingOnlyTheTopLeftOfTheImage)
{
    writePicture();
    PictureReport *window = PictureReport::showWindow(*context, state->picture.ImagePath);
    ASSERT_NE(window, nullptr);
    const QString file = onlyPrintedFile();
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("图 spot 2024-05-01 09-30-00.pdf"));
    EXPECT_EQ(pdfPageCount(file), 1);
    EXPECT_TRUE(window->noteLabel()->isVisibleTo(window));
    EXPECT_TRUE(window->noteLabel()->text().contains(QFileInfo(file).fileName()));
    EXPECT_GE(window->noteLabel()->y(), 580) << "under the picture, not in it";

    const QImage page = renderPdf(file);
    ASSERT_FALSE(page.isNull());
    int blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            blue += near(page.pixel(x, y), Qt::blue) ? 1 : 0;
    EXPECT_EQ(blue, 0) << "nothing beyond 640 x 480 is printed";
    EXPECT_TRUE(near(page.pixel(pagePixel(1 + 50, 100 + 50)), Qt::red));
    EXPECT_TRUE(near(page.pixel(pagePixel(1 + 320, 100 + 240)), Qt::green));
    EXPECT_TRUE(near(page.pixel(pagePixel(1 + 590, 100 + 430)), Qt::magenta));
    // Above the picture: white paper, with the caption's ink around the middle of row 50..80.
    EXPECT_TRUE(near(page.pixel(pagePixel(100, 70)), Qt::white));
    int captionInk = inkCount(page, QRect(pagePixel(320, 50), pagePixel(360, 80)));
    EXPECT_GT(captionInk, 5);
    // The note about the file is not part of the printout.
    EXPECT_EQ(inkCount(page, QRect(pagePixel(0, 585), pagePixel(680, 680))), 0);
}

TEST_F(PictureReportTest, OpenWindowIsBroughtForwardWithoutPrintingAgain)
{
    writePicture();
    PictureReport *first = PictureReport::showWindow(*context, state->picture.ImagePath);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(PictureReport::showWindow(*context, state->picture.ImagePath), first);
    EXPECT_EQ(printedFiles().size(), 1);
    first->close();
    processDeletes();
    EXPECT_EQ(PictureReport::instance(*context), nullptr);
    ASSERT_NE(PictureReport::showWindow(*context, state->picture.ImagePath), nullptr);
    EXPECT_EQ(printedFiles().size(), 2);
}

TEST_F(PictureReportTest, UnreadablePictureIsToldAndNothingIsPrinted)
{
    state->picture.ImagePath = outputDir.filePath(QStringLiteral("missing.jpg"));
    EXPECT_EQ(PictureReport::showWindow(*context, state->picture.ImagePath), nullptr);
    EXPECT_EQ(PictureReport::instance(*context), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("missing.jpg")));
    EXPECT_TRUE(printer->requestedReports.isEmpty());
    EXPECT_TRUE(printedFiles().isEmpty());
}

TEST_F(PictureReportTest, PrinterFailureIsShownUnderThePicture)
{
    writePicture();
    printer->refuseWith = QStringLiteral("纸张用完");
    PictureReport *window = PictureReport::showWindow(*context, state->picture.ImagePath);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->outcome().delivered());
    EXPECT_EQ(window->noteLabel()->text(), QStringLiteral("打印失败：纸张用完"));
    EXPECT_TRUE(window->noteLabel()->isVisibleTo(window));
    EXPECT_TRUE(printedFiles().isEmpty());
}

} // namespace
} // namespace lumetra::testing
