// The main window: captions, keys, the commands through real clicks, the main-window port and
// the banner strip.
#include "AppTestContext.h"

#include "app/banner/BannerAnimation.h"
#include "app/banner/BannerStrip.h"
#include "app/PictureHistory.h"
#include "app/WindowMenu.h"
#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "caustic/CausticWindow.h"
#include "platform/dialogs/SurfaceView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace lumetra {
namespace {

using Request = Dialogs::FileRequest;

constexpr Colour BannerBorder = rgb(12, 34, 56);

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage bitmap(60, 41, QImage::Format_RGB32);
        bitmap.fill(toQRgb(BannerBorder));
        for (int x = 10; x < 50; ++x)
            for (int y = 10; y < 30; ++y)
                bitmap.setPixel(x, y, qRgb(250, 240, 100));
        bannerPath = dir.filePath(QStringLiteral("guanggao.bmp"));
        ASSERT_TRUE(bitmap.save(bannerPath, "BMP"));
    }

    MainWindow &makeWindow(bool withCapture = false)
    {
        if (withCapture)
            app.context.openCaptureWindow = [this](bool fromToolbar) { captureOpens.push_back(fromToolbar); };
        app.context.openWorkspace = [this](const QString &path) {
            ++workspaceOpens;
            if (workspaceAccepts)
                shownPath = path;
            return workspaceAccepts;
        };
        window = std::make_unique<MainWindow>(app.context, bannerPath, history());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }

    void clickToolbar(int index)
    {
        QWidget *button = window->toolbar()->widgetForAction(window->toolbarButton(index));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void clickMenuBar(const QString &name)
    {
        QMenuBar *bar = window->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->menuItem(name)).center());
    }

    // Opened pictures are remembered in a file of the test's own.
    std::unique_ptr<PictureHistory> history() const
    {
        return std::make_unique<PictureHistory>(dir.filePath(QStringLiteral("history.ini")));
    }

    QList<AboutDialog *> aboutBoxes() const { return window->mdiArea()->findChildren<AboutDialog *>(); }

    QTemporaryDir dir;
    QString bannerPath;
    testing::AppTestContext app;
    std::unique_ptr<MainWindow> window;
    std::vector<bool> captureOpens;
    int workspaceOpens = 0;
    bool workspaceAccepts = true;
    QString shownPath; // the picture the workspace shows, as the opener was given it
};

TEST_F(MainWindowTest, CaptionMenuBarAndItemsAreExact)
{
    MainWindow &w = makeWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Lumetra(For Win2000)"));

    const QList<QAction *> all = w.menuBar()->actions();
    ASSERT_EQ(all.size(), 7);
    // "文件" first: the open command and, under it, the recent pictures.
    EXPECT_EQ(all[0]->text(), QString::fromUtf8("文件"));
    ASSERT_NE(all[0]->menu(), nullptr);
    EXPECT_EQ(all[0]->menu()->actions().first()->text(), QString::fromUtf8("打开图像文件…"));
    const QList<QAction *> top = all.mid(1);
    EXPECT_EQ(top[5]->text(), QString::fromUtf8("窗口"));
    EXPECT_EQ(top[0]->text(), QString::fromUtf8("视频卡"));
    EXPECT_EQ(top[0]->objectName(), QStringLiteral("capture_ca"));
    EXPECT_EQ(top[1]->text(), QString::fromUtf8("打 开"));
    EXPECT_EQ(top[1]->objectName(), QStringLiteral("open_file"));
    EXPECT_EQ(top[2]->text(), QString::fromUtf8("M²…"));
    EXPECT_EQ(top[2]->objectName(), QStringLiteral("m2_caustic"));
    // "选项": the interface's language, named in both languages.
    EXPECT_EQ(top[3]->text(), QString::fromUtf8("选项"));
    EXPECT_EQ(top[3]->objectName(), QStringLiteral("options_menu"));
    ASSERT_NE(top[3]->menu(), nullptr);
    EXPECT_EQ(top[3]->menu()->actions().first()->text(), QString::fromUtf8("语言 / Language"));
    EXPECT_EQ(top[4]->text(), QString::fromUtf8("帮\u3000助"));
    EXPECT_EQ(top[4]->objectName(), QStringLiteral("sys_help"));
    EXPECT_EQ(top[1]->menu(), nullptr);
    EXPECT_EQ(top[2]->menu(), nullptr);
    EXPECT_EQ(top[4]->menu(), nullptr);

    ASSERT_NE(top[0]->menu(), nullptr);
    QList<QAction *> sub = top[0]->menu()->actions();
    sub.removeIf([](QAction *a) { return a->isSeparator(); }); // no recent pictures yet
    ASSERT_EQ(sub.size(), 2);
    EXPECT_EQ(sub[0]->text(), QString::fromUtf8("连接视频卡\u3000"));
    EXPECT_EQ(sub[0]->objectName(), QStringLiteral("conn_capture"));
    EXPECT_EQ(sub[1]->text(), QString::fromUtf8("退\u3000出"));
    EXPECT_EQ(sub[1]->objectName(), QStringLiteral("sys_exit"));
    EXPECT_EQ(w.menuItem(QStringLiteral("nothing")), nullptr);
}

