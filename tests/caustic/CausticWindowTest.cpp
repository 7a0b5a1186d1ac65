// The M² window driven as an operator would: frames chosen in the file dialog (scripted),
// measured in the background, z edited, axes switched, table and plot exported.
#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "caustic/CausticChart.h"
#include "caustic/CausticFrameModel.h"
#include "caustic/CausticResultsTable.h"
#include "caustic/CausticWindow.h"
#include "platform/ports/AppContext.h"
#include "platform/printing/ReportSheet.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/printing/ScriptedPrinter.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "support/CausticOracle.h"
#include "support/WorkbookReader.h"
#include "reports/PdfInspection.h"
#include "MeasuredFrames.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QtCharts/QValueAxis>
#include <QtTest/QTest>

using namespace lumetra;
using lumetra::test::KnownCaustic;

namespace {

constexpr double PixelUm = 10;

class CausticWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The window remembers its settings in the user's configuration folder: each test process
        // gets a home of its own, so that tests running side by side do not read each other's.
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(CausticWindow::settingsPath());
        services.dialogs = &dialogs;
        services.workbook = &workbook;
    }
    QTemporaryDir home;
    void TearDown() override
    {
        if (CausticWindow *w = CausticWindow::instance())
            delete w;
        QFile::remove(CausticWindow::settingsPath());
    }

    // Eleven frames through the focus named "t-<z>mm.png", then one whose name has no z (taken at
    // the waist) and one without a beam.
    QStringList writeFrames()
    {
        QStringList paths;
        const double offsets[] = {-3.0, -2.6, -2.2, -0.9, -0.45, 0, 0.45, 0.9, 2.2, 2.6, 3.0};
        for (double offset : offsets)
            paths << frame(QStringLiteral("t-%1mm.png"), std::round((major.z0Mm + offset * major.zrMm()) * 10) / 10);
        paths << frame(QStringLiteral("extra.png"), major.z0Mm);
        paths << dir.filePath(QStringLiteral("dark.png"));
        EXPECT_TRUE(lumetra::test::writeDarkFrame(paths.back(), {}));
        return paths;
    }

    QString frame(const QString &pattern, double zMm, double peak = 0.6, double smear = 0)
    {
        lumetra::test::CausticFrameSpec spec;
        spec.pixelUm = PixelUm;
        spec.tiltDeg = 20;
        spec.seed = unsigned(zMm * 10);
        spec.peak = peak;
        spec.smear = smear;
        const QString path = dir.filePath(pattern.contains(QLatin1String("%1")) ? pattern.arg(zMm) : pattern);
        EXPECT_TRUE(lumetra::test::writeCausticFrame(path, major, minor, zMm, spec));
        return path;
    }

    CausticWindow &openWindow()
    {
        CausticWindow *w = CausticWindow::showWindow(context);
        w->wavelength()->setValue(1064);
        w->pixelSize()->setValue(PixelUm);
        return *w;
    }

    static bool waitUntilMeasured(CausticWindow &w) { return lumetra::test::waitUntilMeasured(w); }

    QTemporaryDir dir;
    const KnownCaustic major{1.5, 1064, 300, 150};
    const KnownCaustic minor{1.2, 1064, 240, 150};
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    ScriptedWorkbookService workbook;
    Services services;
    SilentProgress progress;
    AppContext context{services, progress, nullptr, nullptr, {}, {}};
};

// Text with its blanks out, Kangxi radicals and full-width signs read as the characters (see the
// beam report's test).
QString compact(QString s)
{
    return s.remove(QRegularExpression(QStringLiteral("\\s"))).normalized(QString::NormalizationForm_KC);
}

// The figure of a result cell without its standard error ("1.31" of "1.31 ± 0.04").
double resultNumber(const CausticWindow &w, int row, int axis)
{
    return w.results()->resultText(row, axis).section(QStringLiteral(" ± "), 0, 0).toDouble();
}

} // namespace

