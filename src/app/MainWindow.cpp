#include "app/MainWindow.h"

#include "app/LanguageMenu.h"
#include "analysis/AnalysisState.h"
#include "app/AppResources.h"
#include "app/banner/BannerAnimation.h"
#include "app/banner/BannerStrip.h"
#include "app/PictureHistory.h"
#include "app/WindowMenu.h"
#include "app/AboutDialog.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/framefiles/ImageLoader.h"
#include "platform/framefiles/PicturePatterns.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace lumetra {

namespace {

constexpr int BannerPeriodMs = 50;
const QPoint AboutBoxPosition(300, 150);

struct ToolbarEntry
{
    const char *key; // empty for the separator
    const char *label;
    const char *icon;
};

constexpr ToolbarEntry ToolbarEntries[MainWindow::ToolbarButtonCount] = {
    {"tbar_capu", QT_TRANSLATE_NOOP("lumetra::MainWindow", "连接视频卡"), ":/icons/connect.png"},
    {"tbar_openfile", QT_TRANSLATE_NOOP("lumetra::MainWindow", "打开图像文件"), ":/icons/open.png"},
    {"tbar_help", QT_TRANSLATE_NOOP("lumetra::MainWindow", "帮助"), ":/icons/help.png"},
    {"", "", ""},
    {"tbar_exit", QT_TRANSLATE_NOOP("lumetra::MainWindow", "退出系统"), ":/icons/exit.png"},
};

// Blanks are spaces and tabs; the ideographic space is part of a name.
bool isBlankName(const QString &name)
{
    return std::all_of(name.begin(), name.end(),
                       [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); });
}

} // namespace

MainWindow::MainWindow(AppContext &context, const QString &bannerPath, std::unique_ptr<PictureHistory> history,
                 QWidget *parent)
    : QMainWindow(parent), m_context(context),
      m_history(history ? std::move(history) : std::make_unique<PictureHistory>())
{
    initAppResources();
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Lumetra(For Win2000)"));
    setWindowIcon(QIcon(QStringLiteral(":/lumetra.png")));

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_banner = new BannerStrip(central);
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("mdiClient"));
    m_mdiArea->setBackground(QColor(171, 171, 171));
    layout->addWidget(m_banner);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);

    createMenus();
    m_windowMenu = new WindowMenu(menuBar(), m_mdiArea);
    createToolbar();
    setAcceptDrops(true);
    // What the last command wrote, and where.
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    // Child windows larger than the area (an enlarged plot) are reached by scrolling.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_context.mainWindow = this;
    m_context.mdiArea = m_mdiArea;

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        resize(std::min(1180, available.width()), std::min(880, available.height()));
    }

    updateConnectAvailability();
    loadBanner(bannerPath);
    refreshRecentPictures();
}

MainWindow::~MainWindow()
{
    if (m_context.mainWindow == this)
        m_context.mainWindow = nullptr;
    if (m_context.mdiArea == m_mdiArea)
        m_context.mdiArea = nullptr;
}

QString MainWindow::defaultBannerPath()
{
    // Beside the executable in the build tree; an installed tree keeps it with its data.
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/guanggao.bmp");
    const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lumetra/guanggao.bmp");
    return QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside : QDir::cleanPath(installed);
}

QString MainWindow::openFilter()
{
    // Qt's dialog shows each label followed by its patterns, so the labels carry none. Every
    // readable picture first: a folder of camera frames never looks empty.
    return allPicturesFilter() +
           QStringLiteral("|Bitmaps|*.bmp|JPEG Images|*.jpg;*.jpeg|PNG|*.png|PGM / PPM|*.pgm;*.ppm|TIFF|*.tif;*.tiff");
}

QStringList MainWindow::readablePatterns()
{
    return readablePicturePatterns();
}