TEST_F(MainWindowTest, ToolbarHasFiveButtonsWithKeysLabelsAndASeparatorAtFour)
{
    MainWindow &w = makeWindow();
    EXPECT_EQ(w.toolbar()->objectName(), QStringLiteral("toolBar"));
    const QList<QAction *> actions = w.toolbar()->actions();
    ASSERT_EQ(actions.size(), 5);
    const struct
    {
        const char *key;
        const char *label;
    } expected[] = {{"tbar_capu", "连接视频卡"},
                    {"tbar_openfile", "打开图像文件"},
                    {"tbar_help", "帮助"},
                    {nullptr, nullptr},
                    {"tbar_exit", "退出系统"}};
    for (int i = 0; i < 5; ++i) {
        QAction *button = w.toolbarButton(i + 1);
        ASSERT_EQ(button, actions[i]) << "index " << i + 1;
        if (!expected[i].key) {
            EXPECT_TRUE(button->isSeparator());
            continue;
        }
        EXPECT_EQ(button->data().toString(), QString::fromLatin1(expected[i].key));
        EXPECT_EQ(button->text(), QString::fromUtf8(expected[i].label));
        EXPECT_FALSE(button->icon().isNull()) << expected[i].key;
    }
    EXPECT_EQ(w.toolbarButton(0), nullptr);
    EXPECT_EQ(w.toolbarButton(6), nullptr);
}

TEST_F(MainWindowTest, BecomesTheProgramsMainWindow)
{
    MainWindow &w = makeWindow();
    EXPECT_EQ(app.context.mainWindow, &w);
    EXPECT_EQ(app.context.mdiArea, w.mdiArea());
    window.reset();
    EXPECT_EQ(app.context.mainWindow, nullptr);
    EXPECT_EQ(app.context.mdiArea, nullptr);
}

TEST_F(MainWindowTest, UnknownToolbarKeysDoNothing)
{
    MainWindow &w = makeWindow(true);
    for (const QString &key : {QStringLiteral("tbar_unknown"), QString(), QStringLiteral("TBAR_HELP"),
                               QStringLiteral("sys_help"), QStringLiteral("tbar_openfile ")})
        w.Toolbar1_ButtonClick(key);
    EXPECT_TRUE(app.dialogs.openRequests.isEmpty());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_TRUE(captureOpens.empty());
    EXPECT_EQ(workspaceOpens, 0);
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(w.isVisible());
    for (int index : {1, 2, 3, 5})
        EXPECT_TRUE(w.toolbarButtonEnabled(index)) << index;
    EXPECT_TRUE(w.connectMenuEnabled());
}