TEST_F(CausticWindowTest, MeasuresAScriptedSeriesAndFitsAsRowsChange)
{
    CausticWindow &w = openWindow();
    const QStringList frames = writeFrames();
    dialogs.filesAnswers.push_back(frames);
    w.addFrames_Click();
    ASSERT_EQ(dialogs.openRequests.size(), 1);
    CausticFrameModel &model = w.frameModel();
    ASSERT_EQ(model.rowCount(), 13);
    EXPECT_EQ(model.cellText(0, CausticFrameModel::ZColumn), QStringLiteral("%1").arg(model.frames()[0].zMm.value()));
    EXPECT_EQ(model.cellText(11, CausticFrameModel::ZColumn), QString());
    ASSERT_TRUE(waitUntilMeasured(w));

    EXPECT_EQ(model.cellText(0, CausticFrameModel::StatusColumn), QStringLiteral("完成"));
    EXPECT_EQ(model.cellText(11, CausticFrameModel::StatusColumn), QStringLiteral("完成, 缺少 z"));
    EXPECT_EQ(model.cellText(12, CausticFrameModel::StatusColumn), QStringLiteral("无光束"));
    EXPECT_EQ(w.progress()->value(), 13);
    EXPECT_EQ(w.progress()->maximum(), 13);
    // The waist frame in micrometres at the chosen pixel size.
    EXPECT_NEAR(model.cellText(5, CausticFrameModel::DMajorColumn).toDouble(), major.d0Um, 0.03 * major.d0Um);
    EXPECT_TRUE(w.note()->text().startsWith(QStringLiteral("1 帧没有 z 位置")));

    // Lab axes of a beam turned by 20 degrees: the fit runs on 11 frames and meets ISO.
    EXPECT_EQ(resultNumber(w, CausticResultsTable::Points, 0), 11);
    EXPECT_EQ(w.results()->resultText(CausticResultsTable::Iso, 0), QStringLiteral("符合 ISO 11146-1"));

    // The frame without z gets one typed into the table: the fit takes it at once.
    ASSERT_TRUE(model.setData(model.index(11, CausticFrameModel::ZColumn), QStringLiteral("150"), Qt::EditRole));
    EXPECT_EQ(resultNumber(w, CausticResultsTable::Points, 0), 12);
    EXPECT_TRUE(w.note()->text().isEmpty());
    EXPECT_FALSE(model.setData(model.index(11, CausticFrameModel::ZColumn), QStringLiteral("near"), Qt::EditRole));

    // The principal axes carry the two true caustics.
    w.axes()->setCurrentIndex(1);
    EXPECT_EQ(w.results()->horizontalHeaderItem(0)->text(), QStringLiteral("长轴"));
    EXPECT_NEAR(resultNumber(w, CausticResultsTable::M2, 0), major.m2, 0.05 * major.m2);
    EXPECT_NEAR(resultNumber(w, CausticResultsTable::M2, 1), minor.m2, 0.05 * minor.m2);
    EXPECT_NEAR(resultNumber(w, CausticResultsTable::Z0, 0), major.z0Mm, 0.02 * major.zrMm());
    ASSERT_EQ(w.chart()->fitLabels().size(), 2);
    EXPECT_EQ(w.chart()->fitLabels()[0],
              QStringLiteral("长轴 拟合 M² = %1").arg(w.results()->resultText(CausticResultsTable::M2, 0)));

    // A different pixel size scales every diameter, not M²'s ratio to the divergence.
    const double d0 = resultNumber(w, CausticResultsTable::D0, 0);
    w.pixelSize()->setValue(2 * PixelUm);
    EXPECT_NEAR(resultNumber(w, CausticResultsTable::D0, 0), 2 * d0, 0.01 * d0); // both texts rounded
}

