#include "caustic/CausticWindow.h"

#include "analysis/caustic/Wavelength.h"
#include "caustic/CausticAxisResult.h"
#include "caustic/CausticChart.h"
#include "caustic/CausticFrameModel.h"
#include "caustic/CausticPlotFile.h"
#include "caustic/CausticReport.h"
#include "caustic/CausticResultsTable.h"
#include "caustic/CausticWorkbook.h"
#include "caustic/FrameMeasureQueue.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/printing/PrinterService.h"
#include "platform/settings/ConfigIniFile.h"
#include "platform/dialogs/SaveTarget.h"
#include "platform/framefiles/PicturePatterns.h"
#include "platform/workbook/WorkbookService.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

namespace lumetra {

QPointer<CausticWindow> CausticWindow::s_instance;

namespace {

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

CausticWindow *CausticWindow::instance()
{
    return s_instance;
}

CausticWindow *CausticWindow::showWindow(AppContext &context)
{
    if (!s_instance)
        s_instance = new CausticWindow(context);
    showChildWindow(context, s_instance);
    return s_instance;
}

void CausticWindow::openOnTrigger(QAction *command, AppContext &context)
{
    QObject::connect(command, &QAction::triggered, command, [&context] { showWindow(context); });
}

QString CausticWindow::settingsPath()
{
    return ConfigIniFile::inConfigFolder(QStringLiteral("caustic.ini"));
}

CausticWindow::CausticWindow(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("CausticWindow"));
    setWindowTitle(tr("M² 焦散测量"));
    setAcceptDrops(true);
    resize(1300, 760);

    m_model = new CausticFrameModel(this);
    m_queue = new FrameMeasureQueue(
        [this](int id, const beam::BeamFileResult &result) { m_model->setMeasured(id, result); }, this);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("frameTable"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(22);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setFormat(tr("尚未添加帧"));

    m_chart = new CausticChart;
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(480, 340);

    m_results = new CausticResultsTable(this);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    m_warnings = new QLabel(this);
    m_warnings->setObjectName(QStringLiteral("warnings"));
    m_warnings->setWordWrap(true);
    m_warnings->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0); font-weight: bold;"));

    m_excludeWarned = new QCheckBox(tr("排除有警告的帧"), this);
    m_excludeWarned->setObjectName(QStringLiteral("excludeWarned"));

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_table, 3);
    leftLayout->addWidget(m_excludeWarned);
    leftLayout->addWidget(m_progress);
    leftLayout->addWidget(m_results, 2);
    leftLayout->addWidget(m_warnings);
    leftLayout->addWidget(m_note);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(m_chartView);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({520, 780});
    // The table with its results and the chart stay readable side by side at the smallest size.
    left->setMinimumWidth(340);
    m_table->setMinimumHeight(110);
    m_results->setMinimumHeight(120);
    splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildControls());
    layout->addWidget(splitter, 1);

    restoreSettings();
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CausticWindow::refresh);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CausticWindow::refresh);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CausticWindow::refresh);
    const auto settingChanged = [this] {
        m_model->setPixelSizeUm(m_pixelSize->value());
        m_model->setExcludeWarned(m_excludeWarned->isChecked());
        rememberSettings();
        refresh();
    };
    connect(m_wavelength, &QDoubleSpinBox::valueChanged, this, settingChanged);
    connect(m_pixelSize, &QDoubleSpinBox::valueChanged, this, settingChanged);
    connect(m_axes, &QComboBox::currentIndexChanged, this, settingChanged);
    connect(m_excludeWarned, &QCheckBox::toggled, this, settingChanged);
    m_model->setPixelSizeUm(m_pixelSize->value());
    m_model->setExcludeWarned(m_excludeWarned->isChecked());
    refresh();
}

CausticWindow::~CausticWindow() = default;

