// The M² window in English: the window, its frame and result tables, the chart, the exported
// workbook and the printed report carry no Chinese, and the controls' captions fit.
#include "MeasuredFrames.h"

#include "analysis/AnalysisState.h"
#include "caustic/CausticChart.h"
#include "caustic/CausticFrameModel.h"
#include "caustic/CausticResultsTable.h"
#include "caustic/CausticWindow.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/AppContext.h"
#include "platform/printing/ScriptedPrinter.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "support/CausticOracle.h"
#include "support/EnglishInterface.h"
#include "support/TextChecks.h"
#include "support/TextFits.h"
#include "support/WidgetTexts.h"
#include "types/ProgressWindows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QAbstractSeries>

#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;

namespace {

class EnglishCaustic : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(CausticWindow::settingsPath());
        services.dialogs = &dialogs;
        services.workbook = &workbook;
        services.printer = &printer;
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("reports")));
    }
    void TearDown() override
    {
        delete CausticWindow::instance();
        QFile::remove(CausticWindow::settingsPath());
    }

    // Frames at the given z (in Rayleigh ranges from the waist), named "f-<z>mm.png", then one
    // without a beam.
    QStringList frames(std::initializer_list<double> offsets)
    {
        QStringList paths;
        test::CausticFrameSpec spec;
        for (const double offset : offsets) {
            const double z = std::round((major.z0Mm + offset * major.zrMm()) * 10) / 10;
            paths << dir.filePath(QStringLiteral("f-%1mm.png").arg(z));
            spec.seed = unsigned(z * 10);
            EXPECT_TRUE(test::writeCausticFrame(paths.back(), major, minor, z, spec));
        }
        paths << dir.filePath(QStringLiteral("dark.png"));
        EXPECT_TRUE(test::writeDarkFrame(paths.back(), spec));
        return paths;
    }

    // Every text the window shows beyond its widgets: the progress bar, the chart and its legend.
    static QStringList chartAndProgressTexts(const CausticWindow &w)
    {
        QStringList texts{w.progress()->text(), w.chart()->title()};
        texts << w.chart()->fitLabels();
        for (const QAbstractSeries *series : w.chart()->series())
            texts << series->name();
        for (const QAbstractAxis *axis : w.chart()->axes())
            texts << axis->titleText();
        return texts;
    }

    static QStringList chinese(const QStringList &texts)
    {
        QStringList found;
        for (const QString &t : texts)
            if (test::containsChinese(t))
                found << t;
        return found;
    }

    QTemporaryDir home, dir;
    const test::KnownCaustic major{1.5, 1064, 300, 150};
    const test::KnownCaustic minor{1.2, 1064, 240, 150};
    ScriptedDialogs dialogs;
    ScriptedWorkbookService workbook;
    ScriptedPrinter printer{dir.filePath(QStringLiteral("reports"))};
    Services services;
    SilentProgress progress;
    AppContext context{services, progress, nullptr, nullptr, {}, {}};
};

TEST_F(EnglishCaustic, WindowChartWorkbookAndReportSpeakEnglish)
{
    const test::EnglishInterface english; // before the window
    CausticWindow *w = CausticWindow::showWindow(context);
    ASSERT_NE(w, nullptr);
    w->wavelength()->setValue(1064);
    w->pixelSize()->setValue(10);
    EXPECT_EQ(w->progress()->text(), QStringLiteral("No frames added yet"));

    // Two frames cannot be fitted, eleven through the waist can; the eleven again on the
    // principal axes.
    struct Case
    {
        const char *name;
        std::initializer_list<double> offsets;
        int axes;
    };
    const Case cases[] = {
        {"two frames, no fit", {-1.0, 1.0}, 0},
        {"a caustic through the waist", {-3.0, -2.6, -2.2, -0.9, -0.45, 0, 0.45, 0.9, 2.2, 2.6, 3.0}, 0},
        {"the same on the principal axes", {-3.0, -2.6, -2.2, -0.9, -0.45, 0, 0.45, 0.9, 2.2, 2.6, 3.0}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w->clearFrames_Click();
        w->axes()->setCurrentIndex(c.axes);
        w->addFrames(frames(c.offsets));
        ASSERT_TRUE(test::waitUntilMeasured(*w));
        const QStringList widgets = test::chineseTexts(w);
        EXPECT_TRUE(widgets.isEmpty()) << qPrintable(widgets.join(u'\n'));
        const QStringList others = chinese(chartAndProgressTexts(*w));
        EXPECT_TRUE(others.isEmpty()) << qPrintable(others.join(u'\n'));
    }
    EXPECT_EQ(w->results()->resultText(CausticResultsTable::Iso, 0).isEmpty(), false);
    const QStringList cut = test::cutTexts(w);
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));

    // The workbook: every caption in English.
    dialogs.fileAnswers = {dir.filePath(QStringLiteral("caustic.xlsx"))};
    w->exportTable_Click();
    ASSERT_EQ(workbook.sheets.size(), 1u);
    QStringList cells;
    for (const WorkbookCell &cell : workbook.sheets.front().cells())
        cells << cell.text();
    EXPECT_TRUE(cells.contains(QStringLiteral("Wavelength (nm)")));
    EXPECT_TRUE(chinese(cells).isEmpty()) << qPrintable(chinese(cells).join(u'\n'));
    for (const auto &request : dialogs.saveRequests)
        EXPECT_FALSE(test::containsChinese(request.title + request.filter)) << qPrintable(request.filter);

    // The report, read back from its PDF.
    w->findChild<QPushButton *>(QStringLiteral("report"))->click();
    const QStringList pdfs = QDir(printer.directory).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QDir(printer.directory).filePath(pdfs[0]), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString report = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(report.contains(QStringLiteral("M² caustic measurement report"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Dark frame: Not used"))) << report.toStdString();
    const QStringList inReport = chinese(report.split(u'\n'));
    EXPECT_TRUE(inReport.isEmpty()) << qPrintable(inReport.join(u'\n'));
}

} // namespace
