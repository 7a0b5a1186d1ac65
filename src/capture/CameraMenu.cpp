#include "capture/CameraMenu.h"

#include "capture/CameraSettingsDialog.h"
#include "capture/CameraWatch.h"
#include "capture/CaptureCardControl.h"
#include "capture/CaptureWindow.h"
#include "capture/live/LiveMeasurement.h"
#include "devices/CameraControls.h"
#include "devices/CaptureDevices.h"
#include "devices/genicam/GenicamCaptureDevice.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/framefiles/DeepFrameFile.h"
#include "devices/CameraSettingsStore.h"
#include "devices/DarkFrameStore.h"
#include "types/DeepFrame.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include <cmath>

namespace lumetra {

namespace {

QAction *addAction(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

// "z_12.5mm.png": the z the M² window and `m2 --z-from-names` read back (a '-' after '_' is
// a minus sign).
QString causticName(double zMm)
{
    return QStringLiteral("z_%1mm.png").arg(QString::number(zMm, 'g', 10));
}

} // namespace

CameraMenu::CameraMenu(CaptureWindow &window) : QObject(&window), m_window(window)
{
    m_menu = window.menuBar()->addMenu(tr("相机(&C)"));
    m_menu->setObjectName(QStringLiteral("mnuCamera"));
    m_devices = m_menu->addMenu(tr("选择设备"));
    m_devices->setObjectName(QStringLiteral("mnuDevices"));
    connect(m_devices, &QMenu::aboutToShow, this, &CameraMenu::fillDeviceMenu);
    connect(addAction(m_menu, QStringLiteral("mnuCameraSettings"), tr("相机设置…")), &QAction::triggered, this,
            &CameraMenu::showCameraSettings);
    connect(addAction(m_menu, QStringLiteral("mnuAutoExposure"), tr("自动曝光")), &QAction::triggered, this,
            &CameraMenu::autoExposure);
    connect(addAction(m_menu, QStringLiteral("mnuAverage"), tr("平均 N 帧…")), &QAction::triggered, this,
            &CameraMenu::chooseAveraging);
    connect(addAction(m_menu, QStringLiteral("mnuDark"), tr("采集暗场")), &QAction::triggered, this,
            &CameraMenu::collectDark);
    connect(addAction(m_menu, QStringLiteral("mnuClearDark"), tr("清除暗场")), &QAction::triggered, this,
            [this] {
                m_window.liveMeasurement()->clearDarkFrame();
                if (CameraControls *c = camera())
                    forgetDarkFrame(c->identity().serial);
                m_window.statusBar()->showMessage(tr("暗场已清除"), 5000);
            });
    m_menu->addSeparator();
    connect(addAction(m_menu, QStringLiteral("mnuCausticSeries"), tr("新焦散系列…")), &QAction::triggered,
            this, &CameraMenu::newCausticSeries);
    connect(addAction(m_menu, QStringLiteral("mnuCausticGrab"), tr("焦散采集…")), &QAction::triggered, this,
            &CameraMenu::grabCausticFrame);
    connect(addAction(m_menu, QStringLiteral("mnuSaveDeep"), tr("存为…")), &QAction::triggered, this,
            &CameraMenu::saveFrame);
    m_menu->addSeparator();
    connect(addAction(m_menu, QStringLiteral("mnuReconnect"), tr("重新连接")), &QAction::triggered, this,
            [this] { reconnect(); });
    connect(m_menu, &QMenu::aboutToShow, this, &CameraMenu::updateEnabled);

    m_dropped = new QLabel(&window);
    m_dropped->setObjectName(QStringLiteral("droppedFrames"));
    window.statusBar()->addPermanentWidget(m_dropped);
    m_averagingLabel = new QLabel(&window);
    m_averagingLabel->setObjectName(QStringLiteral("averaging"));
    m_averagingLabel->hide();
    window.statusBar()->addPermanentWidget(m_averagingLabel);
    m_timer = new QTimer(this);
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &CameraMenu::refreshDropped);
    m_timer->start();
    connect(m_window.liveMeasurement(), &LiveMeasurement::darkFrameReady, this, [this] {
        // Kept for the camera's next opening at the same settings.
        if (CameraControls *c = camera(); c && m_window.liveMeasurement()->darkFrame())
            saveDarkFrame(c->identity().serial, c->settings(), *m_window.liveMeasurement()->darkFrame());
        m_window.statusBar()->showMessage(tr("暗场已采集，测量时扣除"), 5000);
    });
}

CameraControls *CameraMenu::camera() const
{
    return m_window.card->device().cameraControls();
}

void CameraMenu::message(const QString &text)
{
    m_window.say(text);
}

void CameraMenu::updateEnabled()
{
    const bool isCamera = camera() != nullptr;
    for (const char *name : {"mnuCameraSettings", "mnuAutoExposure", "mnuReconnect"})
        m_menu->findChild<QAction *>(QLatin1String(name))->setEnabled(isCamera);
}

void CameraMenu::refreshDropped()
{
    CameraControls *c = camera();
    m_dropped->setVisible(c != nullptr);
    if (c)
        m_dropped->setText(tr("丢帧 %1").arg(c->droppedFrames()));
    const LiveMeasurement *live = m_window.liveMeasurement();
    const int n = live ? live->averaging() : 1;
    m_averagingLabel->setVisible(n > 1 && m_window.card->deliversDeepFrames());
    if (n > 1)
        m_averagingLabel->setText(live->isTakingFrames()
                                      ? tr("平均 %1 帧：%2/%1，已平均 %3 组")
                                            .arg(n)
                                            .arg(live->averagingProgress())
                                            .arg(live->meansMade())
                                      : tr("平均 %1 帧（实时测量时生效）").arg(n));
}

void CameraMenu::fillDeviceMenu()
{
    m_devices->clear();
    for (const CaptureDeviceEntry &entry : listCaptureDevices()) {
        QAction *action = m_devices->addAction(entry.label);
        action->setData(entry.id);
        const QString id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { chooseDevice(id); });
    }
}