QWidget *CausticWindow::buildControls()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    QPushButton *add = button(tr("添加帧…"), "addFrames", bar);
    QPushButton *clear = button(tr("清除"), "clearFrames", bar);
    QPushButton *exportTable = button(tr("导出表格…"), "exportTable", bar);
    QPushButton *exportPlot = button(tr("导出图…"), "exportPlot", bar);
    QPushButton *report = button(tr("报告…"), "report", bar);
    connect(add, &QPushButton::clicked, this, &CausticWindow::addFrames_Click);
    connect(clear, &QPushButton::clicked, this, &CausticWindow::clearFrames_Click);
    connect(exportTable, &QPushButton::clicked, this, &CausticWindow::exportTable_Click);
    connect(exportPlot, &QPushButton::clicked, this, &CausticWindow::exportPlot_Click);
    connect(report, &QPushButton::clicked, this, [this] { printReport(); });

    m_wavelength = new QDoubleSpinBox(bar);
    m_wavelength->setObjectName(QStringLiteral("wavelength"));
    // A number outside is a wavelength in another unit (1.064 meant as µm): the box refuses it.
    m_wavelength->setRange(beam::MinimumWavelengthNm, beam::MaximumWavelengthNm);
    m_wavelength->setDecimals(1);
    m_wavelength->setSuffix(QStringLiteral(" nm"));
    m_wavelength->setToolTip(tr("波长以纳米为单位：150 – 20000 nm"));
    m_pixelSize = new QDoubleSpinBox(bar);
    m_pixelSize->setObjectName(QStringLiteral("pixelSize"));
    m_pixelSize->setRange(0.01, 1000);
    m_pixelSize->setDecimals(3);
    m_pixelSize->setSuffix(QStringLiteral(" µm"));
    m_axes = new QComboBox(bar);
    m_axes->setObjectName(QStringLiteral("axes"));
    m_axes->addItems({tr("x / y (水平 / 垂直)"), tr("长轴 / 短轴")});

    row->addWidget(add);
    row->addWidget(clear);
    row->addSpacing(16);
    row->addWidget(new QLabel(tr("波长:"), bar));
    row->addWidget(m_wavelength);
    row->addWidget(new QLabel(tr("像素尺寸:"), bar));
    row->addWidget(m_pixelSize);
    row->addWidget(new QLabel(tr("轴:"), bar));
    row->addWidget(m_axes);
    row->addStretch(1);
    row->addWidget(exportTable);
    row->addWidget(exportPlot);
    row->addWidget(report);
    return bar;
}

void CausticWindow::restoreSettings()
{
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    m_wavelength->setValue(settings.value(QStringLiteral("m2/wavelength_nm"), 632.8).toDouble());
    m_pixelSize->setValue(settings.value(QStringLiteral("m2/pixel_size_um"), 5.2).toDouble());
    m_axes->setCurrentIndex(settings.value(QStringLiteral("m2/principal_axes"), false).toBool() ? 1 : 0);
    m_excludeWarned->setChecked(settings.value(QStringLiteral("m2/exclude_warned"), false).toBool());
}

void CausticWindow::rememberSettings() const
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("m2/wavelength_nm"), m_wavelength->value());
    settings.setValue(QStringLiteral("m2/pixel_size_um"), m_pixelSize->value());
    settings.setValue(QStringLiteral("m2/principal_axes"), m_axes->currentIndex() == 1);
    settings.setValue(QStringLiteral("m2/exclude_warned"), m_excludeWarned->isChecked());
}

beam::CausticSeries CausticWindow::currentSeries() const
{
    return m_model->series(m_wavelength->value(), m_axes->currentIndex() == 1);
}

bool CausticWindow::measuring() const
{
    return m_queue->busy();
}

void CausticWindow::refresh()
{
    const beam::CausticSeries series = currentSeries();
    m_chart->setSeries(series);
    const std::vector<CausticAxisResult> results = fitCausticAxes(series);
    m_results->showResults(results);
    QStringList warnings;
    for (const CausticAxisResult &r : results)
        if (r.fit.ok())
            for (const QString &text : causticWarningTexts(*r.fit.fit))
                warnings << tr("%1：%2").arg(r.name, text);
    m_warnings->setText(warnings.join(u'\n'));
    m_warnings->setVisible(!warnings.isEmpty());
    QStringList notes;
    if (const int withoutZ = m_model->framesWithoutZ(); withoutZ > 0)
        notes << tr("%1 帧没有 z 位置, 未参与拟合 (在表中输入 z)").arg(withoutZ);
    if (const int warned = m_model->framesWithWarnings(); warned > 0)
        notes << (m_model->excludeWarned()
                      ? tr("%1 帧的光束测量有警告, 未参与拟合").arg(warned)
                      : tr("%1 帧的光束测量有警告, 参与了拟合 (可勾选“排除有警告的帧”)").arg(warned));
    m_note->setText(notes.join(u'\n'));
    updateProgress();
}