TEST_F(MainWindowTest, OpenFromToolbarAsksWithTheImageFilterStoresThePathAndOpensTheWorkspace)
{
    MainWindow &w = makeWindow(true);
    app.dialogs.fileAnswers.push_back(QStringLiteral("/data/spot.bmp"));
    clickToolbar(2);

    ASSERT_EQ(app.dialogs.openRequests.size(), 1);
    const Request &request = app.dialogs.openRequests.front();
    // Labels without patterns, as Qt adds them; the first entry lists every readable format.
    const QStringList entries = qtFilterList(request.filter);
    ASSERT_GE(entries.size(), 6);
    EXPECT_TRUE(entries[0].startsWith(QStringLiteral("所有图片 (*.bmp *.jpg *.jpeg *.png *.pgm *.ppm *.tif *.tiff")));
    EXPECT_EQ(entries.mid(1, 5), QStringList({"Bitmaps (*.bmp)", "JPEG Images (*.jpg *.jpeg)", "PNG (*.png)",
                                              "PGM / PPM (*.pgm *.ppm)", "TIFF (*.tif *.tiff)"}));
    EXPECT_EQ(request.initialDirectory, QStringLiteral("c:\\"));
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(shownPath, QStringLiteral("/data/spot.bmp"));
    EXPECT_EQ(workspaceOpens, 1);
    EXPECT_FALSE(w.toolbarButtonEnabled(1));
    EXPECT_FALSE(w.toolbarButtonEnabled(2));
    EXPECT_TRUE(w.toolbarButtonEnabled(3));
    EXPECT_TRUE(w.toolbarButtonEnabled(5));
    // The menu items stay available: a second open stores the new path.
    EXPECT_TRUE(w.menuItem(QStringLiteral("open_file"))->isEnabled());
    EXPECT_TRUE(w.connectMenuEnabled());
}

TEST_F(MainWindowTest, OpenFromTheMenuBarWorksWhileTheWorkspaceIsOpen)
{
    MainWindow &w = makeWindow();
    app.dialogs.fileAnswers.push_back(QStringLiteral("/data/a.jpg"));
    app.dialogs.fileAnswers.push_back(QStringLiteral("/data/b.jpg"));
    clickMenuBar(QStringLiteral("open_file"));
    ASSERT_EQ(shownPath, QStringLiteral("/data/a.jpg"));
    clickMenuBar(QStringLiteral("open_file"));
    EXPECT_EQ(app.dialogs.openRequests.size(), 2);
    EXPECT_EQ(shownPath, QStringLiteral("/data/b.jpg"));
    EXPECT_EQ(workspaceOpens, 2);
    EXPECT_FALSE(w.toolbarButtonEnabled(2));
}

TEST_F(MainWindowTest, CancelledOrBlankNamesChangeNothing)
{
    MainWindow &w = makeWindow(true);
    shownPath = QStringLiteral("/kept.bmp");
    app.dialogs.fileAnswers.push_back(std::nullopt);
    for (const char *blank : {"", " ", "    ", "\t", " \t "})
        app.dialogs.fileAnswers.push_back(QString::fromLatin1(blank));
    for (int i = 0; i < 6; ++i)
        clickToolbar(2);

    EXPECT_EQ(app.dialogs.openRequests.size(), 6);
    EXPECT_EQ(shownPath, QStringLiteral("/kept.bmp"));
    EXPECT_EQ(workspaceOpens, 0);
    EXPECT_TRUE(w.toolbarButtonEnabled(1));
    EXPECT_TRUE(w.toolbarButtonEnabled(2));
}

TEST_F(MainWindowTest, AnIdeographicSpaceIsPartOfANameNotABlank)
{
    makeWindow();
    const QString name = QString::fromUtf8("\u3000");
    app.dialogs.fileAnswers.push_back(name);
    clickToolbar(2);
    EXPECT_EQ(shownPath, name);
    EXPECT_EQ(workspaceOpens, 1);
}