void MainWindow::showOnScreen()
{
    // Without a window manager a request to maximise is not acted on: the window then covers
    // the available area of its screen itself.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void MainWindow::createMenus()
{
    auto add = [this](QAction *action, const char *name) {
        action->setObjectName(QString::fromLatin1(name));
        m_menuItems << action;
        return action;
    };
    // "文件": where pictures are opened, the recent ones listed under the open command.
    m_fileMenu = menuBar()->addMenu(tr("文件"));
    m_fileMenu->menuAction()->setObjectName(QStringLiteral("file_menu"));
    QAction *openItem = m_fileMenu->addAction(tr("打开图像文件…"));
    openItem->setObjectName(QStringLiteral("file_open"));
    m_fileMenu->addSeparator();
    m_fileRecentEnd = m_fileMenu->addSeparator();
    QObject::connect(openItem, &QAction::triggered, this, &MainWindow::open_file_Click);
    QObject::connect(m_fileMenu, &QMenu::aboutToShow, this, &MainWindow::refreshRecentPictures);
    QMenu *captureMenu = menuBar()->addMenu(tr("视频卡"));
    m_captureMenu = captureMenu;
    add(captureMenu->menuAction(), "capture_ca");
    QAction *connect = add(captureMenu->addAction(tr("连接视频卡　")), "conn_capture");
    captureMenu->addSeparator();
    m_recentEnd = captureMenu->addSeparator();
    QAction *exit = add(captureMenu->addAction(tr("退　出")), "sys_exit");
    QObject::connect(captureMenu, &QMenu::aboutToShow, this, &MainWindow::refreshRecentPictures);
    QAction *open = add(menuBar()->addAction(tr("打 开")), "open_file");
    // The M² window belongs to another subsystem: start-up connects this item to it.
    add(menuBar()->addAction(QStringLiteral("M²…")), "m2_caustic");
    QAction *help = add(menuBar()->addAction(tr("帮　助")), "sys_help");
    new LanguageMenu(menuBar(), help, statusBar());

    QObject::connect(connect, &QAction::triggered, this, &MainWindow::conn_capture_Click);
    QObject::connect(exit, &QAction::triggered, this, &MainWindow::sys_exit_Click);
    QObject::connect(open, &QAction::triggered, this, &MainWindow::open_file_Click);
    QObject::connect(help, &QAction::triggered, this, &MainWindow::sys_help_Click);
}

void MainWindow::refreshRecentPictures()
{
    fillRecentPictures(m_captureMenu, m_recentEnd, m_recentItems);
    fillRecentPictures(m_fileMenu, m_fileRecentEnd, m_fileRecentItems);
}

void MainWindow::fillRecentPictures(QMenu *menu, QAction *end, QList<QAction *> &items)
{
    for (QAction *old : std::as_const(items)) {
        menu->removeAction(old);
        old->deleteLater();
    }
    items.clear();
    const QStringList recent = m_history->recentPictures();
    for (int i = 0; i < recent.size(); ++i) {
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(recent[i]).fileName()), menu);
        item->setToolTip(recent[i]);
        item->setStatusTip(recent[i]);
        QObject::connect(item, &QAction::triggered, this, [this, path = recent[i]] {
            if (!QFileInfo::exists(path)) {
                m_history->forget(path);
                m_context.services.dialogs->message(this, tr("文件不存在：%1").arg(path), tr("警告!!"),
                                                    Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
                return;
            }
            openImageFile(path);
        });
        menu->insertAction(end, item);
        items << item;
    }
    // The pictures stand between two separators; without any, one separator is enough.
    end->setVisible(!items.isEmpty());
}

void MainWindow::createToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("toolBar"));
    m_toolbar->setObjectName(QStringLiteral("toolBar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->toggleViewAction()->setEnabled(false);
    for (const ToolbarEntry &entry : ToolbarEntries) {
        const QString key = QString::fromLatin1(entry.key);
        if (key.isEmpty()) {
            m_buttons << m_toolbar->addSeparator();
            continue;
        }
        QAction *button = m_toolbar->addAction(QIcon(QString::fromLatin1(entry.icon)), tr(entry.label));
        button->setObjectName(key);
        button->setData(key);
        QObject::connect(button, &QAction::triggered, this,
                         [this, button] { Toolbar1_ButtonClick(button->data().toString()); });
        m_buttons << button;
    }
}

void MainWindow::loadBanner(const QString &bannerPath)
{
    const ImageLoadResult loaded = loadImageFile(bannerPath);
    m_animation =
        std::make_unique<BannerAnimation>(m_banner->surface(), loaded.ok() ? loaded.image : QImage());
    const Colour border = m_animation->borderColour();
    m_banner->surface().setBackColour(border >= 0 ? border : fromQColor(palette().color(QPalette::Window)));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("bannerTimer"));
    m_timer->setInterval(BannerPeriodMs);
    QObject::connect(m_timer, &QTimer::timeout, this, &MainWindow::advanceBanner);
    // Without a bitmap the strip stays plain.
    if (m_animation->hasBitmap())
        m_timer->start();
}