bool CameraMenu::isCurrent(const QString &id) const
{
    if (id == m_currentId)
        return true;
    const auto *device = dynamic_cast<const GenicamCaptureDevice *>(&m_window.card->device());
    if (!device)
        return false;
    const CameraIdentity who = device->identity();
    return id == device->id() || (!who.serial.isEmpty() && id == who.serial) ||
           (!who.address.isEmpty() && id == who.address);
}

bool CameraMenu::chooseDevice(const QString &id)
{
    // The device on show chosen again: it stays as it is, or is opened again if it went away.
    if (isCurrent(id)) {
        if (m_window.card->device().isConnected() && !m_window.cameraWatch()->isLost()) {
            m_window.statusBar()->showMessage(tr("%1 已在使用").arg(id), 5000);
            return true;
        }
        return reconnect();
    }
    QString error;
    std::unique_ptr<CaptureDevice> device = openCaptureDevice(id, &error);
    if (!device) {
        message(tr("无法打开设备 %1：%2").arg(id, error));
        return false;
    }
    m_window.card->replaceDevice(std::move(device));
    m_currentId = id;
    m_window.cameraWatch()->cameraBack();
    m_window.startDevice(); // sets the remembered settings
    refreshDropped();
    return true;
}

void CameraMenu::restoreSettings()
{
    CameraControls *c = camera();
    if (!c)
        return;
    if (const std::optional<int> frames = loadCameraAveraging(c->identity().serial))
        m_window.liveMeasurement()->setAveraging(*frames);
    const std::optional<CameraSettings> saved = loadCameraSettings(c->identity().serial);
    if (saved) {
        const QStringList refusals = applyCameraSettings(*c, *saved);
        if (!refusals.isEmpty())
            message(tr("上次的相机设置未能全部恢复：\n%1").arg(refusals.join(QLatin1Char('\n'))));
    }
    // The dark frame collected last, when the camera now runs at the settings it was taken at.
    LiveMeasurement *live = m_window.liveMeasurement();
    const bool hadDark = live->darkFrame() != nullptr;
    std::optional<beam::BeamFrame> dark = loadDarkFrame(c->identity().serial, c->settings());
    live->useDarkFrame(dark ? std::make_shared<const beam::BeamFrame>(std::move(*dark)) : nullptr);
    if (dark && !hadDark)
        m_window.statusBar()->showMessage(tr("上次采集的暗场已恢复，测量时扣除"), 5000);
    else if (!dark && hadDark)
        m_window.statusBar()->showMessage(tr("暗场是在其他相机设置下采集的，不再扣除；请重新采集暗场"), 10000);
}

void CameraMenu::showCameraSettings()
{
    CameraControls *c = camera();
    if (!c)
        return;
    CameraSettingsDialog dialog(*c, &m_window);
    m_window.modalRunner()(dialog);
    m_window.startDevice(); // the region may have changed the video size
}

void CameraMenu::autoExposure()
{
    auto *device = dynamic_cast<GenicamCaptureDevice *>(&m_window.card->device());
    if (!device) {
        message(tr("自动曝光需要 GenICam 相机"));
        return;
    }
    QPointer<CameraMenu> self(this);
    const bool started = device->startAutoExposure([self](bool found, const QString &text) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, found, text] {
                if (!self)
                    return;
                self->m_window.statusBar()->showMessage(text, 10000);
                // The exposure found is the camera's remembered one, for the next opening too.
                if (CameraControls *c = self->camera(); found && c)
                    saveCameraSettings(c->identity().serial, c->settings());
                if (!found)
                    self->message(tr("自动曝光未能完成：%1").arg(text));
                emit self->autoExposureFinished(found, text);
            },
            Qt::QueuedConnection);
    });
    if (!started)
        message(tr("自动曝光需要运行中的视频流"));
    else
        m_window.statusBar()->showMessage(tr("自动曝光中…"));
}