TEST_F(MainWindowTest, ARefusedPictureLeavesTheButtonsEnabled)
{
    MainWindow &w = makeWindow(true);
    shownPath = QStringLiteral("/data/shown.bmp");
    workspaceAccepts = false;
    app.dialogs.fileAnswers.push_back(QStringLiteral("/data/broken.jpg"));
    clickToolbar(2);
    // The picture on screen stays, not the refused one.
    EXPECT_EQ(shownPath, QStringLiteral("/data/shown.bmp"));
    EXPECT_EQ(workspaceOpens, 1);
    EXPECT_TRUE(w.toolbarButtonEnabled(1));
    EXPECT_TRUE(w.toolbarButtonEnabled(2));
}

TEST_F(MainWindowTest, WithoutAWorkspaceOpenerNothingChanges)
{
    app.context.openWorkspace = nullptr;
    window = std::make_unique<MainWindow>(app.context, bannerPath, history());
    EXPECT_FALSE(window->openImageFile(QStringLiteral("/data/x.bmp")));
    EXPECT_EQ(shownPath, QString());
    EXPECT_TRUE(window->toolbarButtonEnabled(2));
}

TEST_F(MainWindowTest, OpenImageFileReportsWhetherTheWorkspaceOpened)
{
    makeWindow();
    EXPECT_TRUE(window->openImageFile(QStringLiteral("/data/ok.bmp")));
    workspaceAccepts = false;
    EXPECT_FALSE(window->openImageFile(QStringLiteral("/data/refused.bmp")));
    EXPECT_FALSE(window->openImageFile(QStringLiteral("  ")));
    EXPECT_EQ(workspaceOpens, 2);
}

TEST_F(MainWindowTest, ConnectIsUnavailableUntilACaptureWindowIsWired)
{
    MainWindow &w = makeWindow(false);
    EXPECT_FALSE(w.connectMenuEnabled());
    EXPECT_FALSE(w.toolbarButtonEnabled(1));
    w.conn_capture_Click();
    w.Toolbar1_ButtonClick(QStringLiteral("tbar_capu"));
    EXPECT_TRUE(captureOpens.empty());
}

TEST_F(MainWindowTest, ConnectWiredAfterConstructionBecomesAvailableWhenShown)
{
    window = std::make_unique<MainWindow>(app.context, bannerPath, history());
    EXPECT_FALSE(window->connectMenuEnabled());
    app.context.openCaptureWindow = [this](bool fromToolbar) { captureOpens.push_back(fromToolbar); };
    window->show();
    EXPECT_TRUE(window->connectMenuEnabled());
    EXPECT_TRUE(window->toolbarButtonEnabled(1));
}

TEST_F(MainWindowTest, ConnectFromTheMenuDisablesOnlyTheMenuItem)
{
    MainWindow &w = makeWindow(true);
    w.menuItem(QStringLiteral("conn_capture"))->trigger();
    EXPECT_EQ(captureOpens, std::vector<bool>{false});
    EXPECT_FALSE(w.connectMenuEnabled());
    EXPECT_TRUE(w.toolbarButtonEnabled(1));
}

TEST_F(MainWindowTest, ConnectFromTheToolbarDisablesTheMenuItemAndButtonOne)
{
    MainWindow &w = makeWindow(true);
    clickToolbar(1);
    EXPECT_EQ(captureOpens, std::vector<bool>{true});
    EXPECT_FALSE(w.connectMenuEnabled());
    EXPECT_FALSE(w.toolbarButtonEnabled(1));
    EXPECT_TRUE(w.toolbarButtonEnabled(2));
    // A disabled button cannot be clicked again.
    clickToolbar(1);
    EXPECT_EQ(captureOpens.size(), 1u);
}

