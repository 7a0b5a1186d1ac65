#include "support/BenchWorkspace.h"

#include "app/progress/WindowProgress.h"
#include "app/WindowWiring.h"
#include "curves/CurveWindow.h"
#include "curves/IntensityTableWindow.h"
#include "curves/CurveWindow.h"
#include "platform/dialogs/SurfaceView.h"
#include "support/BenchPictures.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/SettingsDialog.h"

#include <QTableView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace lumetra::bench {

namespace {

std::unique_ptr<ProgressWindows> makeProgress(bool real)
{
    if (!real)
        return std::make_unique<SilentProgress>();
    return std::make_unique<WindowProgress>();
}

} // namespace

BenchWorkspace::BenchWorkspace(bool realProgress)
    : m_progress(makeProgress(realProgress)), m_context{m_services, *m_progress, nullptr,
                                                        nullptr,  {},         {}}
{
    m_services.dialogs = &m_dialogs;
    wireWindows(m_context, *m_state);
    if (auto *windows = dynamic_cast<WindowProgress *>(m_progress.get()))
        windows->setWorkspaceLocator([this] { return static_cast<QWidget *>(WorkspaceWindow::instance(m_context)); });
    QFile settings(QDir(m_dir.path()).filePath(QStringLiteral("configtext.txt")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("10\r\n5\r\n");
    settings.close();
    SettingsDialog::setSettingsPath(settings.fileName());
    m_state->picture.ImagePath = QDir(m_dir.path()).filePath(QStringLiteral("beam.bmp"));
    beamPicture().save(m_state->picture.ImagePath);
    m_workspace = WorkspaceWindow::showWorkspace(m_context, *m_state, m_state->picture.ImagePath);
    QApplication::processEvents();
}

BenchWorkspace::~BenchWorkspace()
{
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SettingsDialog::setSettingsPath(QString());
}

CurveWindow *BenchWorkspace::openCurveWindow(bool vertical, bool lineMode)
{
    CurveWindow *window = CurveWindow::showWindow(m_context, *m_state, vertical);
    if (window && lineMode)
        window->lineModeButton()->click();
    return window;
}

void BenchWorkspace::repaint(CurveWindow *window, bool withWorkspace)
{
    if (withWorkspace && m_workspace)
        m_workspace->pictureView()->repaint();
    if (window)
        window->repaint();
    if (IntensityTableWindow *table = IntensityTableWindow::instance(m_context))
        table->listView()->viewport()->repaint();
}

} // namespace lumetra::bench
