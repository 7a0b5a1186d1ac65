// The beam window, its calibration dialog and its printed report in English: no Chinese text left
// on the screen, in the charts, in what is copied, logged and printed, and every text fits.
#include "BeamViewFixture.h"

#include "beamview/CalibrationDialog.h"
#include "beamview/ProfileChart.h"
#include "platform/display/FalseColourMenu.h"
#include "platform/printing/ScriptedPrinter.h"
#include "platform/settings/Calibration.h"
#include "reports/PdfInspection.h"
#include "reports/TextsFit.h"
#include "support/EnglishInterface.h"
#include "support/TextChecks.h"
#include "support/WidgetTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QAbstractSeries>

#include <gtest/gtest.h>

#include <functional>

namespace lumetra::test {
namespace {

// Chinese ideographs only: the printed sheet's own punctuation is not looked at here.
bool hasIdeographs(const QString &text)
{
    for (const QChar c : text)
        if ((c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) ||
            (c.unicode() >= 0x3400 && c.unicode() <= 0x4DBF))
            return true;
    return false;
}

// The texts of a chart: its title, the series' names and the axes' titles.
QStringList chartTexts(const QChart *chart)
{
    QStringList texts{chart->title()};
    for (const QAbstractSeries *series : chart->series())
        texts << series->name();
    for (const QAbstractAxis *axis : chart->axes())
        texts << axis->titleText();
    return texts;
}

QStringList chinese(const QStringList &texts)
{
    QStringList found;
    for (const QString &text : texts)
        if (containsChinese(text))
            found << text;
    return found;
}

class BeamWindowEnglishTest : public BeamViewFixture
{
protected:
    void SetUp() override
    {
        BeamViewFixture::SetUp();
        usePdfPrinter();
    }

    // A window as it is shown: laid out, its queued work done.
    static void settle(QWidget *window)
    {
        if (window->layout())
            window->layout()->activate();
        QApplication::processEvents();
    }

    static void expectEnglishAndFitting(QWidget *window)
    {
        settle(window);
        QStringList left = chineseTexts(window);
        // The false-colour menu is the window platform's own and speaks English with it.
        if (const auto *beam = qobject_cast<const BeamWindow *>(window))
            for (const QString &text : chineseTexts(beam->falseColourMenu()))
                left.removeAll(text);
        EXPECT_TRUE(left.isEmpty()) << qPrintable(left.join(u'\n'));
        const QStringList cut = testing::cutTexts(window);
        EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));
    }
};