TEST_F(MainWindowTest, HelpOpensANewAboutBoxAtThreeHundredOneFiftyEachTime)
{
    MainWindow &w = makeWindow();
    clickToolbar(3);
    ASSERT_EQ(aboutBoxes().size(), 1);
    AboutDialog *first = aboutBoxes().front();
    EXPECT_EQ(childWindowFrame(first)->pos(), QPoint(300, 150));
    EXPECT_NE(qobject_cast<QMdiSubWindow *>(childWindowFrame(first)), nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());

    clickMenuBar(QStringLiteral("sys_help"));
    ASSERT_EQ(aboutBoxes().size(), 2);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    for (AboutDialog *box : aboutBoxes())
        EXPECT_EQ(childWindowFrame(box)->pos(), QPoint(300, 150));
}

TEST_F(MainWindowTest, WindowMenuArrangesAndListsTheOpenWindows)
{
    MainWindow &w = makeWindow();
    w.resize(1200, 900);
    WindowMenu *menu = w.windowMenu();
    menu->refresh();
    EXPECT_TRUE(menu->windowActions().isEmpty());
    EXPECT_FALSE(menu->tileAction()->isEnabled());

    clickToolbar(3);
    clickToolbar(3);
    const QList<QMdiSubWindow *> windows = w.mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    emit menu->menu()->aboutToShow();
    QList<QAction *> entries = menu->windowActions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + windows[0]->windowTitle());
    EXPECT_TRUE(entries[1]->isChecked()); // the newest is active
    EXPECT_FALSE(entries[0]->isChecked());

    entries[0]->trigger();
    EXPECT_EQ(w.mdiArea()->activeSubWindow(), windows[0]);

    // Both opened at (300, 150); tiled, they no longer overlap; cascaded, they are offset.
    menu->tileAction()->trigger();
    EXPECT_FALSE(windows[0]->geometry().intersects(windows[1]->geometry()));
    menu->cascadeAction()->trigger();
    EXPECT_NE(windows[0]->pos(), windows[1]->pos());
}

TEST_F(MainWindowTest, OpensMaximisedOnTheScreen)
{
    window = std::make_unique<MainWindow>(app.context, bannerPath, history());
    window->showOnScreen();
    EXPECT_TRUE(window->isMaximized());
    // It fills the screen (the offscreen platform adds no title bar, only a thin frame).
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_NEAR(window->frameGeometry().width(), screen.width(), 8);
    EXPECT_NEAR(window->frameGeometry().height(), screen.height(), 8);
}

TEST_F(MainWindowTest, RemembersTheLastFolderAndTheRecentPictures)
{
    MainWindow &w = makeWindow();
    QDir().mkpath(dir.filePath("pictures"));
    QStringList files;
    for (int i = 1; i <= 9; ++i) {
        files << dir.filePath(QStringLiteral("pictures/p%1.bmp").arg(i));
        QFile(files.last()).open(QIODevice::WriteOnly);
    }
    app.dialogs.fileAnswers = {files[0], files[1]};
    w.menuItem("open_file")->trigger();
    w.menuItem("open_file")->trigger();
    ASSERT_EQ(app.dialogs.openRequests.size(), 2);
    EXPECT_EQ(app.dialogs.openRequests[1].initialDirectory, dir.filePath("pictures"));
    for (int i = 2; i < 9; ++i)
        w.openImageFile(files[i]);
    w.openImageFile(files[4]); // opened again: back at the top, listed once

    // Kept between runs: a new main window lists the eight newest, newest first.
    window = std::make_unique<MainWindow>(app.context, bannerPath, history());
    const QList<QAction *> recent = window->recentPictureItems();
    ASSERT_EQ(recent.size(), PictureHistory::RecentLimit);
    EXPECT_EQ(recent[0]->text(), "&1 p5.bmp");
    EXPECT_EQ(recent[1]->text(), "&2 p9.bmp");
    EXPECT_EQ(recent[7]->text(), "&8 p2.bmp");
    EXPECT_TRUE(window->menuItem("capture_ca")->menu()->actions().contains(recent[0]));
    // The same list under "文件", where pictures are opened; its entries open them too.
    const QList<QAction *> fileRecent = window->fileMenuRecentItems();
    ASSERT_EQ(fileRecent.size(), PictureHistory::RecentLimit);
    EXPECT_EQ(fileRecent[1]->text(), "&2 p9.bmp");
    EXPECT_TRUE(window->menuBar()->actions().first()->menu()->actions().contains(fileRecent[0]));
    fileRecent[1]->trigger();
    EXPECT_EQ(shownPath, files[8]);

    window->recentPictureItems()[2]->trigger(); // p8
    EXPECT_EQ(shownPath, files[7]);
    EXPECT_EQ(window->recentPictureItems()[0]->text(), "&1 p8.bmp");

    // A picture deleted since is reported and leaves the list.
    QFile::remove(files[8]);
    window->recentPictureItems()[1]->trigger(); // p9, opened from "文件" above
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.messages[0].text.contains(files[8]));
    window->refreshRecentPictures();
    EXPECT_EQ(window->recentPictureItems().size(), PictureHistory::RecentLimit - 1);
    EXPECT_EQ(window->recentPictureItems()[1]->text(), "&2 p5.bmp");
}

