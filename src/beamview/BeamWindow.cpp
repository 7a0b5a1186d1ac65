#include "beamview/BeamWindow.h"

#include "platform/framefiles/PicturePatterns.h"
#include "platform/ports/MainWindowPort.h"
#include "beamview/LabelLookup.h"

#include "beamview/BeamPictureView.h"
#include "beamview/BeamReadout.h"
#include "beamview/BeamReport.h"
#include "beamview/BeamWidthsPanel.h"
#include "beamview/BeamWidthsReadout.h"
#include "platform/logging/AppendFile.h"
#include "beamview/ProfileChart.h"
#include "analysis/AnalysisState.h"
#include "analysis/beam/report/BeamWarningText.h"
#include "platform/ports/CaptureFramePort.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/display/FalseColourMenu.h"
#include "platform/framefiles/FrameFile.h"
#include "surface/PictureSurface.h"
#include "platform/printing/PrinterService.h"
#include "platform/ports/Services.h"
#include "platform/ports/WorkspacePort.h"
#include "platform/ports/CurveViewPort.h"
#include "types/PicturePlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

#include <cmath>
#include <mutex>
#include <stdexcept>

namespace lumetra {

namespace {

const QString WindowKey = QStringLiteral("BeamWindow");

struct ValueRow
{
    const char *key;
    const char *caption;
    double beam::BeamResult::*field;
    int decimals;
    const char *unit;
    bool length; // shown in µm too
};

constexpr ValueRow ValueRows[] = {
    {"centroidX", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "质心 x"), &beam::BeamResult::centroidX, 2, "px",
     true},
    {"centroidY", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "质心 y"), &beam::BeamResult::centroidY, 2, "px",
     true},
    {"dMajor", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "D4σ 长轴"), &beam::BeamResult::dMajor, 2, "px",
     true},
    {"dMinor", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "D4σ 短轴"), &beam::BeamResult::dMinor, 2, "px",
     true},
    {"dX", "D4σ x", &beam::BeamResult::dX, 2, "px", true},
    {"dY", "D4σ y", &beam::BeamResult::dY, 2, "px", true},
    {"phiDeg", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "角度"), &beam::BeamResult::phiDeg, 2, "°", false},
    {"ellipticity", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "椭圆度"), &beam::BeamResult::ellipticity, 4, "",
     false},
    {"peak", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "峰值"), &beam::BeamResult::peak, 1, "", false},
    {"background", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "暗电平"), &beam::BeamResult::background, 2, "",
     false},
    {"backgroundNoise", QT_TRANSLATE_NOOP("lumetra::BeamWindow", "噪声"), &beam::BeamResult::backgroundNoise,
     2, "", false},
};

// Values that exist without a beam: the frame's own statistics.
bool frameStatistic(const QString &key)
{
    return key == QLatin1String("peak") || key == QLatin1String("background") ||
           key == QLatin1String("backgroundNoise") || key == QLatin1String("iterations");
}

} // namespace

// The hand-over from the capture window's worker: the newest live result, taken by the window
// when it gets to it (results that arrive meanwhile replace it).
struct BeamWindow::LiveSlot
{
    beam::BeamOptions options;
    std::optional<beam::BeamFrame> dark;
    std::mutex mutex;
    bool posted = false;
    struct Result
    {
        beam::MeasuredBeam measured;
        BeamPicture picture;
        int width = 0, height = 0, bitDepth = 8;
        double topValue = 255;
        long long frame = 0;
        bool darkFits = false;
    };
    std::optional<Result> latest;
};

BeamWindow *BeamWindow::instance(const AppContext &context)
{
    return context.singleWindow<BeamWindow>(WindowKey);
}

BeamWindow *BeamWindow::showWindow(AppContext &context)
{
    BeamWindow *window = instance(context);
    if (window) {
        showChildWindow(context, window);
    } else {
        window = new BeamWindow(context);
        // Where it hides none of the workspace picture (see showChildWindow).
        showChildWindow(context, window);
    }
    window->measure();
    return window;
}