TEST_F(CausticWindowTest, ExportsTableAndPlotAndRemembersFields)
{
    CausticWindow &w = openWindow();
    const QStringList frames = writeFrames();
    // Dropped files arrive like chosen ones.
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &f : frames.mid(0, 11))
        urls << QUrl::fromLocalFile(f);
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &drop);
    ASSERT_EQ(w.frameModel().rowCount(), 11);
    ASSERT_TRUE(waitUntilMeasured(w));

    const QString xlsx = dir.filePath(QStringLiteral("caustic.xlsx"));
    dialogs.fileAnswers.push_back(xlsx);
    w.exportTable_Click();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.first().text.toStdString();
    const lumetra::test::WorkbookContents book = lumetra::test::readWorkbook(xlsx);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(book.cell(QStringLiteral("B2")).toDouble(), 1064);
    EXPECT_EQ(book.cell(QStringLiteral("B3")).toDouble(), PixelUm);
    EXPECT_EQ(book.cell(QStringLiteral("A5")).toString(), QStringLiteral("文件"));
    EXPECT_EQ(book.cell(QStringLiteral("A6")).toString(), frames[0]);
    EXPECT_EQ(book.cell(QStringLiteral("B6")).toDouble(), w.frameModel().frames()[0].zMm.value());
    // Results below the 11 frames: title row 18, M² in row 23, the ISO check in row 28.
    EXPECT_EQ(book.cell(QStringLiteral("A23")).toString(), QStringLiteral("M²"));
    const beam::CausticFitResult fit = beam::fitCaustic(w.currentSeries().axes[0].points, 1064);
    ASSERT_TRUE(fit.ok());
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("B23")).toDouble(), fit.fit->m2);
    // The standard errors beside the figures of both axes.
    EXPECT_EQ(book.cell(QStringLiteral("D18")).toString(), QStringLiteral("x 标准误差"));
    EXPECT_DOUBLE_EQ(book.cell(QStringLiteral("D23")).toDouble(), fit.fit->sd.m2);
    EXPECT_GT(fit.fit->sd.m2, 0);
    EXPECT_EQ(book.cell(QStringLiteral("D24")).toString(), QString());
    EXPECT_EQ(book.cell(QStringLiteral("B28")).toString(), QStringLiteral("符合 ISO 11146-1"));

    const QString png = dir.filePath(QStringLiteral("caustic.png"));
    dialogs.fileAnswers.push_back(png);
    w.exportPlot_Click();
    EXPECT_EQ(QImage(png).size(), QSize(1000, 650));
    const QString pdf = dir.filePath(QStringLiteral("caustic.pdf"));
    dialogs.fileAnswers.push_back(pdf);
    w.exportPlot_Click();
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdfFile.read(5), QByteArray("%PDF-"));

    // An existing file is kept when the operator says No; a file that cannot be written is reported.
    dialogs.fileAnswers.push_back(png);
    dialogs.messageAnswers.push_back(Dialogs::Answer::No);
    const QByteArray before = [&] { QFile f(png); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    w.exportPlot_Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("此文件已存在，是否覆盖?"));
    dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("missing/plot.png")));
    w.exportPlot_Click();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(QStringLiteral("文件保存不成功!")));
    QFile after(png);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);

    // Wavelength, pixel size, axes and the exclusion of warned frames come back in the next window.
    w.axes()->setCurrentIndex(1);
    w.excludeWarned()->setChecked(true);
    delete &w;
    CausticWindow *again = CausticWindow::showWindow(context);
    EXPECT_EQ(again->wavelength()->value(), 1064);
    EXPECT_EQ(again->pixelSize()->value(), PixelUm);
    EXPECT_EQ(again->axes()->currentIndex(), 1);
    EXPECT_TRUE(again->excludeWarned()->isChecked());
    EXPECT_EQ(again->frameModel().rowCount(), 0);
}

