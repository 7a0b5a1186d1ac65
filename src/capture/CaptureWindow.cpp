#include "capture/CaptureWindow.h"

#include "capture/CameraMenu.h"
#include "capture/CameraWatch.h"
#include "capture/CaptureCardControl.h"
#include "capture/CardDispatch.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LivePanel.h"
#include "capture/monitoring/MonitorSession.h"
#include "capture/monitoring/MonitorWindow.h"
#include "capture/monitoring/RecordingIndicator.h"
#include "capture/CaptureSettingsDialog.h"
#include "devices/CameraControls.h"
#include "devices/CaptureService.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/display/FalseColourMenu.h"
#include "platform/ports/MainWindowPort.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace lumetra {

namespace {

QString notConnected()
{
    return CaptureWindow::tr("未连接");
}

QString deviceError()
{
    return CaptureWindow::tr("设备有错误，请检查后重新建立连接！");
}

constexpr int StandardWidth = 640;
constexpr int StandardHeight = 480;
constexpr int JpegQuality = 65;

std::unique_ptr<CaptureDevice> deviceFor(AppContext &context)
{
    if (context.services.capture)
        return context.services.capture->createDevice();
    return CaptureService::v4l2()->createDevice();
}

} // namespace

CaptureWindow::CaptureWindow(AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Form1"));
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    card = new CaptureCardControl(deviceFor(context), m_client);
    card->setObjectName(QStringLiteral("card"));
    card->setGeometry(0, 0, StandardWidth, StandardHeight);
    connect(card, &CaptureCardControl::deviceFailed, this, &CaptureWindow::deviceFailed);
    createMenus();
    context.captureFrames = this;
    m_live = new LiveMeasurement(card, m_client, m_context.calibrationFile, this);
    m_cameraMenu = new CameraMenu(*this);
    m_frameRate = new QLabel(this);
    m_frameRate->setObjectName(QStringLiteral("frameRate"));
    statusBar()->addPermanentWidget(m_frameRate);
    statusBar()->setSizeGripEnabled(false);
    m_cameraWatch = new CameraWatch(*this, *m_cameraMenu);
    // 长期记录 is a child window of the main window like every other; closing it hides it, and a
    // recording goes on, shown in this window's status bar until it stops or this window closes.
    m_live->setWindowShower([this](QWidget *monitor) {
        showChildWindow(m_context, monitor);
        childWindowFrame(monitor)->setAttribute(Qt::WA_DeleteOnClose, false);
    });
    m_recording = new RecordingIndicator(this);
    statusBar()->addPermanentWidget(m_recording);
    auto *recordingTimer = new QTimer(this);
    recordingTimer->setInterval(500);
    connect(recordingTimer, &QTimer::timeout, this, [this] {
        MonitorWindow *monitor = m_live ? m_live->existingMonitorWindow() : nullptr;
        m_recording->follow(monitor);
        // The log's exposure and gain, as the camera has them (empty fields where it has none).
        if (CameraControls *camera = card->device().cameraControls(); monitor && monitor->isRecording() && camera &&
                                                                      !m_cameraWatch->isLost()) {
            const CameraReadings readings = readCamera(*camera);
            monitor->session().setCameraReadings(readings.exposureUs, readings.gain);
        }
    });
    recordingTimer->start();
    connect(m_live, &LiveMeasurement::frameRateChanged, this,
            [this](double fps) { showFrameRate(m_cameraWatch->isLost() ? 0.0 : fps); });
    resize(StandardWidth,
           StandardHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

CaptureWindow::~CaptureWindow()
{
    // Live measurement points at the video, its overlay and the panel: it goes before them.
    delete m_live;
    m_live = nullptr;
    if (m_context.captureFrames == this)
        m_context.captureFrames = nullptr;
}

QImage CaptureWindow::currentFrame() const
{
    return card->currentFrame();
}

QString CaptureWindow::cameraSettings() const
{
    const int channel = card->call(CardId::Channel, {false}).toInt();
    if (channel < 0)
        return {};
    if (CameraControls *camera = card->device().cameraControls()) {
        const CameraIdentity who = camera->identity();
        const CameraSettings s = camera->settings();
        return tr("相机 %1 %2（序列号 %3），%4 × %5，%6，曝光 %7 µs，增益 %8")
            .arg(who.vendor, who.model, who.serial)
            .arg(s.roi.width())
            .arg(s.roi.height())
            .arg(s.pixelFormat)
            .arg(s.exposureUs, 0, 'g', 6)
            .arg(s.gain, 0, 'g', 6);
    }
    static const char *const Standards[] = {"NTSC", "PAL", "SECAM"};
    const int standard = card->get(CardId::Standard);
    return tr("采集卡第%1路，%2 × %3，%4，亮度 %5，对比度 %6，色调 %7，饱和度 %8")
        .arg(channel)
        .arg(card->get(CardId::VideoWidth))
        .arg(card->get(CardId::VideoHeight))
        .arg(standard >= 0 && standard < 3 ? QString::fromLatin1(Standards[standard]) : QStringLiteral("—"))
        .arg(card->get(CardId::Brightness))
        .arg(card->get(CardId::Contrast))
        .arg(card->get(CardId::Hue))
        .arg(card->get(CardId::Saturation));
}

void CaptureWindow::calibrationChanged()
{
    if (m_live)
        m_live->calibrationChanged();
}

bool CaptureWindow::setFrameJob(FrameJob job)
{
    if (!m_live)
        return false;
    m_live->setFrameJob(std::move(job));
    return true;
}

QString CaptureWindow::bmpFilter()
{
    return QStringLiteral("Bitmaps|*.bmp|ALL Images|*.bmp");
}
QString CaptureWindow::jpegFilter()
{
    return QStringLiteral("JPEG Images|*.jpg|ALL Images|*.jpg");
}

QMenu *CaptureWindow::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_items.insert(name, menu->menuAction());
    return menu;
}

QAction *CaptureWindow::addItem(QMenu *menu, const QString &name, const QString &caption,
                              void (CaptureWindow::*handler)())
{
    QAction *action = caption.isEmpty() ? menu->addSeparator() : menu->addAction(caption);
    action->setObjectName(name);
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    m_items.insert(name, action);
    return action;
}

void CaptureWindow::createMenus()
{
    QMenu *file = addMenu(nullptr, QStringLiteral("mnuFile"), tr("文件(&F)"));
    addItem(file, QStringLiteral("mnuFileExit"), tr("退出(&X)"), &CaptureWindow::mnuFileExit_Click);

    QMenu *operate = addMenu(nullptr, QStringLiteral("mnuOperate"), tr("操作(&P)"));
    QMenu *dialogs = addMenu(operate, QStringLiteral("mnuShowDlg"), tr("显示系统对话框"));
    addItem(dialogs, QStringLiteral("mnuDlgCaptureFilter"), tr("视频属性"),
            &CaptureWindow::mnuDlgCaptureFilter_Click);
    addItem(dialogs, QStringLiteral("mnuDlgCrossbar"), tr("通道选择"),
            &CaptureWindow::mnuDlgCrossbar_Click);
    addItem(dialogs, QStringLiteral("mnuDlgPreviewPin"), tr("显示属性"),
            &CaptureWindow::mnuDlgPreviewPin_Click);
    QMenu *stream = addMenu(operate, QStringLiteral("mnuStreamState"), tr("视频流状态"));
    addItem(stream, QStringLiteral("mnuRun"), tr("运行"), &CaptureWindow::mnuRun_Click);
    addItem(stream, QStringLiteral("mnuPause"), tr("暂停"), &CaptureWindow::mnuPause_Click);
    addItem(stream, QStringLiteral("mnuStop"), tr("停止"), &CaptureWindow::mnuStop_Click);
    addItem(operate, QStringLiteral("mnuBar0"), QString(), nullptr);
    addItem(operate, QStringLiteral("mnuSaveBMP"), tr("存为BMP图片"),
            &CaptureWindow::mnuSaveBMP_Click);
    addItem(operate, QStringLiteral("mnuSaveJPG"), tr("存为JPG图片"),
            &CaptureWindow::mnuSaveJPG_Click);
    addItem(operate, QStringLiteral("mnuBar1"), QString(), nullptr);
    addItem(operate, QStringLiteral("mnuConfig"), tr("设置视频参数"),
            &CaptureWindow::mnuConfig_Click);
    addItem(operate, QStringLiteral("mnuNormalSize"), tr("标准尺寸"),
            &CaptureWindow::mnuNormalSize_Click);
    addItem(operate, QStringLiteral("mnuBar2"), QString(), nullptr);
    addItem(operate, QStringLiteral("mnuLiveMeasure"), tr("实时测量"), &CaptureWindow::mnuLiveMeasure_Click)
        ->setCheckable(true);

    // The video in false colour, with its colour bar and contours; the choice is remembered.
    auto *colours = new FalseColourMenu(QStringLiteral("capture"), this);
    menuBar()->addMenu(colours);
    colours->menuAction()->setObjectName(QStringLiteral("mnuFalseColour"));
    m_items.insert(colours->menuAction()->objectName(), colours->menuAction());
    m_falseColour = colours;
    card->setFalseColour(colours->choice());
    connect(colours, &FalseColourMenu::choiceChanged, card, &CaptureCardControl::setFalseColour);

    // The pixel size in micrometres, shared with the workspace's "标定".
    QAction *calibrate = menuBar()->addAction(tr("标定"));
    calibrate->setObjectName(QStringLiteral("mnuCalibrate"));
    m_items.insert(calibrate->objectName(), calibrate);
    connect(calibrate, &QAction::triggered, this, [this] {
        if (m_context.openCalibrationDialog)
            m_context.openCalibrationDialog();
    });
}

QAction *CaptureWindow::menuItem(const QString &name) const
{
    return m_items.value(name);
}

void CaptureWindow::setModalRunner(ModalRunner runner)
{
    m_runModal = runner;
    card->setModalRunner(std::move(runner));
}

bool CaptureWindow::isConnected() const
{
    return windowTitle() != notConnected();
}

void CaptureWindow::load()
{
    // The menu bar is this window's own; nothing needs attaching to it.
    const auto channel = qint16(card->call(CardId::Channel, {false}).toInt());
    if (channel < 0) {
        setWindowTitle(notConnected());
        menuItem(QStringLiteral("mnuOperate"))->setEnabled(false);
        m_context.services.dialogs->message(this, tr("无设备可连接!"));
        return;
    }
    m_cameraMenu->restoreSettings(); // a camera comes back as it was set
    card->move(0, 0);
    mnuNormalSize_Click();
}

void CaptureWindow::startDevice()
{
    setWindowTitle(QStringLiteral("Form1"));
    menuItem(QStringLiteral("mnuOperate"))->setEnabled(true);
    load();
}

void CaptureWindow::restoreFromMaximized()
{
    QWidget *frame = childWindowFrame(this);
    if (frame->isMaximized())
        frame->showNormal();
}

void CaptureWindow::fitToVideo()
{
    restoreFromMaximized();
    const int w = card->get(CardId::VideoWidth), h = card->get(CardId::VideoHeight);
    if (w <= 0 || h <= 0 || !m_live)
        return;
    card->resize(w, h); // a camera's region need not be the standard size
    // Live measurement adds its strip and plots beside the video.
    const bool live = m_live->isEnabled();
    const QSize client = live ? QSize(w + LivePanel::PanelWidth, std::max(h, LivePanel::MinimumHeight)) : QSize(w, h);
    m_live->panel()->setGeometry(w, 0, LivePanel::PanelWidth, client.height());
    QWidget *frame = childWindowFrame(this);
    // The frame's border is measured on the laid-out window; a window that has just been shown
    // may not be laid out yet, and the menu bar may take another height at the new width.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (layout())
            layout()->activate();
        if (m_client->size() == client)
            break;
        const QSize border = frame->size() - m_client->size();
        frame->resize(client + border);
    }
}