BeamWindow::BeamWindow(AppContext &context) : m_context(context)
{
    registerSingleWindow(context, this, WindowKey, tr("光束参数"));

    // The readouts scroll on a small screen; the command buttons below them stay in sight.
    auto *outer = new QVBoxLayout(this);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    m_sourceLabel = new QLabel(this);
    m_status = new QLabel(this);
    m_saturation = new QLabel(this);
    m_saturation->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0); font-weight: bold;"));
    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("warnings"));
    m_warning->setStyleSheet(QStringLiteral("color: rgb(200, 100, 0);"));
    m_darkLabel = new QLabel(this);
    m_stripes = new QLabel(this);
    m_stripes->setObjectName(QStringLiteral("stripes"));
    m_stripes->setStyleSheet(QStringLiteral("color: rgb(0, 90, 170);"));
    for (QLabel *label : {m_sourceLabel, m_status, m_saturation, m_warning, m_stripes, m_darkLabel}) {
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto *methodRow = new QHBoxLayout;
    methodRow->addWidget(new QLabel(tr("方法"), this));
    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("method"));
    m_method->addItems({tr("稳健（默认）"), tr("ISO 11146（严格）")});
    m_method->setToolTip(tr("稳健：暗电平按光斑周围拟合的平面扣除；"
                            "ISO 11146：按标准原文，四角暗电平、3 倍直径积分区域迭代"));
    connect(m_method, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_options.method = index == 1 ? beam::BeamMethod::Iso : beam::BeamMethod::Robust;
        measure();
    });
    methodRow->addWidget(m_method, 1);
    m_liveSwitch = new QCheckBox(tr("实时"), this);
    m_liveSwitch->setObjectName(QStringLiteral("live"));
    // A capture window closed while live ends the live measurement, visibly.
    m_liveWatch = new QTimer(this);
    m_liveWatch->setInterval(500);
    connect(m_liveWatch, &QTimer::timeout, this, [this] {
        if (!isLive() || m_context.captureFrames)
            return;
        setLive(false);
        if (m_context.mainWindow)
            m_context.mainWindow->showStatus(tr("采集窗口已关闭：实时测量已停止"));
    });
    m_liveSwitch->setToolTip(tr("测量采集窗口的每一帧（相机原始位深），新帧到达时丢弃未测量的旧帧"));
    connect(m_liveSwitch, &QCheckBox::clicked, this, [this](bool on) { setLive(on); });
    methodRow->addWidget(m_liveSwitch);
    layout->addLayout(methodRow);

    // The beam around its integration area, in false colour; the wheel zooms.
    auto *pictureRow = new QHBoxLayout;
    auto *colourButton = new QToolButton(this);
    colourButton->setText(tr("伪彩色"));
    colourButton->setPopupMode(QToolButton::InstantPopup);
    m_falseColour = new FalseColourMenu(QStringLiteral("beam"), colourButton);
    colourButton->setMenu(m_falseColour);
    pictureRow->addWidget(colourButton);
    m_pictureView = new BeamPictureView(this);
    m_pictureView->setFalseColour(m_falseColour->choice());
    connect(m_falseColour, &FalseColourMenu::choiceChanged, m_pictureView, &BeamPictureView::setFalseColour);
    for (const auto &[caption, factor] : {std::pair{QT_TR_NOOP("放大"), 2.0}, std::pair{QT_TR_NOOP("缩小"), 0.5}, std::pair{QT_TR_NOOP("适合"), 0.0}}) {
        auto *zoom = new QToolButton(this);
        zoom->setText(tr(caption));
        connect(zoom, &QToolButton::clicked, this,
                [this, factor] { m_pictureView->setZoom(factor == 0.0 ? 1.0 : m_pictureView->zoom() * factor); });
        pictureRow->addWidget(zoom);
    }
    pictureRow->addStretch();
    layout->addLayout(pictureRow);
    layout->addWidget(m_pictureView);

    auto *values = new QHBoxLayout;
    auto *grid = new QGridLayout;
    buildValueGrid(grid);
    values->addLayout(grid);
    values->setAlignment(grid, Qt::AlignTop);
    values->addSpacing(12);
    m_widthsPanel = new BeamWidthsPanel(this);
    values->addWidget(m_widthsPanel, 0, Qt::AlignTop);
    layout->addLayout(values);

    auto *switches = new QHBoxLayout;
    for (const auto &[key, caption, on] :
         {std::tuple{"centroid", QT_TR_NOOP("质心"), true}, std::tuple{"ellipse", QT_TR_NOOP("椭圆"), true},
          std::tuple{"rectangle", QT_TR_NOOP("积分区域"), false},
          std::tuple{"d86", QT_TR_NOOP("D86 圆"), false},
          std::tuple{"gaussian", QT_TR_NOOP("高斯椭圆"), false}}) {
        auto *box = new QCheckBox(tr(caption), this);
        box->setChecked(on);
        m_switches.insert(QString::fromLatin1(key), box);
        switches->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { updateOverlay(); });
    }
    layout->addLayout(switches);

    auto *profiles = new QHBoxLayout;
    m_majorProfile = new ProfileChart(tr("长轴剖面"));
    m_minorProfile = new ProfileChart(tr("短轴剖面"));
    for (ProfileChart *chart : {m_majorProfile, m_minorProfile}) {
        auto *view = new QChartView(chart, this);
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(330, 250);
        profiles->addWidget(view);
    }
    layout->addLayout(profiles);

    auto *buttons = new QGridLayout;
    const auto button = [&](const char *caption, int row, int column, auto handler) {
        auto *b = new QPushButton(tr(caption), this);
        connect(b, &QPushButton::clicked, this, handler);
        buttons->addWidget(b, row, column);
        return b;
    };
    button(QT_TR_NOOP("测量"), 0, 0, [this] { measure(); });
    button(QT_TR_NOOP("复制"), 0, 1, [this] { copyValues(); });
    button(QT_TR_NOOP("导出…"), 0, 2, [this] { exportRow(); });
    button(QT_TR_NOOP("切割线过中心"), 1, 0, [this] { cutThroughCentroid(); });
    auto *dark = new QToolButton(this);
    dark->setText(tr("暗场"));
    dark->setPopupMode(QToolButton::InstantPopup);
    dark->setToolButtonStyle(Qt::ToolButtonTextOnly);
    dark->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *darkMenu = new QMenu(dark);
    darkMenu->addAction(tr("采集当前帧（挡住光束）"), this, [this] { takeDarkFromCapture(); });
    darkMenu->addAction(tr("从文件…"), this, [this] { takeDarkFromFile(); });
    darkMenu->addAction(tr("清除暗场"), this, [this] { clearDark(); });
    dark->setMenu(darkMenu);
    buttons->addWidget(dark, 1, 1);
    button(QT_TR_NOOP("标定…"), 1, 2, [this] {
        if (m_context.openCalibrationDialog)
            m_context.openCalibrationDialog();
    });
    button(QT_TR_NOOP("报告…"), 0, 3, [this] { printReport(); });
    m_recordButton = button(QT_TR_NOOP("记录"), 1, 3, [this] { setRecording(m_recordButton->isChecked()); });
    m_recordButton->setObjectName(QStringLiteral("record"));
    m_recordButton->setCheckable(true);
    m_recordButton->setToolTip(tr("实时测量时把每一帧的结果追加到记录文件"));
    auto *columns = new QToolButton(this);
    columns->setText(tr("列"));
    columns->setToolTip(tr("导出和记录的列"));
    columns->setPopupMode(QToolButton::InstantPopup);
    m_columnsMenu = new QMenu(columns);
    m_columnsMenu->setObjectName(QStringLiteral("logColumns"));
    for (const QString &name : allColumns()) {
        QAction *column = m_columnsMenu->addAction(name);
        column->setCheckable(true);
        column->setChecked(true);
        connect(column, &QAction::toggled, this, [this, name](bool on) {
            m_unloggedColumns.removeAll(name);
            if (!on)
                m_unloggedColumns << name;
        });
    }
    columns->setMenu(m_columnsMenu);
    buttons->addWidget(columns, 0, 4);
    layout->addStretch();

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("readouts"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    scroll->setMinimumSize(content->sizeHint().width() + bar, 260);
    outer->addWidget(scroll, 1);
    outer->addLayout(buttons);
    // Tall enough for every readout when the area has room (the main frame cuts it otherwise).
    const QMargins margins = outer->contentsMargins();
    resize(scroll->minimumWidth() + margins.left() + margins.right(),
           content->sizeHint().height() + buttons->sizeHint().height() + outer->spacing() + margins.top() +
               margins.bottom());
}