// "报告…": the whole measurement on one A4 page, read back from the PDF.
TEST_F(CausticWindowTest, ReportPrintsChartFitIsoCheckAndFramesOnOnePage)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("reports")));
    ScriptedPrinter printer(dir.filePath(QStringLiteral("reports")));
    services.printer = &printer;
    CausticWindow &w = openWindow();
    w.axes()->setCurrentIndex(1);
    w.addFrames(writeFrames());
    ASSERT_TRUE(waitUntilMeasured(w));
    QPushButton *report = w.findChild<QPushButton *>(QStringLiteral("report"));
    ASSERT_NE(report, nullptr);
    report->click();

    const QStringList files = QDir(printer.directory).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(files.size(), 1);
    const QString pdf = QDir(printer.directory).filePath(files[0]);
    EXPECT_EQ(lumetra::testing::pdfPageCount(pdf), 1);
    const auto tool = [](const QString &program, const QStringList &args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    EXPECT_TRUE(tool(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("(A4)")));
    for (const QString &font : tool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2))
        EXPECT_TRUE(font.contains(QRegularExpression(QStringLiteral("\\syes\\s+(yes|no)\\s+(yes|no)\\s")))) << qPrintable(font);
    const QString text = compact(tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
    if (qEnvironmentVariableIsSet("LUMETRA_SCREENSHOT_DIR"))
        lumetra::testing::renderPdf(pdf, 110).save(
            QDir(qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR")).filePath(QStringLiteral("caustic-report.png")));
    QStringList expected{QStringLiteral("M² 焦散测量报告"), QStringLiteral("1064.0 nm"), QStringLiteral("10.000 µm"),
                         QStringLiteral("13 帧，11 帧参与拟合"), QStringLiteral("条纹校正：无"), ReportSheet::program(),
                         w.note()->text(), QStringLiteral("extra.png"), QStringLiteral("无光束")};
    for (int axis = 0; axis < 2; ++axis) {
        for (const int row : {CausticResultsTable::D0, CausticResultsTable::M2, CausticResultsTable::Zr})
            expected << w.results()->resultText(row, axis);
        expected << w.results()->resultText(CausticResultsTable::Iso, axis);
    }
    for (const CausticFrame &frame : w.frameModel().frames()) // every frame is listed
        expected << QFileInfo(frame.path).fileName();
    for (const QString &e : expected)
        EXPECT_TRUE(text.contains(compact(e))) << qPrintable(e);
    // The chart under the settings: its curves, points and labels are ink.
    const QImage page = lumetra::testing::renderPdf(pdf, 60);
    EXPECT_GT(lumetra::testing::inkCount(page, QRect(0, int(page.height() * 0.12), page.width(), int(page.height() * 0.3))), 1500);
}

TEST_F(CausticWindowTest, ImpossibleFitsAreWarnedInRedAndEveryMessageIsChinese)
{
    CausticWindow &w = openWindow();
    QStringList frames = writeFrames().mid(0, 11);
    // A wrong pixel size: the frames were taken at 10 µm, the window is told 4 µm.
    w.pixelSize()->setValue(4);
    w.addFrames(frames);
    ASSERT_TRUE(waitUntilMeasured(w));
    EXPECT_LT(resultNumber(w, CausticResultsTable::M2, 0), 1);
    ASSERT_FALSE(w.warnings()->isHidden());
    EXPECT_TRUE(w.warnings()->text().contains(QStringLiteral("x：M² < 1 不符合物理规律：请检查波长和像素尺寸")))
        << w.warnings()->text().toStdString();
    EXPECT_EQ(w.results()->item(CausticResultsTable::M2, 0)->foreground().color(), QColor(220, 0, 0));
    w.pixelSize()->setValue(PixelUm);
    EXPECT_TRUE(w.warnings()->isHidden()) << w.warnings()->text().toStdString();

    // Two frames cannot be fitted: the table and the chart say why in Chinese.
    w.clearFrames_Click();
    w.addFrames(frames.mid(0, 2));
    ASSERT_TRUE(waitUntilMeasured(w));
    const QString why = QStringLiteral("拟合至少需要 3 个点，现有 2 个");
    EXPECT_EQ(w.results()->resultText(CausticResultsTable::Iso, 0), QStringLiteral("无法拟合：") + why);
    ASSERT_EQ(w.chart()->fitLabels().size(), 2);
    EXPECT_EQ(w.chart()->fitLabels()[0], QStringLiteral("x 无拟合：") + why);
    for (const QString &label : w.chart()->fitLabels())
        EXPECT_FALSE(label.contains(QStringLiteral("the "))) << label.toStdString();
}

TEST_F(CausticWindowTest, TheChartShowsAWaistBeyondTheMeasuredFrames)
{
    CausticWindow &w = openWindow();
    // Frames on the far side of the focus only: the waist and its Rayleigh range lie before them.
    QStringList frames;
    for (const double offset : {0.8, 1.2, 1.6, 2.0, 2.4, 2.8, 3.2})
        frames << frame(QStringLiteral("t-%1mm.png"), std::round((major.z0Mm + offset * major.zrMm()) * 10) / 10);
    w.addFrames(frames);
    ASSERT_TRUE(waitUntilMeasured(w));
    const beam::CausticSeries series = w.currentSeries();
    const auto *zAxis = qobject_cast<QValueAxis *>(w.chart()->axes(Qt::Horizontal).first());
    ASSERT_NE(zAxis, nullptr);
    for (const beam::CausticAxis &axis : series.axes) {
        const beam::CausticFitResult fit = beam::fitCaustic(axis.points, 1064);
        ASSERT_TRUE(fit.ok()) << fit.error;
        EXPECT_LT(fit.fit->z0Mm, frames.size() > 0 ? w.frameModel().frames()[0].zMm.value() : 0) << "before the frames";
        EXPECT_LE(zAxis->min(), fit.fit->z0Mm - fit.fit->zrMm);
        EXPECT_GE(zAxis->max(), fit.fit->z0Mm + fit.fit->zrMm);
    }
    EXPECT_TRUE(w.warnings()->text().contains(QStringLiteral("束腰位置在测量范围之外")));
}

TEST_F(CausticWindowTest, FiguresCarryTheirErrorsAndWarnedFramesAreMarkedAndCanBeLeftOut)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("reports")));
    ScriptedPrinter printer(dir.filePath(QStringLiteral("reports")));
    services.printer = &printer;
    CausticWindow &w = openWindow();
    // Eleven frames through the focus: the outermost two saturate, the one at the waist is smeared.
    QStringList frames;
    const double offsets[] = {-3.0, -2.6, -2.2, -0.9, -0.45, 0, 0.45, 0.9, 2.2, 2.6, 3.0};
    for (int i = 0; i < 11; ++i)
        frames << frame(QStringLiteral("t-%1mm.png"), std::round((major.z0Mm + offsets[i] * major.zrMm()) * 10) / 10,
                        i == 0 || i == 10 ? 1.5 : 0.6, i == 5 ? 0.03 : 0);
    w.addFrames(frames);
    ASSERT_TRUE(waitUntilMeasured(w));
    CausticFrameModel &model = w.frameModel();
    const QModelIndex firstStatus = model.index(0, CausticFrameModel::StatusColumn);
    EXPECT_EQ(model.cellText(0, CausticFrameModel::StatusColumn), QStringLiteral("警告：像素饱和"));
    EXPECT_EQ(model.data(firstStatus, Qt::ForegroundRole).value<QColor>(), QColor(220, 0, 0));
    EXPECT_EQ(model.cellText(10, CausticFrameModel::StatusColumn), QStringLiteral("警告：像素饱和"));
    EXPECT_EQ(model.cellText(5, CausticFrameModel::StripeColumn), QStringLiteral("已校正拖尾（列）"));
    EXPECT_EQ(model.cellText(4, CausticFrameModel::StripeColumn), QStringLiteral("无"));
    EXPECT_EQ(model.cellText(4, CausticFrameModel::StatusColumn), QStringLiteral("完成"));
    EXPECT_EQ(resultNumber(w, CausticResultsTable::Points, 0), 11);
    EXPECT_TRUE(w.note()->text().contains(QStringLiteral("2 帧的光束测量有警告, 参与了拟合")));

    // Every fitted figure stands with its standard error: "M² 1.31 ± 0.04".
    const beam::CausticFitResult all = beam::fitCaustic(w.currentSeries().axes[0].points, 1064);
    ASSERT_TRUE(all.ok());
    const QString m2Text = w.results()->resultText(CausticResultsTable::M2, 0);
    const QStringList parts = m2Text.split(QStringLiteral(" ± "));
    ASSERT_EQ(parts.size(), 2) << m2Text.toStdString();
    // Both to the place of the error's first significant digit (its second when that is a 1).
    const qsizetype places = parts[1].section(QLatin1Char('.'), 1).size();
    EXPECT_EQ(parts[0], QString::number(all.fit->m2, 'f', int(places)));
    EXPECT_EQ(parts[1], QString::number(all.fit->sd.m2, 'f', int(places)));
    EXPECT_LE(places, 4) << m2Text.toStdString();
    for (const int row : {CausticResultsTable::D0, CausticResultsTable::Z0, CausticResultsTable::Zr,
                          CausticResultsTable::Theta})
        EXPECT_TRUE(w.results()->resultText(row, 0).contains(QStringLiteral(" ± "))) << row;
    EXPECT_EQ(w.chart()->fitLabels()[0], QStringLiteral("x 拟合 M² = ") + m2Text);

    // Left out with the switch: still listed, said to be out, and the fit runs on the nine others.
    w.excludeWarned()->setChecked(true);
    EXPECT_EQ(model.cellText(0, CausticFrameModel::StatusColumn), QStringLiteral("警告：像素饱和（未参与拟合）"));
    EXPECT_EQ(resultNumber(w, CausticResultsTable::Points, 0), 9);
    EXPECT_TRUE(w.note()->text().contains(QStringLiteral("2 帧的光束测量有警告, 未参与拟合")));

    // The report states the stripe correction of every frame and the warnings in words.
    w.printReport();
    const QStringList files = QDir(printer.directory).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(files.size(), 1);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QDir(printer.directory).filePath(files[0]), QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    const QString text = compact(QString::fromUtf8(pdftotext.readAllStandardOutput()));
    EXPECT_TRUE(text.contains(compact(QStringLiteral("条纹校正：1 帧已校正")))) << text.toStdString();
    EXPECT_FALSE(text.contains(compact(QStringLiteral("条纹校正：无"))));
    EXPECT_EQ(text.count(compact(QStringLiteral("已校正拖尾（列）"))), 1);
    EXPECT_EQ(text.count(compact(QStringLiteral("警告：像素饱和"))), 2);

    // A wavelength typed in micrometres is refused: the box keeps the one it had.
    w.wavelength()->selectAll();
    QTest::keyClicks(w.wavelength(), QStringLiteral("1.064"));
    QTest::keyClick(w.wavelength(), Qt::Key_Return);
    w.wavelength()->clearFocus();
    EXPECT_EQ(w.wavelength()->value(), 1064);
}
