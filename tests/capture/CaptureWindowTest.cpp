#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CaptureCardControl.h"
#include "capture/CardCrossbarDialog.h"
#include "capture/CardPreviewDialog.h"
#include "capture/CardPropertyDialog.h"
#include "capture/CaptureSettingsDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::test::CaptureWindowRig;

namespace {

const QString DeviceError = QStringLiteral("设备有错误，请检查后重新建立连接！");

bool enabled(CaptureWindow *form, const char *name)
{
    return form->menuItem(QString::fromLatin1(name))->isEnabled();
}

QWidget *frameOf(CaptureWindow *form)
{
    return childWindowFrame(form);
}

class CaptureWindowTest : public ::testing::Test
{
protected:
    // A window on the simulated card with its first picture on show.
    CaptureWindow *openSimulated()
    {
        rig.useSimulated();
        CaptureWindow *form = rig.open();
        EXPECT_TRUE(test::waitFor([form] { return !form->card->currentFrame().isNull(); }));
        return form;
    }

    CaptureWindowRig rig;
    QTemporaryDir dir;
};

} // namespace

TEST_F(CaptureWindowTest, WithoutACardTheWindowSaysSoClosesAndCallsNothingElse)
{
    rig.driver->nodes.clear();
    rig.useV4l2();
    rig.mainWindow.connectMenu = false;
    EXPECT_EQ(rig.open(), nullptr);
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_EQ(rig.dialogs.messages[0].text, QStringLiteral("无设备可连接!"));
    EXPECT_EQ(rig.dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    // No empty window is left behind the message, and the connect command works again.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rig.mdi.subWindowList().isEmpty());
    EXPECT_TRUE(rig.mainWindow.connectMenu);
    // Loading asks for the channel only; the main window then writes the standard.
    EXPECT_EQ(rig.log->take(), (QStringList{QStringLiteral("connect"), QStringLiteral("standard=1")}));
}

TEST_F(CaptureWindowTest, OpeningSetsTheStandardFormatFitsAndNamesTheChannel)
{
    CaptureWindow *form = openSimulated();
    const QStringList calls = rig.log->take();
    ASSERT_GE(calls.size(), 6);
    EXPECT_EQ(calls.mid(0, 6), (QStringList{QStringLiteral("connect"), QStringLiteral("format(640,480,0)"),
                                            QStringLiteral("read format"), QStringLiteral("read format"),
                                            QStringLiteral("connect"), QStringLiteral("read format")}));
    EXPECT_EQ(calls.last(), QStringLiteral("standard=1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("第0路: 640 x 480"));
    EXPECT_EQ(form->card->get(12), 1);
    EXPECT_EQ(form->card->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(form->clientArea()->size(), QSize(640, 480));
    EXPECT_FALSE(enabled(form, "mnuRun"));
    EXPECT_TRUE(enabled(form, "mnuPause"));
    EXPECT_TRUE(enabled(form, "mnuStop"));
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
}

TEST_F(CaptureWindowTest, TheTitleCarriesTheDeviceNumberOfAV4l2Card)
{
    rig.driver->nodes = {{QStringLiteral("/dev/video0"), false}, {QStringLiteral("/dev/video3"), true}};
    rig.driver->formats << V4L2_PIX_FMT_RGB555;
    rig.useV4l2();
    CaptureWindow *form = rig.open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("第3路: 640 x 480"));
    EXPECT_EQ(rig.driver->currentStandard(), V4L2_STD_PAL);
    // The live picture is what the driver sends.
    ASSERT_TRUE(test::waitFor([form] { return !form->card->currentFrame().isNull(); }));
    const QImage shown = form->card->grab().toImage();
    EXPECT_TRUE(test::closeColour(shown.pixel(100, 100), rig.driver->frameColour.rgb(), 8));
}

TEST_F(CaptureWindowTest, ARefusedFormatGreysTheOperationsAndSaysWhy)
{
    rig.useV4l2(); // the fake driver has no RGB555
    CaptureWindow *form = rig.open();
    EXPECT_FALSE(enabled(form, "mnuOperate"));
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_EQ(rig.dialogs.messages[0].text, DeviceError);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Form1"));
    EXPECT_TRUE(frameOf(form)->isVisible());
}

TEST_F(CaptureWindowTest, MenuCaptionsAndNestingAreExactAndAllStartEnabled)
{
    rig.useSimulated();
    CaptureWindow form(rig.context);
    const QList<QAction *> top = form.menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0]->text(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("操作(&P)"));
    EXPECT_EQ(top[2]->text(), QStringLiteral("伪彩色"));
    EXPECT_EQ(top[3]->text(), QStringLiteral("标定"));
    EXPECT_EQ(top[4]->text(), QStringLiteral("相机(&C)"));
    const auto texts = [](QMenu *menu) {
        QStringList t;
        for (QAction *a : menu->actions())
            t << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return t;
    };
    EXPECT_EQ(texts(top[0]->menu()), QStringList{QStringLiteral("退出(&X)")});
    EXPECT_EQ(texts(top[1]->menu()),
              (QStringList{QStringLiteral("显示系统对话框"), QStringLiteral("视频流状态"),
                           QStringLiteral("-"), QStringLiteral("存为BMP图片"), QStringLiteral("存为JPG图片"),
                           QStringLiteral("-"), QStringLiteral("设置视频参数"), QStringLiteral("标准尺寸"),
                           QStringLiteral("-"), QStringLiteral("实时测量")}));
    EXPECT_EQ(texts(top[2]->menu()),
              (QStringList{QStringLiteral("灰度"), QStringLiteral("彩虹"), QStringLiteral("感知均匀（viridis）"),
                           QStringLiteral("高对比度"), QStringLiteral("-"), QStringLiteral("饱和像素标色"),
                           QStringLiteral("噪声以下显示为黑色"), QStringLiteral("色标"),
                           QStringLiteral("等高线（13.5 %、50 %）")}));
    EXPECT_EQ(
        texts(form.menuItem(QStringLiteral("mnuShowDlg"))->menu()),
        (QStringList{QStringLiteral("视频属性"), QStringLiteral("通道选择"), QStringLiteral("显示属性")}));
    EXPECT_EQ(texts(form.menuItem(QStringLiteral("mnuStreamState"))->menu()),
              (QStringList{QStringLiteral("运行"), QStringLiteral("暂停"), QStringLiteral("停止")}));
    for (const char *name :
         {"mnuFile", "mnuFileExit", "mnuOperate", "mnuShowDlg", "mnuDlgCaptureFilter", "mnuDlgCrossbar",
          "mnuDlgPreviewPin", "mnuStreamState", "mnuRun", "mnuPause", "mnuStop", "mnuBar0", "mnuSaveBMP",
          "mnuSaveJPG", "mnuBar1", "mnuConfig", "mnuNormalSize", "mnuLiveMeasure", "mnuCalibrate"})
        EXPECT_TRUE(enabled(&form, name)) << name;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form1"));
}

TEST_F(CaptureWindowTest, RunPauseAndStopFollowTheStateTable)
{
    CaptureWindow *form = openSimulated();
    CaptureDevice &device = form->card->device();
    struct Row
    {
        const char *command;
        StreamState state;
        bool run, pause, stop;
    };
    for (const Row &row : {Row{"mnuPause", StreamState::Paused, true, false, true},
                           Row{"mnuRun", StreamState::Running, false, true, true},
                           Row{"mnuStop", StreamState::Stopped, true, false, false},
                           Row{"mnuRun", StreamState::Running, false, true, true},
                           Row{"mnuStop", StreamState::Stopped, true, false, false}}) {
        SCOPED_TRACE(row.command);
        form->menuItem(QString::fromLatin1(row.command))->trigger();
        EXPECT_EQ(device.streamState(), row.state);
        EXPECT_EQ(enabled(form, "mnuRun"), row.run);
        EXPECT_EQ(enabled(form, "mnuPause"), row.pause);
        EXPECT_EQ(enabled(form, "mnuStop"), row.stop);
    }
    // Standard size starts the picture again and the menu with it.
    form->menuItem(QStringLiteral("mnuNormalSize"))->trigger();
    EXPECT_EQ(device.streamState(), StreamState::Running);
    EXPECT_FALSE(enabled(form, "mnuRun"));
}

TEST_F(CaptureWindowTest, StandardSizeRestoresAMaximizedWindowAndFitsItAgain)
{
    CaptureWindow *form = openSimulated();
    frameOf(form)->showMaximized();
    ASSERT_TRUE(frameOf(form)->isMaximized());
    form->menuItem(QStringLiteral("mnuNormalSize"))->trigger();
    EXPECT_FALSE(frameOf(form)->isMaximized());
    EXPECT_EQ(form->clientArea()->size(), QSize(640, 480));
}

TEST_F(CaptureWindowTest, StandardSizeWithoutACardOnlyRestoresTheWindow)
{
    rig.driver->nodes.clear();
    rig.useV4l2();
    // The window itself, loaded without the connect command (which closes it again).
    auto *form = new CaptureWindow(rig.context);
    showChildWindow(rig.context, form);
    form->load();
    frameOf(form)->showMaximized();
    rig.log->take();
    form->mnuNormalSize_Click(); // the menu is greyed; the command itself still behaves
    EXPECT_FALSE(frameOf(form)->isMaximized());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("未连接"));
    EXPECT_TRUE(rig.log->take().isEmpty());
    EXPECT_EQ(rig.dialogs.messages.size(), 1);
}

TEST_F(CaptureWindowTest, TheDisplayDialogResizesVideoWindowAndTitle)
{
    CaptureWindow *form = openSimulated();
    rig.runner = [](QDialog &dialog) {
        auto &preview = dynamic_cast<CardPreviewDialog &>(dialog);
        preview.sizeList()->setCurrentIndex(preview.sizeList()->findText(QStringLiteral("320 x 240")));
        preview.accept();
        return dialog.result();
    };
    rig.log->take();
    form->menuItem(QStringLiteral("mnuDlgPreviewPin"))->trigger();
    EXPECT_TRUE(rig.log->take().contains(QStringLiteral("format(320,240,0)")));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("第0路: 320 x 240"));
    EXPECT_EQ(form->card->geometry(), QRect(0, 0, 320, 240));
    EXPECT_EQ(form->clientArea()->size(), QSize(320, 240));
}

