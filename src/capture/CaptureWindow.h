#pragma once

#include "capture/ModalRunner.h"
#include "platform/ports/AppContext.h"
#include "platform/ports/CaptureFramePort.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;

namespace lumetra {

class CameraMenu;
class CameraWatch;
class RecordingIndicator;
class CaptureCardControl;
class LiveMeasurement;
class FalseColourMenu;

// The capture window: the live picture of the capture card (card) at the top-left of the
// client area, fitted so that the client area is exactly the video picture, and the menu that
// runs, pauses and stops the stream, opens the card's dialogs and the parameter dialog and
// stores the picture as BMP or JPEG. The title tells the connection: "未连接" when there is no
// card, else the channel and the video size. A new window is made by each connect command.
class CaptureWindow : public QMainWindow, public CaptureFramePort
{
    Q_OBJECT

public:
    explicit CaptureWindow(AppContext &context, QWidget *parent = nullptr);
    ~CaptureWindow() override;

    // Window load: connects the card and runs Standard size, or reports that there is none.
    void load();

    CaptureCardControl *card = nullptr;

    // A menu entry by its control name (mnuFile, mnuFileExit, mnuOperate, mnuShowDlg, ...);
    // nullptr for an unknown name. Menus answer with their menu action.
    QAction *menuItem(const QString &name) const;
    // The client area the video picture fills.
    QWidget *clientArea() const { return m_client; }
    // How the parameter dialog and the card's own dialogs are shown.
    void setModalRunner(ModalRunner runner);

    void mnuFileExit_Click();
    void mnuDlgCaptureFilter_Click();
    void mnuDlgCrossbar_Click();
    void mnuDlgPreviewPin_Click();
    void mnuRun_Click();
    void mnuPause_Click();
    void mnuStop_Click();
    void mnuSaveBMP_Click();
    void mnuSaveJPG_Click();
    void mnuConfig_Click();
    void mnuNormalSize_Click();
    // "实时测量": live measurement of every frame shown, with its strip and plots under the video.
    void mnuLiveMeasure_Click();
    LiveMeasurement *liveMeasurement() const { return m_live; }
    // "伪彩色": the video's palette, colour bar and contours.
    FalseColourMenu *falseColourMenu() const { return m_falseColour; }
    // The "相机" menu: device choice, camera settings and the measurement aids.
    CameraMenu *cameraMenu() const { return m_cameraMenu; }
    // Whether the camera answers; it greys the picture and retries while it does not.
    CameraWatch *cameraWatch() const { return m_cameraWatch; }
    // "● 记录中 … → path" with 停止 while 长期记录 records.
    RecordingIndicator *recordingIndicator() const { return m_recording; }
    // "帧率 N 帧/秒" in the status bar.
    void showFrameRate(double fps);
    // A message box, one at a time: a message while one is open goes to the status bar.
    void say(const QString &text);
    // Connects the device now behind the card and runs it, as on opening the window.
    void startDevice();
    AppContext &context() const { return m_context; }
    const ModalRunner &modalRunner() const { return m_runModal; }

    // CaptureFramePort: the picture on show.
    QImage currentFrame() const override;
    // The card's channel, video size, standard and picture controls.
    QString cameraSettings() const override;
    void calibrationChanged() override;
    bool setFrameJob(FrameJob job) override;

    // False once loading found no device.
    bool isConnected() const;

    static QString bmpFilter();
    static QString jpegFilter();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                     void (CaptureWindow::*handler)());
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    void restoreFromMaximized();
    void fitToVideo();
    void setConnectedTitle();
    void setStreamMenu(bool runEnabled, bool pauseEnabled, bool stopEnabled);
    void saveFrame(bool jpeg);
    void deviceFailed(const QString &reason);

    AppContext &m_context;
    QWidget *m_client = nullptr;
    QHash<QString, QAction *> m_items;
    LiveMeasurement *m_live = nullptr;
    FalseColourMenu *m_falseColour = nullptr;
    CameraMenu *m_cameraMenu = nullptr;
    CameraWatch *m_cameraWatch = nullptr;
    RecordingIndicator *m_recording = nullptr;
    bool m_saying = false;
    QLabel *m_frameRate = nullptr;
    ModalRunner m_runModal = execRunner();
};

} // namespace lumetra