BeamWindow::~BeamWindow()
{
    // The worker may be in this window's job: it is stopped before anything here goes.
    if (m_liveSlot && m_context.captureFrames)
        m_context.captureFrames->setFrameJob({});
    m_recordLog.reset();
    m_context.forgetSingleWindow(WindowKey, this);
}

void BeamWindow::buildValueGrid(QGridLayout *grid)
{
    int row = 0;
    const auto addRow = [&](const QString &key, const QString &caption, bool length) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        auto *px = new QLabel(this);
        px->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        px->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(px, row, 1);
        m_pixelLabels.insert(key, px);
        if (length) {
            auto *um = new QLabel(this);
            um->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(um, row, 2);
            m_micronLabels.insert(key, um);
        }
        ++row;
    };
    for (const ValueRow &v : ValueRows)
        addRow(QString::fromLatin1(v.key), tr(v.caption), v.length);
    addRow(QStringLiteral("iterations"), tr("迭代次数"), false);
    grid->setColumnMinimumWidth(1, 110);
    grid->setColumnMinimumWidth(2, 110);
}

QString BeamWindow::pixelText(const QString &key) const
{
    return labelText(m_pixelLabels, key);
}

QString BeamWindow::micronText(const QString &key) const
{
    return labelText(m_micronLabels, key);
}