TEST_F(MainWindowTest, APictureDroppedOnTheWindowOpens)
{
    MainWindow &w = makeWindow();
    const auto drop = [&w](const QString &path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dropped);
        return true;
    };
    EXPECT_FALSE(drop(dir.filePath("notes.txt")));
    EXPECT_EQ(workspaceOpens, 0);
    EXPECT_TRUE(drop(dir.filePath("beam.PNG")));
    EXPECT_EQ(workspaceOpens, 1);
    EXPECT_EQ(shownPath, dir.filePath("beam.PNG"));
}

TEST_F(MainWindowTest, ExitFromTheToolbarClosesTheWindowAndWhatItHosts)
{
    MainWindow &w = makeWindow();
    QSignalSpy closed(&w, &MainWindow::closed);
    w.sys_help_Click();
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 1);
    QPointer<QWidget> frame = w.mdiArea()->subWindowList().front();
    clickToolbar(5);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(!frame || !frame->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, ExitFromTheMenuClosesTheWindow)
{
    MainWindow &w = makeWindow();
    QSignalSpy closed(&w, &MainWindow::closed);
    w.menuItem(QStringLiteral("sys_exit"))->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, AHostedWindowThatRefusesToCloseKeepsTheMainWindowOpen)
{
    MainWindow &w = makeWindow();
    class Stubborn : public QWidget
    {
    protected:
        void closeEvent(QCloseEvent *event) override { event->ignore(); }
    };
    QMdiSubWindow *sub = w.mdiArea()->addSubWindow(new Stubborn);
    sub->show();
    QSignalSpy closed(&w, &MainWindow::closed);
    w.sys_exit_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(closed.count(), 0);
}

TEST_F(MainWindowTest, MainWindowPortSwitchesTheButtonsByIndex)
{
    MainWindow &w = makeWindow(true);
    MainWindowPort &port = w;
    port.setToolbarButtonEnabled(2, false);
    EXPECT_FALSE(w.toolbarButton(2)->isEnabled());
    EXPECT_FALSE(port.toolbarButtonEnabled(2));
    port.setToolbarButtonEnabled(2, true);
    EXPECT_TRUE(w.toolbarButton(2)->isEnabled());

    // The separator and indices outside 1..5 are not buttons.
    port.setToolbarButtonEnabled(4, false);
    port.setToolbarButtonEnabled(0, false);
    port.setToolbarButtonEnabled(9, false);
    EXPECT_FALSE(port.toolbarButtonEnabled(4));
    EXPECT_FALSE(port.toolbarButtonEnabled(0));
    for (int index : {1, 2, 3, 5})
        EXPECT_TRUE(port.toolbarButtonEnabled(index)) << index;

    port.setConnectMenuEnabled(false);
    EXPECT_FALSE(w.menuItem(QStringLiteral("conn_capture"))->isEnabled());
    EXPECT_FALSE(port.connectMenuEnabled());
    port.setConnectMenuEnabled(true);
    EXPECT_TRUE(port.connectMenuEnabled());
}