TEST_F(CaptureWindowTest, TheCardsOwnDialogsChangeTheDevice)
{
    rig.driver->formats << V4L2_PIX_FMT_RGB555;
    rig.useV4l2();
    CaptureWindow *form = rig.open();
    rig.runner = [](QDialog &dialog) {
        auto &properties = dynamic_cast<CardPropertyDialog &>(dialog);
        for (int row = 0; row < properties.rowCount(); ++row)
            if (properties.rowName(row) == QStringLiteral("Hue"))
                properties.slider(row)->setValue(1234);
        return int(QDialog::Accepted);
    };
    form->menuItem(QStringLiteral("mnuDlgCaptureFilter"))->trigger();
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_HUE), 1200); // the driver's step

    rig.runner = [](QDialog &dialog) {
        auto &crossbar = dynamic_cast<CardCrossbarDialog &>(dialog);
        EXPECT_EQ(crossbar.inputList()->count(), 3);
        crossbar.inputList()->setCurrentRow(2);
        crossbar.accept();
        return dialog.result();
    };
    form->menuItem(QStringLiteral("mnuDlgCrossbar"))->trigger();
    EXPECT_EQ(form->card->get(16), 2);
}

TEST_F(CaptureWindowTest, ParameterDialogFormatChangeRefitsWithoutRetitling)
{
    CaptureWindow *form = openSimulated();
    rig.runner = [](QDialog &dialog) {
        auto &config = dynamic_cast<CaptureSettingsDialog &>(dialog);
        config.editWidth->setText(QStringLiteral("320"));
        config.editHeight->setText(QStringLiteral("240"));
        config.btnResetParame->click();
        return int(QDialog::Rejected);
    };
    form->menuItem(QStringLiteral("mnuConfig"))->trigger();
    EXPECT_EQ(rig.dialogs.messages.last().text, QStringLiteral("设置成功"));
    EXPECT_EQ(form->clientArea()->size(), QSize(320, 240));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("第0路: 640 x 480"));
}