TEST_F(BeamWindowEnglishTest, EveryStateOfTheWindowAndTheCalibrationDialogSpeaksEnglishAndFits)
{
    const EnglishInterface english;
    struct Case
    {
        const char *name;
        std::function<QWidget *()> open;
    };
    const std::vector<Case> cases{
        {"a calibrated beam with every mark and width",
         [this]() -> QWidget * {
             EXPECT_TRUE(saveCalibration({5.5, 1.0}, context->calibrationFile));
             openFrame(offCentreEllipse());
             BeamWindow *window = openBeamWindow();
             for (const char *key : {"rectangle", "d86", "gaussian"})
                 window->shapeSwitch(QString::fromLatin1(key))->setChecked(true);
             window->methodChoice()->setCurrentIndex(1);
             return window;
         }},
        {"a saturated beam with a dark frame of another size",
         [this]() -> QWidget * {
             Scene hot = offCentreEllipse();
             hot.spots[0].peak = 400;
             openFrame(hot, QStringLiteral("hot.png"));
             BeamWindow *window = openBeamWindow();
             const QString small = path(QStringLiteral("small-dark.png"));
             EXPECT_TRUE(QImage(32, 24, QImage::Format_Grayscale8).save(small));
             dialogs.fileAnswers.push_back(small);
             window->takeDarkFromFile();
             EXPECT_TRUE(window->saturationLabel()->isVisibleTo(window));
             EXPECT_FALSE(window->darkLabel()->text().isEmpty());
             return window;
         }},
        {"a frame without a beam",
         [this]() -> QWidget * {
             Scene dark;
             dark.noise = 2;
             dark.spots.clear();
             openFrame(dark, QStringLiteral("dark.png"));
             BeamWindow *window = openBeamWindow();
             EXPECT_TRUE(window->statusLabel()->isVisibleTo(window));
             return window;
         }},
        {"nothing to measure",
         [this]() -> QWidget * {
             BeamWindow *window = BeamWindow::showWindow(*context);
             EXPECT_FALSE(window->statusLabel()->text().isEmpty());
             return window;
         }},
        {"the calibration dialog after a drag too short",
         [this]() -> QWidget * {
             openFrame(offCentreEllipse());
             context->openCalibrationDialog();
             CalibrationDialog *dialog = CalibrationDialog::instance(*context);
             dialog->knownLengthEdit()->setText(QStringLiteral("100"));
             dialog->distancePicked(0.2);
             return dialog;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QWidget *window = c.open();
        ASSERT_NE(window, nullptr);
        expectEnglishAndFitting(window);
        if (auto *beam = qobject_cast<BeamWindow *>(window)) {
            for (const ProfileChart *chart : {beam->majorProfile(), beam->minorProfile()}) {
                const QStringList left = chinese(chartTexts(chart));
                EXPECT_TRUE(left.isEmpty()) << qPrintable(left.join(u'\n'));
            }
            EXPECT_EQ(beam->windowTitle(), QStringLiteral("Beam Parameters"));
        }
        closeAllWindows();
    }
}

TEST_F(BeamWindowEnglishTest, CopiedLoggedAndPrintedTextsAreEnglish)
{
    const EnglishInterface english;
    ASSERT_TRUE(saveCalibration({5.5, 1.0}, context->calibrationFile));
    openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    ASSERT_TRUE(window->result().has_value());

    // The columns a log can take, as the copy gives them.
    EXPECT_TRUE(window->allColumns().contains(QStringLiteral("Knife-edge x (px)")));
    EXPECT_TRUE(window->allColumns().contains(QStringLiteral("D4σ major (µm)")));
    window->copyValues();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("File\tStatus\tCentroid x (px)"))) << qPrintable(copied);
    EXPECT_FALSE(containsChinese(copied)) << qPrintable(copied);
    ASSERT_FALSE(mainWindow.statuses.isEmpty());
    EXPECT_EQ(mainWindow.statuses.last(), QStringLiteral("Copied to the clipboard"));

    const QString csv = path(QStringLiteral("beam-log.csv"));
    dialogs.fileAnswers.push_back(csv);
    window->exportRow();
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].title, QStringLiteral("Beam parameter log file"));
    QFile log(csv);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(written.contains(QStringLiteral("Time,File,Status,"))) << qPrintable(written);
    EXPECT_FALSE(containsChinese(written)) << qPrintable(written);

    // A command that cannot be carried out says why in English.
    EXPECT_FALSE(window->setRecording(true));
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.last().title, QStringLiteral("Note"));
    EXPECT_FALSE(containsChinese(dialogs.messages.last().text)) << qPrintable(dialogs.messages.last().text);

    // The printed page: named and written in English.
    ASSERT_EQ(window->printReport().result, PrintOutcome::Result::SavedToFile);
    const QStringList files = QDir(path(QStringLiteral("reports"))).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("Beam measurement report beam.png")))
        << qPrintable(files[0]);
    EXPECT_TRUE(mainWindow.statuses.last().startsWith(QStringLiteral("Report saved as PDF: ")));
    const QString pdf = path(QStringLiteral("reports/") + files[0]);
    QString text;
    for (const testing::PdfWord &word : testing::pdfWords(pdf))
        text += word.text + u' ';
    EXPECT_FALSE(hasIdeographs(text)) << qPrintable(text);
    for (const char *expected : {"Results", "Knife-edge", "Calibration", "Integration", "Methods:", "Marks:"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;

    // Without a printer the page is refused, and the warning says so.
    services.printer = nullptr;
    EXPECT_EQ(window->printReport().result, PrintOutcome::Result::Failed);
    EXPECT_EQ(dialogs.messages.last().title, QStringLiteral("Warning"));
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("Printing failed: No printer available"));
}

} // namespace
} // namespace lumetra::test