void CaptureWindow::showFrameRate(double fps)
{
    m_frameRate->setText(tr("帧率 %1 帧/秒").arg(fps, 0, 'f', 1));
}

void CaptureWindow::say(const QString &text)
{
    // A second message while one is open goes to the status bar instead of a box over the box.
    if (m_saying) {
        statusBar()->showMessage(text, 10000);
        return;
    }
    m_saying = true;
    m_context.services.dialogs->message(this, text);
    m_saying = false;
}

void CaptureWindow::setConnectedTitle()
{
    // A camera is named by its model; a capture card by its channel.
    if (CameraControls *camera = card->device().cameraControls()) {
        const CameraIdentity who = camera->identity();
        setWindowTitle(QStringLiteral("%1: %2 x %3")
                           .arg(who.model.isEmpty() ? who.id : who.model)
                           .arg(card->get(CardId::VideoWidth))
                           .arg(card->get(CardId::VideoHeight)));
        return;
    }
    const int channel = card->call(CardId::Channel, {false}).toInt();
    setWindowTitle(tr("第%1路: %2 x %3")
                       .arg(channel)
                       .arg(card->get(CardId::VideoWidth))
                       .arg(card->get(CardId::VideoHeight)));
}

void CaptureWindow::setStreamMenu(bool runEnabled, bool pauseEnabled, bool stopEnabled)
{
    menuItem(QStringLiteral("mnuRun"))->setEnabled(runEnabled);
    menuItem(QStringLiteral("mnuPause"))->setEnabled(pauseEnabled);
    menuItem(QStringLiteral("mnuStop"))->setEnabled(stopEnabled);
}