TEST_F(CaptureWindowTest, SaveCancelledDoesNothing)
{
    CaptureWindow *form = openSimulated();
    rig.dialogs.fileAnswers.push_back(std::nullopt);
    form->menuItem(QStringLiteral("mnuSaveBMP"))->trigger();
    ASSERT_EQ(rig.dialogs.saveRequests.size(), 1);
    const Dialogs::FileRequest &request = rig.dialogs.saveRequests[0];
    EXPECT_EQ(request.initialDirectory, QStringLiteral("c:\\"));
    EXPECT_EQ(request.filter, QStringLiteral("Bitmaps|*.bmp|ALL Images|*.bmp"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("bmp"));
    EXPECT_TRUE(rig.dialogs.messages.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(CaptureWindowTest, AnsweringNoToOverwriteKeepsTheOldFile)
{
    CaptureWindow *form = openSimulated();
    const QString path = dir.filePath(QStringLiteral("old.jpg"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    rig.dialogs.fileAnswers.push_back(path);
    rig.dialogs.messageAnswers.push_back(Dialogs::Answer::No);
    form->menuItem(QStringLiteral("mnuSaveJPG"))->trigger();
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    const ScriptedDialogs::Message &question = rig.dialogs.messages[0];
    EXPECT_EQ(question.text, QStringLiteral("此文件已存在，是否覆盖?"));
    EXPECT_EQ(question.title, QStringLiteral("警告!!"));
    EXPECT_EQ(question.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(question.icon, Dialogs::Icon::Critical);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
}

TEST_F(CaptureWindowTest, SavedFramesAreCompletePicturesOfTheVideo)
{
    CaptureWindow *form = openSimulated();
    const QString jpeg = dir.filePath(QStringLiteral("frame.jpg"));
    rig.dialogs.fileAnswers.push_back(jpeg);
    form->menuItem(QStringLiteral("mnuSaveJPG"))->trigger();
    EXPECT_EQ(rig.dialogs.saveRequests[0].filter,
              QStringLiteral("JPEG Images|*.jpg|ALL Images|*.jpg"));
    EXPECT_EQ(rig.dialogs.saveRequests[0].defaultSuffix, QStringLiteral("jpg"));
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_EQ(rig.dialogs.messages[0].text, QStringLiteral("图像存为　") + jpeg + QStringLiteral("！"));
    EXPECT_TRUE(rig.dialogs.messages[0].title.isEmpty());
    QImageReader reader(jpeg);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage saved = reader.read();
    EXPECT_EQ(saved.size(), QSize(640, 480));

    // Overwriting an existing BMP after answering Yes; paused, so that the picture stays put.
    form->menuItem(QStringLiteral("mnuPause"))->trigger();
    test::waitFor([] { return false; }, 50); // a frame still on its way lands now
    const QString bmp = dir.filePath(QStringLiteral("frame.bmp"));
    {
        QFile old(bmp);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    rig.dialogs.fileAnswers.push_back(bmp);
    rig.dialogs.messageAnswers.push_back(Dialogs::Answer::Yes);
    form->menuItem(QStringLiteral("mnuSaveBMP"))->trigger();
    EXPECT_EQ(rig.dialogs.messages.last().text, QStringLiteral("图像存为　") + bmp + QStringLiteral("！"));
    EXPECT_EQ(QImageReader(bmp).format(), QByteArray("bmp"));
    // A BMP keeps the picture on show exactly.
    const QImage picture = QImage(bmp).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(picture, form->card->currentFrame().convertToFormat(QImage::Format_RGB32));
}

TEST_F(CaptureWindowTest, AFailedSaveSaysSoAndLeavesNoFile)
{
    CaptureWindow *form = openSimulated();
    const QString path = dir.filePath(QStringLiteral("missing/frame.bmp"));
    rig.dialogs.fileAnswers.push_back(path);
    form->menuItem(QStringLiteral("mnuSaveBMP"))->trigger();
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_EQ(rig.dialogs.messages[0].text, QStringLiteral("保存失败！"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(CaptureWindowTest, ExitReleasesTheCardAndTheMainWindowGetsItsCommandsBack)
{
    CaptureWindow *form = openSimulated();
    rig.mainWindow.connectMenu = false;
    rig.mainWindow.buttons[1] = false;
    QPointer<CaptureWindow> alive(form);
    rig.log->take();
    form->menuItem(QStringLiteral("mnuFileExit"))->trigger();
    EXPECT_TRUE(rig.log->take().contains(QStringLiteral("release")));
    EXPECT_TRUE(test::waitFor([&] { return alive.isNull(); }));
    EXPECT_TRUE(rig.mainWindow.connectMenu);
    EXPECT_TRUE(rig.mainWindow.buttons[1]);
}

TEST_F(CaptureWindowTest, TheCloseBoxGivesTheCommandsBackWithoutReleasing)
{
    CaptureWindow *form = openSimulated();
    rig.mainWindow.connectMenu = false;
    rig.mainWindow.buttons[1] = false;
    rig.log->take();
    frameOf(form)->close();
    EXPECT_FALSE(rig.log->take().contains(QStringLiteral("release")));
    EXPECT_TRUE(rig.mainWindow.connectMenu);
    EXPECT_TRUE(rig.mainWindow.buttons[1]);
}

TEST_F(CaptureWindowTest, AnUnpluggedCardStopsTheStreamWithAMessage)
{
    rig.driver->formats << V4L2_PIX_FMT_RGB555;
    rig.useV4l2();
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(test::waitFor([form] { return !form->card->currentFrame().isNull(); }));
    rig.driver->unplug();
    ASSERT_TRUE(test::waitFor([&] { return !rig.dialogs.messages.isEmpty(); }));
    EXPECT_TRUE(rig.dialogs.messages[0].text.startsWith(DeviceError));
    EXPECT_GT(rig.dialogs.messages[0].text.size(), DeviceError.size()); // with the reason
    EXPECT_FALSE(enabled(form, "mnuOperate"));
    EXPECT_EQ(form->card->device().streamState(), StreamState::Stopped);
    EXPECT_FALSE(form->card->currentFrame().isNull()); // the last picture stays
}