void BeamWindow::pictureChanged()
{
    if (isLive())
        return; // the capture window's frames are measured, not the workspace's picture
    m_overlay.remove();
    m_result.reset();
    m_stale = true;
    showResult();
    if (m_measurePending)
        return;
    m_measurePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_measurePending)
            measure();
    });
}

void BeamWindow::measure()
{
    if (isLive()) {
        startLiveJob(); // the method or the dark frame changed: the next frames are measured so
        return;
    }
    m_measurePending = false;
    m_stale = false;
    m_source = currentBeamSource(m_context);
    m_result.reset();
    m_widths.reset();
    m_picture = {};
    m_darkSizeMismatch = false;
    if (m_source.kind != BeamSource::Kind::None) {
        const beam::BeamFrame *dark = nullptr;
        if (m_dark && m_dark->width == m_source.frame.width && m_dark->height == m_source.frame.height)
            dark = &*m_dark;
        else
            m_darkSizeMismatch = m_dark.has_value();
        beam::MeasuredBeam measured = beam::measureBeamWithWidths(m_source.frame, m_options, dark);
        m_result = measured.result;
        m_widths = std::move(measured.widths);
        m_picture = beamPicture(m_source.frame, *m_result, m_options.maskDiameters, dark);
        m_measuredAt = QDateTime::currentDateTime();
        // The frame itself is not kept: the window needs only its size from here on.
        m_source.frame.values = {};
    }
    showResult();
}

void BeamWindow::calibrationChanged()
{
    showResult();
}

void BeamWindow::showValues(bool present)
{
    const Calibration calibration = loadCalibration(m_context.calibrationFile);
    const bool beamFound = present && m_result->status == beam::BeamStatus::Ok;
    for (const ValueRow &v : ValueRows) {
        const QString key = QString::fromLatin1(v.key);
        const bool shown = beamFound || (present && frameStatistic(key));
        const double value = shown ? (*m_result).*(v.field) : 0.0;
        QString text = shown ? beamNumber(value, v.decimals) : QStringLiteral("—");
        if (shown && *v.unit)
            text += u' ' + QString::fromUtf8(v.unit);
        m_pixelLabels[key]->setText(text);
        if (QLabel *um = m_micronLabels.value(key))
            um->setText(beamFound && calibration.calibrated() ? formatLength(calibration.toUm(value)) : QString());
    }
    m_pixelLabels[QStringLiteral("iterations")]->setText(
        present ? QString::number(m_result->iterations) + (m_result->converged ? QString() : tr("（未收敛）"))
                : QStringLiteral("—"));
}

