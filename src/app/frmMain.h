#pragma once

#include "platform/AppContext.h"
#include "platform/MainWindowPort.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QCloseEvent;
class QMdiArea;
class QShowEvent;
class QTimer;
class QToolBar;

namespace lumetra {

class BannerAnimation;
class BannerStrip;

// The main frame: the multiple-document area every other window lives in, the menu bar and the
// toolbar with the four top-level commands (connect the video card, open an image, help, exit)
// and the animated banner strip above the document area.
//
// Constructing it makes it the program's main window: it sets AnalysisState::MainWindow and the
// context's document area and main-window port.
class frmMain : public QMainWindow, public MainWindowPort
{
    Q_OBJECT

public:
    static constexpr int ToolbarButtonCount = 5;

    // bannerPath: the banner bitmap; by default guanggao.bmp beside the executable.
    explicit frmMain(AppContext &context, const QString &bannerPath = defaultBannerPath(),
                     QWidget *parent = nullptr);
    ~frmMain() override;

    static QString defaultBannerPath();
    static QString openFilter();

    // Commands, one handler per control event.
    void conn_capture_Click();
    void open_file_Click();
    void sys_help_Click();
    void sys_exit_Click();
    // Runs the command of the toolbar button with this key; an unknown key does nothing.
    void Toolbar1_ButtonClick(const QString &key);
    void Timer1_Timer();

    // The open command after its dialog: a name of blanks only is ignored; otherwise the name is
    // stored in ImagePath and the workspace opens. Returns whether a workspace opened.
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

signals:
    // The window closed (the program ends with it).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createMenus();
    void createToolbar();
    void loadBanner(const QString &bannerPath);
    void connectCapture(bool fromToolbar);
    void updateConnectAvailability();

    AppContext &m_context;
    QMdiArea *m_mdiArea = nullptr;
    BannerStrip *m_banner = nullptr;
    std::unique_ptr<BannerAnimation> m_animation;
    QTimer *m_timer = nullptr;
    QToolBar *m_toolbar = nullptr;
    QList<QAction *> m_buttons;
    QList<QAction *> m_menuItems;
    bool m_shownOnce = false;
};

} // namespace lumetra