TEST_F(MainWindowTest, BannerStripSpansTheWindowIsFortyOneHighAndTakesTheBitmapsBorderColour)
{
    MainWindow &w = makeWindow();
    BannerStrip *strip = w.bannerStrip();
    auto *view = w.findChild<SurfaceView *>(QStringLiteral("pictureView"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->border(), 0);
    EXPECT_EQ(strip->surface().height(), 41);
    EXPECT_EQ(strip->surface().width(), w.centralWidget()->width());
    EXPECT_EQ(strip->surface().backColour(), BannerBorder);

    w.resize(w.width() - 100, w.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(strip->surface().width(), w.centralWidget()->width());

    QTimer *timer = w.findChild<QTimer *>(QStringLiteral("bannerTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_TRUE(timer->isActive());
}

TEST_F(MainWindowTest, TimerTicksDrawTheBitmapIntoTheStrip)
{
    MainWindow &w = makeWindow();
    w.bannerTimer()->stop();
    w.bannerAnimation().restart();
    PictureSurface &strip = w.bannerStrip()->surface();
    strip.setBackColour(BannerBorder);
    const int w1 = strip.width();
    for (int i = 0; i < 20; ++i)
        w.advanceBanner();
    // X = 20: bitmap columns 0..19 sit at the last 20 columns of the strip.
    EXPECT_EQ(strip.point(w1 - 20 + 15, 15), rgb(250, 240, 100));
    EXPECT_EQ(strip.point(w1 - 20 + 5, 15), BannerBorder);
    EXPECT_EQ(strip.point(w1 - 21, 15), BannerBorder);

    // The real timer drives the same animation.
    const int before = w.bannerAnimation().x();
    w.bannerTimer()->start();
    QTest::qWait(200);
    EXPECT_GT(w.bannerAnimation().x(), before);
}

TEST_F(MainWindowTest, AMissingBannerBitmapLeavesAPlainStrip)
{
    bannerPath = dir.filePath(QStringLiteral("absent.bmp"));
    MainWindow &w = makeWindow();
    EXPECT_FALSE(w.bannerAnimation().hasBitmap());
    EXPECT_FALSE(w.bannerTimer()->isActive());
    PictureSurface &strip = w.bannerStrip()->surface();
    const Colour back = strip.backColour();
    for (int i = 0; i < 10; ++i)
        w.advanceBanner();
    for (int x = 0; x < strip.width(); x += 7)
        ASSERT_EQ(strip.point(x, 20), back);
}

TEST_F(MainWindowTest, ACorruptBannerBitmapLeavesAPlainStrip)
{
    QFile file(bannerPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("BM not really a bitmap");
    file.close();
    MainWindow &w = makeWindow();
    EXPECT_FALSE(w.bannerAnimation().hasBitmap());
    EXPECT_FALSE(w.bannerTimer()->isActive());
}


TEST_F(MainWindowTest, M2MenuOpensTheCausticWindowInTheFrame)
{
    QStandardPaths::setTestModeEnabled(true);
    MainWindow &w = makeWindow();
    CausticWindow::openOnTrigger(w.menuItem(QStringLiteral("m2_caustic")), app.context);
    clickMenuBar(QStringLiteral("m2_caustic"));
    QPointer<CausticWindow> caustic = CausticWindow::instance();
    ASSERT_NE(caustic, nullptr);
    auto *sub = qobject_cast<QMdiSubWindow *>(childWindowFrame(caustic));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->mdiArea(), w.mdiArea());
    // A second command brings the same window forward.
    clickMenuBar(QStringLiteral("m2_caustic"));
    EXPECT_EQ(CausticWindow::instance(), caustic);
    w.mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(caustic, nullptr);
}

} // namespace
} // namespace lumetra