void CaptureWindow::mnuNormalSize_Click()
{
    restoreFromMaximized();
    if (!isConnected())
        return;
    card->resize(StandardWidth, StandardHeight);
    if (card->call(CardId::SetFormat, {StandardWidth, StandardHeight, 0}).toBool()) {
        fitToVideo();
        setConnectedTitle();
        setStreamMenu(false, true, true);
    } else {
        menuItem(QStringLiteral("mnuOperate"))->setEnabled(false);
        m_context.services.dialogs->message(this, deviceError());
    }
}

void CaptureWindow::mnuLiveMeasure_Click()
{
    m_live->setEnabled(menuItem(QStringLiteral("mnuLiveMeasure"))->isChecked());
    fitToVideo();
}

void CaptureWindow::mnuDlgCaptureFilter_Click()
{
    card->call(CardId::VideoPropertyDialog);
}

void CaptureWindow::mnuDlgCrossbar_Click()
{
    card->call(CardId::CrossbarDialog);
}

void CaptureWindow::mnuDlgPreviewPin_Click()
{
    card->call(CardId::PreviewDialog);
    restoreFromMaximized();
    const int w = card->get(CardId::VideoWidth), h = card->get(CardId::VideoHeight);
    card->resize(w, h);
    card->call(CardId::SetFormat, {w, h, 0}); // its answer does not matter here
    fitToVideo();
    card->move(0, 0);
    setConnectedTitle();
}