void BeamWindow::showResult()
{
    const bool present = m_result.has_value();
    // A picture larger than the workspace is still measured whole, whatever part of it is shown.
    const bool larger = exceedsWorkspace(m_source.frame.width, m_source.frame.height);
    m_sourceLabel->setText(present ? tr("%1　%2 × %3，%4 位%5")
                                         .arg(m_source.name)
                                         .arg(m_source.frame.width)
                                         .arg(m_source.frame.height)
                                         .arg(m_source.frame.bitDepth)
                                         .arg(larger ? tr("，整幅测量") : QString())
                                   : m_source.name);
    if (m_stale) {
        m_sourceLabel->clear();
        m_status->setText(tr("未测量"));
    } else if (!present)
        m_status->setText(m_source.error);
    else if (m_result->status == beam::BeamStatus::NoBeam)
        m_status->setText(tr("未检测到光斑"));
    else
        m_status->setText(QString());
    m_status->setVisible(!m_status->text().isEmpty());

    const long long saturated = present ? m_result->saturatedPixels : 0;
    m_saturation->setText(tr("饱和：%1 个像素").arg(saturated));
    m_saturation->setVisible(saturated > 0);
    // Every warning in words, one a line (saturation has its line above).
    beam::BeamWarnings saturation;
    saturation.add(beam::BeamWarning::Saturated);
    m_warning->setText(present ? beam::beamWarningTexts(m_result->warnings, saturation).join(u'\n') : QString());
    m_warning->setVisible(!m_warning->text().isEmpty());
    const beam::StripeCorrection stripes = present ? m_result->stripeCorrection : beam::StripeCorrection::None;
    m_stripes->setText(stripes == beam::StripeCorrection::Columns ? tr("已校正拖尾（列）")
                       : stripes == beam::StripeCorrection::Rows  ? tr("已校正拖尾（行）")
                                                                  : QString());
    m_stripes->setVisible(!m_stripes->text().isEmpty());

    if (m_darkSizeMismatch)
        m_darkLabel->setText(
            tr("暗场（%1 × %2）与图像尺寸不同，未扣除").arg(m_dark->width).arg(m_dark->height));
    else if (m_dark)
        m_darkLabel->setText(tr("已扣除暗场：%1").arg(m_darkName));
    else
        m_darkLabel->setText(tr("未使用暗场"));

    showValues(present);
    const Calibration calibration = loadCalibration(m_context.calibrationFile);
    const beam::BeamWidths *widths = present && m_result->status == beam::BeamStatus::Ok ? &*m_widths : nullptr;
    m_widthsPanel->showWidths(widths, calibration);
    showProfiles(*m_majorProfile, *m_minorProfile, widths, present ? m_result->centroidX : 0,
                 present ? m_result->centroidY : 0, calibration.umPerPixel());
    updateOverlay();
    setWorkspaceMark(present && saturated > 0 && m_source.kind == BeamSource::Kind::WorkspaceFile
                         ? tr("（饱和）")
                         : QString());
}

OverlayShapes BeamWindow::chosenShapes() const
{
    OverlayShapes shapes;
    shapes.centroid = m_switches.value(QStringLiteral("centroid"))->isChecked();
    shapes.ellipse = m_switches.value(QStringLiteral("ellipse"))->isChecked();
    shapes.rectangle = m_switches.value(QStringLiteral("rectangle"))->isChecked();
    shapes.d86 = m_switches.value(QStringLiteral("d86"))->isChecked();
    shapes.gaussian = m_switches.value(QStringLiteral("gaussian"))->isChecked();
    return shapes;
}

void BeamWindow::updateOverlay()
{
    const OverlayShapes shapes = chosenShapes();
    if (m_result && !m_picture.isNull())
        m_pictureView->showPicture(m_picture, m_result, m_widths ? &*m_widths : nullptr, shapes, m_options.maskDiameters);
    else
        m_pictureView->clear();
    WorkspacePort *workspace = m_context.workspace;
    if (!workspace || !m_result || m_source.kind != BeamSource::Kind::WorkspaceFile) {
        m_overlay.remove();
        return;
    }
    m_overlay.show(workspace->picture(), *m_result, m_source.placement, shapes, m_options.maskDiameters,
                   m_widths ? &*m_widths : nullptr);
}

void BeamWindow::setWorkspaceMark(const QString &mark)
{
    if (m_context.workspace)
        m_context.workspace->setTitleMark(mark);
}

void BeamWindow::closeEvent(QCloseEvent *event)
{
    m_overlay.remove();
    setWorkspaceMark(QString());
    event->accept();
}