void CameraMenu::chooseAveraging()
{
    LiveMeasurement *live = m_window.liveMeasurement();
    const auto check = [](const QString &answer) {
        bool ok = false;
        const int n = answer.trimmed().toInt(&ok);
        return ok && n >= 1 && n <= 64 ? QString() : tr("请输入 1 到 64 之间的整数");
    };
    const std::optional<QString> answer = m_window.context().services.dialogs->input(
        &m_window, tr("每次测量前平均的帧数 (1–64)："), tr("平均 N 帧"),
        QString::number(live->averaging()), check);
    if (!answer)
        return;
    live->setAveraging(answer->trimmed().toInt());
    refreshDropped();
    m_window.statusBar()->showMessage(live->averaging() > 1 ? tr("每次测量前平均 %1 帧").arg(live->averaging())
                                                            : tr("不平均：每帧单独测量"),
                                      5000);
    if (CameraControls *c = camera())
        saveCameraAveraging(c->identity().serial, live->averaging());
}

void CameraMenu::collectDark()
{
    LiveMeasurement *live = m_window.liveMeasurement();
    if (!m_window.card->deliversDeepFrames()) {
        message(tr("暗场需要 GenICam 相机"));
        return;
    }
    if (m_window.context().services.dialogs->message(&m_window, tr("请挡住光束，然后按“确定”采集暗场。"),
                                                      tr("采集暗场"), Dialogs::Buttons::OkCancel) !=
        Dialogs::Answer::Ok)
        return;
    live->collectDarkFrame(live->averaging());
    m_window.statusBar()->showMessage(tr("正在采集暗场（%1 帧）…").arg(live->averaging()));
}

void CameraMenu::newCausticSeries()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposal =
        QDir(base).filePath(QStringLiteral("caustic-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const std::optional<QString> folder = m_window.context().services.dialogs->input(
        &m_window, tr("焦散系列的文件夹："), tr("新焦散系列"), proposal,
        [](const QString &answer) { return answer.trimmed().isEmpty() ? tr("请输入文件夹") : QString(); });
    if (!folder)
        return;
    if (!QDir().mkpath(folder->trimmed())) {
        message(tr("无法建立文件夹 %1").arg(*folder));
        return;
    }
    m_causticFolder = folder->trimmed();
}

void CameraMenu::grabCausticFrame()
{
    if (m_causticFolder.isEmpty())
        newCausticSeries();
    if (m_causticFolder.isEmpty())
        return;
    const std::optional<QString> answer = m_window.context().services.dialogs->input(
        &m_window, tr("这一帧的 z 位置 (mm)："), tr("焦散采集"), QString(),
        [](const QString &text) {
            bool ok = false;
            const double z = text.trimmed().toDouble(&ok);
            return ok && std::isfinite(z) ? QString() : tr("请输入 z 位置，单位 mm");
        });
    if (!answer)
        return;
    const QString path = QDir(m_causticFolder).filePath(causticName(answer->trimmed().toDouble()));
    if (QFileInfo::exists(path) &&
        m_window.context().services.dialogs->message(&m_window, tr("此 z 已有一帧，是否覆盖?"),
                                                     tr("警告!!"), Dialogs::Buttons::YesNo) !=
            Dialogs::Answer::Yes)
        return;
    if (!m_window.card->saveFrame(path, "png")) {
        message(tr("保存失败！"));
        return;
    }
    announceSaved(m_window.context(), path);
    m_window.statusBar()->showMessage(tr("已存 %1").arg(path), 5000);
}

void CameraMenu::saveFrame()
{
    Dialogs &dialogs = *m_window.context().services.dialogs;
    Dialogs::FileRequest request;
    request.filter = QStringLiteral("PNG Images|*.png|TIFF Images|*.tif;*.tiff");
    request.defaultSuffix = QStringLiteral("png");
    const std::optional<QString> chosen = dialogs.saveFile(&m_window, request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = *chosen;
    if (QFileInfo::exists(path) &&
        dialogs.message(&m_window, tr("此文件已存在，是否覆盖?"), tr("警告!!"),
                        Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool tiff = suffix == QLatin1String("tif") || suffix == QLatin1String("tiff");
    const bool saved = m_window.card->saveFrame(path, tiff ? "tiff" : "png");
    if (saved)
        announceSaved(m_window.context(), path);
    dialogs.message(&m_window, saved ? tr("图像存为　%1！").arg(path) : tr("保存失败！"));
}

bool CameraMenu::reconnect(Mode mode)
{
    if (m_window.card->device().connectDevice() < 0) {
        if (mode == Loudly)
            message(tr("无法重新连接相机，请检查连接后再试。"));
        return false;
    }
    m_window.cameraWatch()->cameraBack();
    m_window.startDevice(); // sets the remembered settings
    refreshDropped();
    return true;
}

} // namespace lumetra
