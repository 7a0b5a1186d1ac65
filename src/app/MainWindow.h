#pragma once

#include "app/PictureHistory.h"
#include "platform/ports/AppContext.h"
#include "platform/ports/MainWindowPort.h"

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QMdiArea;
class QShowEvent;
class QTimer;
class QToolBar;

namespace lumetra {

class BannerAnimation;
class BannerStrip;
class WindowMenu;

// The main frame: the multiple-document area every other window lives in, the menu bar and the
// toolbar with the four top-level commands (connect the video card, open an image, help, exit)
// and the animated banner strip above the document area.
//
// Constructing it makes it the program's main window: it sets the
// context's document area and main-window port.
class MainWindow : public QMainWindow, public MainWindowPort
{
    Q_OBJECT

public:
    static constexpr int ToolbarButtonCount = 5;

    // bannerPath: the banner bitmap; by default guanggao.bmp beside the executable, or in
    // share/lumetra/ of an installed tree.
    // history: where the opened pictures are remembered; by default the user's settings.
    explicit MainWindow(AppContext &context, const QString &bannerPath = defaultBannerPath(),
                     std::unique_ptr<PictureHistory> history = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    static QString defaultBannerPath();
    static QString openFilter();
    // The name patterns of every picture format the program reads.
    static QStringList readablePatterns();
    // Shows the window maximised on its screen.
    void showOnScreen();

    // Commands, one handler per control event.
    void conn_capture_Click();
    void open_file_Click();
    void sys_help_Click();
    void sys_exit_Click();
    // Runs the command of the toolbar button with this key; an unknown key does nothing.
    void Toolbar1_ButtonClick(const QString &key);
    void advanceBanner();

    // The open command after its dialog: a name of blanks only is ignored; otherwise the name is
    // stored in ImagePath and the workspace opens; the picture joins the recent pictures.
    // Returns whether a workspace opened.
    bool openImageFile(const QString &fileName);

    // MainWindowPort (toolbar buttons by 1-based index; index 4 is the separator).
    void setToolbarButtonEnabled(int index, bool enabled) override;
    bool toolbarButtonEnabled(int index) const override;
    void setConnectMenuEnabled(bool enabled) override;
    bool connectMenuEnabled() const override;
    void showStatus(const QString &text) override;

    // A menu item by control name (capture_ca, conn_capture, sys_exit, open_file, m2_caustic, sys_help).
    QAction *menuItem(const QString &name) const;
    // A toolbar button by 1-based index, nullptr outside 1..5.
    QAction *toolbarButton(int index) const;
    QToolBar *toolbar() const { return m_toolbar; }
    QMdiArea *mdiArea() const { return m_mdiArea; }
    BannerStrip *bannerStrip() const { return m_banner; }
    BannerAnimation &bannerAnimation() { return *m_animation; }
    QTimer *bannerTimer() const { return m_timer; }
    WindowMenu *windowMenu() const { return m_windowMenu; }
    PictureHistory &history() { return *m_history; }
    // The recent-picture entries of the "视频卡" menu, newest first (rebuilt as the menu opens).
    QList<QAction *> recentPictureItems() const { return m_recentItems; }
    // The same pictures under "文件 → 打开图像文件…", where pictures are opened.
    QList<QAction *> fileMenuRecentItems() const { return m_fileRecentItems; }
    void refreshRecentPictures();

signals:
    // The window closed (the program ends with it).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A picture file dragged from a file manager opens like one chosen with "打 开".
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    void createToolbar();
    void loadBanner(const QString &bannerPath);
    void connectCapture(bool fromToolbar);
    void updateConnectAvailability();
    void fillRecentPictures(QMenu *menu, QAction *end, QList<QAction *> &items);

    AppContext &m_context;
    std::unique_ptr<PictureHistory> m_history;
    QMdiArea *m_mdiArea = nullptr;
    WindowMenu *m_windowMenu = nullptr;
    QMenu *m_captureMenu = nullptr;
    QAction *m_recentEnd = nullptr; // separator under the recent pictures
    QList<QAction *> m_recentItems;
    QMenu *m_fileMenu = nullptr;
    QAction *m_fileRecentEnd = nullptr;
    QList<QAction *> m_fileRecentItems;
    BannerStrip *m_banner = nullptr;
    std::unique_ptr<BannerAnimation> m_animation;
    QTimer *m_timer = nullptr;
    QToolBar *m_toolbar = nullptr;
    QList<QAction *> m_buttons;
    QList<QAction *> m_menuItems;
    bool m_shownOnce = false;
};

} // namespace lumetra