void BeamWindow::message(const QString &text, const QString &title)
{
    if (m_context.services.dialogs)
        m_context.services.dialogs->message(this, text, title.isEmpty() ? tr("提示") : title,
                                            Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
}

void BeamWindow::copyValues()
{
    if (!m_result)
        return;
    const BeamReadout readout = fullReadout();
    QApplication::clipboard()->setText(QStringList{tr("文件") + u'\t' + readout.names.join(u'\t'),
                                                   m_source.name + u'\t' + readout.values.join(u'\t')}
                                           .join(u'\n') +
                                       u'\n');
    if (m_context.mainWindow)
        m_context.mainWindow->showStatus(tr("已复制到剪贴板"));
}

std::optional<QString> BeamWindow::askLogFile(const QString &title, const QString &filter, const QString &fileName)
{
    Dialogs *dialogs = m_context.services.dialogs;
    if (!dialogs)
        return std::nullopt;
    const Dialogs::FileRequest request{.title = title,
                                       .initialDirectory = {},
                                       .filter = filter,
                                       .filterIndex = 1,
                                       .defaultSuffix = QStringLiteral("csv"),
                                       .fileName = fileName};
    std::optional<QString> path = dialogs->saveFile(this, request);
    if (!path || path->isEmpty())
        return std::nullopt;
    return path;
}

bool BeamWindow::chooseLog()
{
    Dialogs *dialogs = m_context.services.dialogs;
    const std::optional<QString> path = askLogFile(tr("光束参数记录文件"),
                                                   tr("CSV 文件(*.csv)|*.csv|Excel 工作簿(*.xlsx)|*.xlsx"),
                                                   QStringLiteral("beam-log.csv"));
    if (!path)
        return false;
    // A workbook is written whole: an existing one would lose its contents.
    if (path->endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) && QFileInfo::exists(*path) &&
        dialogs->message(this, tr("此文件已存在，是否覆盖?"), tr("警告!!"), Dialogs::Buttons::YesNo,
                         Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
        return false;
    m_log.setTarget(*path);
    return true;
}

void BeamWindow::exportRow()
{
    if (!m_result)
        return;
    if (!m_log.hasTarget() && !chooseLog())
        return;
    const BeamReadout readout = fullReadout();
    const QStringList header = QStringList{tr("时间"), tr("文件")} + logged(readout.names, readout.names);
    const QStringList row = QStringList{QDateTime::currentDateTime().toString(Qt::ISODate), m_source.name} +
                            logged(readout.names, readout.values);
    QString error;
    if (!m_log.append(header, row, m_context.services.workbook, &error))
        message(error, tr("警告!!"));
    else
        announceSaved(m_context, m_log.target(), tr("已追加到 "));
}

BeamReadout BeamWindow::fullReadout() const
{
    const Calibration calibration = loadCalibration(m_context.calibrationFile);
    BeamReadout readout = beamReadout(m_result.value_or(beam::BeamResult{}), calibration);
    const bool ok = m_result && m_result->status == beam::BeamStatus::Ok;
    const BeamReadout widths = widthsReadout(ok && m_widths ? &*m_widths : nullptr, calibration);
    readout.names += widths.names;
    readout.values += widths.values;
    return readout;
}

QStringList BeamWindow::allColumns() const
{
    return beamReadout(beam::BeamResult{}, Calibration{}).names + widthsReadout(nullptr, Calibration{}).names;
}

QStringList BeamWindow::logColumns() const
{
    QStringList names = allColumns();
    for (const QString &name : m_unloggedColumns)
        names.removeAll(name);
    return names;
}

void BeamWindow::setLogColumns(const QStringList &names)
{
    for (QAction *column : m_columnsMenu->actions())
        column->setChecked(names.contains(column->text()));
}

QStringList BeamWindow::logged(const QStringList &names, const QStringList &values) const
{
    QStringList out;
    for (int i = 0; i < names.size() && i < values.size(); ++i)
        if (!m_unloggedColumns.contains(names[i]))
            out << values[i];
    return out;
}

bool BeamWindow::isLive() const
{
    return m_liveSlot != nullptr;
}

bool BeamWindow::setLive(bool on)
{
    if (on == isLive()) {
        m_liveSwitch->setChecked(on);
        return true;
    }
    if (!on) {
        m_liveWatch->stop();
        if (m_context.captureFrames)
            m_context.captureFrames->setFrameJob({});
        m_liveSlot.reset();
        m_liveSwitch->setChecked(false);
        setRecording(false);
        measure();
        return true;
    }
    if (!m_context.captureFrames) {
        m_liveSwitch->setChecked(false);
        message(tr("没有采集窗口：请先连接相机或采集卡，再打开“实时”。"));
        return false;
    }
    m_liveFrames = 0;
    m_liveSwitch->setChecked(true);
    m_overlay.remove();
    setWorkspaceMark(QString());
    startLiveJob();
    if (!m_liveSlot) {
        m_liveSwitch->setChecked(false);
        message(tr("采集窗口不提供帧，无法实时测量。"));
        return false;
    }
    m_liveWatch->start();
    m_stale = true;
    m_result.reset();
    m_source = {};
    m_source.name = tr("等待采集帧…");
    showResult();
    return true;
}

void BeamWindow::startLiveJob()
{
    auto slot = std::make_shared<LiveSlot>();
    slot->options = m_options;
    slot->dark = m_dark;
    m_liveSlot = slot;
    const bool running = m_context.captureFrames &&
                         m_context.captureFrames->setFrameJob([this, slot](const beam::BeamFrame &frame, long long number) {
                             LiveSlot::Result r;
                             r.darkFits = slot->dark && slot->dark->width == frame.width && slot->dark->height == frame.height;
                             const beam::BeamFrame *dark = r.darkFits ? &*slot->dark : nullptr;
                             r.measured = beam::measureBeamWithWidths(frame, slot->options, dark);
                             r.picture = beamPicture(frame, r.measured.result, slot->options.maskDiameters, dark);
                             r.width = frame.width;
                             r.height = frame.height;
                             r.bitDepth = frame.bitDepth;
                             r.topValue = frame.topValue;
                             r.frame = number;
                             bool post = false;
                             {
                                 std::lock_guard lock(slot->mutex);
                                 slot->latest = std::move(r);
                                 post = !std::exchange(slot->posted, true);
                             }
                             if (post)
                                 QMetaObject::invokeMethod(this, [this, slot] { takeLiveResult(slot); }, Qt::QueuedConnection);
                         });
    if (!running)
        m_liveSlot.reset();
}

void BeamWindow::takeLiveResult(const std::shared_ptr<LiveSlot> &slot)
{
    std::optional<LiveSlot::Result> r;
    {
        std::lock_guard lock(slot->mutex);
        r = std::move(slot->latest);
        slot->latest.reset();
        slot->posted = false;
    }
    if (slot != m_liveSlot || !r)
        return; // a result of a job since replaced
    ++m_liveFrames;
    m_source = {};
    m_source.kind = BeamSource::Kind::CaptureFrame;
    m_source.name = tr("实时 第 %1 帧").arg(r->frame);
    m_source.frame.width = r->width;
    m_source.frame.height = r->height;
    m_source.frame.bitDepth = r->bitDepth;
    m_source.frame.topValue = r->topValue;
    m_source.camera = m_context.captureFrames ? m_context.captureFrames->cameraSettings() : QString();
    m_result = r->measured.result;
    m_widths = std::move(r->measured.widths);
    m_picture = std::move(r->picture);
    m_darkSizeMismatch = m_dark && !r->darkFits;
    m_measuredAt = QDateTime::currentDateTime();
    m_stale = false;
    showResult();
    if (m_recordLog) {
        const BeamReadout readout = fullReadout();
        m_recordLog->append(csvLine(QStringList{m_measuredAt.toString(Qt::ISODateWithMs), QString::number(r->frame)} +
                                    logged(readout.names, readout.values))
                                .toUtf8() +
                            "\r\n");
    }
}

bool BeamWindow::setRecording(bool on)
{
    if (!on) {
        m_recordButton->setChecked(false);
        if (!m_recordLog)
            return true;
        m_recordLog.reset(); // writes and syncs what is left
        announceSaved(m_context, m_recordPath, tr("记录已保存："));
        return true;
    }
    m_recordButton->setChecked(false);
    if (m_recordLog)
        return true;
    if (!isLive()) {
        message(tr("记录每一帧需要实时测量：请先打开“实时”。"));
        return false;
    }
    const std::optional<QString> chosen =
        askLogFile(tr("实时记录文件"), tr("CSV 文件(*.csv)|*.csv"), QStringLiteral("beam-live.csv"));
    if (!chosen)
        return false;
    // A log is only ever appended to: it goes to a new file named with the start time.
    const QString path = timestampedLogPath(*chosen, QDateTime::currentDateTime());
    QString error;
    std::unique_ptr<AppendFile> file = AppendFile::create(path, &error);
    if (!file) {
        message(error, tr("警告!!"));
        return false;
    }
    const QStringList header = QStringList{tr("时间"), tr("帧")} + logColumns();
    m_recordLog = std::make_unique<LogWriter>(std::move(file), "\xEF\xBB\xBF" + csvLine(header).toUtf8() + "\r\n");
    m_recordPath = path;
    m_recordButton->setChecked(true);
    if (m_context.mainWindow)
        m_context.mainWindow->showStatus(tr("记录中 → %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

bool BeamWindow::cutThroughCentroid()
{
    if (!m_result || m_result->status != beam::BeamStatus::Ok || !m_context.workspace ||
        m_source.kind != BeamSource::Kind::WorkspaceFile)
        return false;
    const QPointF at = m_source.placement.toPicture(m_result->centroidX, m_result->centroidY);
    const bool vertical = m_context.curveWindow && m_context.curveWindow->isVertical();
    return m_context.workspace->moveCutTo(vertical ? at.x() : at.y());
}

PrintOutcome BeamWindow::printReport()
{
    PrintOutcome outcome = PrintOutcome::failed(tr("没有测量结果"));
    PrinterService *printer = m_context.services.printer;
    if (!printer)
        outcome = PrintOutcome::failed(tr("没有可用的打印机"));
    else if (m_result) {
        BeamReportContent content;
        content.fileName = m_source.name;
        content.frameText = tr("%1 × %2，%3 位")
                                .arg(m_source.frame.width)
                                .arg(m_source.frame.height)
                                .arg(m_source.frame.bitDepth);
        content.darkText = m_darkLabel->text();
        content.camera = m_source.kind == BeamSource::Kind::CaptureFrame
                             ? (m_source.camera.isEmpty() ? tr("采集帧") : m_source.camera)
                             : QString();
        content.when = QDateTime::currentDateTime();
        content.measuredAt = m_measuredAt;
        content.calibration = loadCalibration(m_context.calibrationFile);
        content.maskDiameters = m_options.maskDiameters;
        content.result = *m_result;
        content.widths = m_widths ? &*m_widths : nullptr;
        content.picture = m_picture;
        content.marks = chosenShapes();
        content.colour = m_pictureView->falseColour();
        outcome = printBeamReport(*printer, content);
    }
    if (outcome.result == PrintOutcome::Result::SavedToFile)
        announceSaved(m_context, outcome.filePath, tr("报告已保存为 PDF："));
    else if (outcome.result == PrintOutcome::Result::Failed)
        message(tr("打印失败：%1").arg(outcome.error), tr("警告!!"));
    return outcome;
}

void BeamWindow::takeDarkFromCapture()
{
    const QImage frame = m_context.captureFrames ? m_context.captureFrames->currentFrame() : QImage();
    if (frame.isNull()) {
        message(tr("没有采集帧：请连接采集卡，挡住光束后再取暗场。"));
        return;
    }
    m_dark = frameFromImage(frame);
    m_darkName = tr("采集帧 %1").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    measure();
}

void BeamWindow::takeDarkFromFile()
{
    Dialogs *dialogs = m_context.services.dialogs;
    if (!dialogs)
        return;
    Dialogs::FileRequest request;
    request.title = tr("暗场图像");
    request.filter = allPicturesFilter() + tr("|所有文件|*");
    const std::optional<QString> path = dialogs->openFile(this, request);
    if (!path)
        return;
    FrameReadResult read = readFrameFile(*path);
    if (!read.ok()) {
        message(read.error, tr("警告!!"));
        return;
    }
    m_dark = std::move(read.frame);
    m_darkName = QFileInfo(*path).fileName();
    measure();
}

void BeamWindow::clearDark()
{
    m_dark.reset();
    m_darkName.clear();
    measure();
}

} // namespace lumetra