void CaptureWindow::mnuConfig_Click()
{
    CaptureSettingsDialog dialog(*m_context.services.dialogs, this);
    dialog.Initialize(card);
    m_runModal(dialog);
    dialog.close();
    fitToVideo();
}

void CaptureWindow::mnuRun_Click()
{
    card->call(CardId::Run);
    setStreamMenu(false, true, true);
}

void CaptureWindow::mnuPause_Click()
{
    card->call(CardId::Pause);
    setStreamMenu(true, false, true);
}

void CaptureWindow::mnuStop_Click()
{
    card->call(CardId::Stop);
    setStreamMenu(true, false, false);
}

void CaptureWindow::mnuSaveBMP_Click()
{
    saveFrame(false);
}

void CaptureWindow::mnuSaveJPG_Click()
{
    saveFrame(true);
}

void CaptureWindow::saveFrame(bool jpeg)
{
    Dialogs &dialogs = *m_context.services.dialogs;
    Dialogs::FileRequest request;
    request.initialDirectory = QStringLiteral("c:\\");
    request.filter = jpeg ? jpegFilter() : bmpFilter();
    request.defaultSuffix = jpeg ? QStringLiteral("jpg") : QStringLiteral("bmp");
    const std::optional<QString> chosen = dialogs.saveFile(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = *chosen;
    if (QFileInfo::exists(path) &&
        dialogs.message(this, tr("此文件已存在，是否覆盖?"), tr("警告!!"),
                        Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
        return;
    const bool saved = jpeg ? card->call(CardId::SaveJpeg, {path, JpegQuality}).toBool()
                            : card->call(CardId::SaveBmp, {path}).toBool();
    if (saved)
        announceSaved(m_context, path);
    dialogs.message(this, saved ? tr("图像存为　%1！").arg(path)
                                : tr("保存失败！"));
}

void CaptureWindow::mnuFileExit_Click()
{
    card->call(CardId::Exit);
    childWindowFrame(this)->close(); // the child-window frame goes with the form
}

void CaptureWindow::deviceFailed(const QString &reason)
{
    setStreamMenu(true, false, false);
    menuItem(QStringLiteral("mnuOperate"))->setEnabled(false);
    if (card->device().cameraControls())
        m_cameraWatch->cameraLost();
    say(reason.isEmpty() ? deviceError() : deviceError() + u'\n' + reason);
}

void CaptureWindow::closeEvent(QCloseEvent *event)
{
    // A recording needs this window's measurement: it ends here, and says where its log is.
    if (MonitorWindow *monitor = m_live ? m_live->existingMonitorWindow() : nullptr; monitor && monitor->isRecording()) {
        const QString path = QDir::toNativeSeparators(monitor->session().path());
        monitor->setRecording(false);
        m_recording->refresh();
        say(tr("长期记录已随采集窗口停止，记录文件：%1").arg(path));
    }
    if (MainWindowPort *main = m_context.mainWindow) {
        main->setConnectMenuEnabled(true);
        main->setToolbarButtonEnabled(1, true);
    }
    QMainWindow::closeEvent(event);
}

} // namespace lumetra