void MainWindow::advanceBanner()
{
    m_animation->tick();
}

void MainWindow::updateConnectAvailability()
{
    // The connect command needs the capture window; without one it stays unavailable.
    if (!m_context.openCaptureWindow) {
        setConnectMenuEnabled(false);
        setToolbarButtonEnabled(1, false);
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // The capture window may have been wired after construction.
        if (m_context.openCaptureWindow) {
            setConnectMenuEnabled(true);
            setToolbarButtonEnabled(1, true);
        }
    }
}

void MainWindow::connectCapture(bool fromToolbar)
{
    if (!m_context.openCaptureWindow)
        return;
    // Greyed first: a window that finds no device closes at once and makes them available again.
    setConnectMenuEnabled(false);
    if (fromToolbar)
        setToolbarButtonEnabled(1, false);
    m_context.openCaptureWindow(fromToolbar);
}

void MainWindow::conn_capture_Click()
{
    connectCapture(false);
}

void MainWindow::open_file_Click()
{
    Dialogs::FileRequest request;
    const QString lastFolder = m_history->lastFolder();
    request.initialDirectory = lastFolder.isEmpty() ? QStringLiteral("c:\\") : lastFolder;
    request.filter = openFilter();
    request.filterIndex = 1;
    const std::optional<QString> chosen = m_context.services.dialogs->openFile(this, request);
    if (!chosen)
        return;
    openImageFile(*chosen);
}

bool MainWindow::openImageFile(const QString &fileName)
{
    if (isBlankName(fileName))
        return false;
    // A refused file leaves the picture shown before.
    if (!m_context.openWorkspace || !m_context.openWorkspace(fileName))
        return false;
    m_history->remember(fileName);
    refreshRecentPictures();
    setToolbarButtonEnabled(1, false);
    setToolbarButtonEnabled(2, false);
    return true;
}

void MainWindow::sys_help_Click()
{
    auto *about = new AboutDialog(m_context);
    showChildWindow(m_context, about, AboutBoxPosition);
}

void MainWindow::sys_exit_Click()
{
    close();
}

void MainWindow::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("tbar_capu"))
        connectCapture(true);
    else if (key == QLatin1String("tbar_openfile"))
        open_file_Click();
    else if (key == QLatin1String("tbar_help"))
        sys_help_Click();
    else if (key == QLatin1String("tbar_exit"))
        sys_exit_Click();
}

namespace {

// The one local picture file a drag carries, or an empty string.
QString droppedPicture(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return QString();
    const QString path = data->urls().constFirst().toLocalFile();
    const QString suffix = QStringLiteral("*.") + QFileInfo(path).suffix().toLower();
    return MainWindow::readablePatterns().contains(suffix) ? path : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPicture(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedPicture(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openImageFile(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The hosted windows close first, each with its own close handling.
    m_mdiArea->closeAllSubWindows();
    const QList<QMdiSubWindow *> remaining = m_mdiArea->subWindowList();
    if (std::any_of(remaining.begin(), remaining.end(), [](QMdiSubWindow *w) { return w->isVisible(); })) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

QAction *MainWindow::toolbarButton(int index) const
{
    return index >= 1 && index <= m_buttons.size() ? m_buttons[index - 1] : nullptr;
}

QAction *MainWindow::menuItem(const QString &name) const
{
    for (QAction *item : m_menuItems)
        if (item->objectName() == name)
            return item;
    return nullptr;
}

void MainWindow::setToolbarButtonEnabled(int index, bool enabled)
{
    if (QAction *button = toolbarButton(index); button && !button->isSeparator())
        button->setEnabled(enabled);
}

bool MainWindow::toolbarButtonEnabled(int index) const
{
    const QAction *button = toolbarButton(index);
    return button && !button->isSeparator() && button->isEnabled();
}

void MainWindow::setConnectMenuEnabled(bool enabled)
{
    menuItem(QStringLiteral("conn_capture"))->setEnabled(enabled);
}

bool MainWindow::connectMenuEnabled() const
{
    return menuItem(QStringLiteral("conn_capture"))->isEnabled();
}

} // namespace lumetra