void CausticWindow::updateProgress()
{
    m_progress->setRange(0, std::max(1, m_model->rowCount()));
    m_progress->setValue(m_model->measuredCount());
    // An empty list has nothing measured and nothing to measure.
    m_progress->setFormat(m_model->rowCount() == 0 ? tr("尚未添加帧") : tr("已测量 %v / %m 帧"));
}

void CausticWindow::addFrames(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const QList<int> ids = m_model->addFrames(paths);
    m_queue->measure(ids, paths);
}

void CausticWindow::addFrames_Click()
{
    Dialogs::FileRequest request;
    request.title = tr("添加帧");
    request.filter = allPicturesFilter() + tr("|所有文件|*");
    if (const std::optional<QStringList> chosen = m_context.services.dialogs->openFiles(this, request))
        addFrames(*chosen);
}

void CausticWindow::clearFrames_Click()
{
    m_model->clear();
}

std::optional<QString> CausticWindow::askSavePath(const QString &title, const QString &filter, const QString &suffix)
{
    Dialogs::FileRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultSuffix = suffix;
    return askSaveTarget(*m_context.services.dialogs, this, request);
}

void CausticWindow::reportSaveFailure(const QString &reason)
{
    m_context.services.dialogs->message(this, tr("文件保存不成功!\n%1").arg(reason), tr("提示"),
                                        Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
}

void CausticWindow::exportTable_Click()
{
    const std::optional<QString> path =
        askSavePath(tr("导出表格"), tr("Excel 工作簿(*.xlsx)|*.xlsx"), QStringLiteral("xlsx"));
    if (!path)
        return;
    const beam::CausticSeries series = currentSeries();
    const WorkbookSheet sheet = causticWorkbook(*m_model, fitCausticAxes(series), series.wavelengthNm);
    QString error;
    WorkbookService *workbook = m_context.services.workbook;
    if (!workbook)
        reportSaveFailure(tr("没有工作簿服务"));
    else if (!workbook->save(sheet, *path, &error))
        reportSaveFailure(error);
    else
        announceSaved(m_context, *path);
}

void CausticWindow::exportPlot_Click()
{
    const std::optional<QString> path =
        askSavePath(tr("导出图"), tr("PNG 图像(*.png)|*.png|PDF 文件(*.pdf)|*.pdf"), QStringLiteral("png"));
    if (!path)
        return;
    // The plot writer's reason is for the command line; the window says it in its own words.
    if (!saveCausticPlot(currentSeries(), *path, nullptr))
        reportSaveFailure(tr("无法写入 %1").arg(QDir::toNativeSeparators(*path)));
    else
        announceSaved(m_context, *path);
}

PrintOutcome CausticWindow::printReport()
{
    PrintOutcome outcome = PrintOutcome::failed(tr("没有可用的打印机"));
    if (PrinterService *printer = m_context.services.printer) {
        CausticReportContent content;
        content.when = QDateTime::currentDateTime();
        content.pixelSizeUm = m_pixelSize->value();
        content.principalAxes = m_axes->currentIndex() == 1;
        content.frames = m_model;
        content.series = currentSeries();
        content.results = fitCausticAxes(content.series);
        content.note = m_note->text();
        outcome = printCausticReport(*printer, content);
    }
    if (outcome.result == PrintOutcome::Result::SavedToFile)
        announceSaved(m_context, outcome.filePath, tr("报告已保存为 PDF："));
    else if (outcome.result == PrintOutcome::Result::Failed)
        m_context.services.dialogs->message(this, outcome.note(), tr("提示"), Dialogs::Buttons::Ok,
                                            Dialogs::Icon::Warning);
    return outcome;
}

void CausticWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CausticWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    addFrames(paths);
    event->acceptProposedAction();
}

} // namespace lumetra
