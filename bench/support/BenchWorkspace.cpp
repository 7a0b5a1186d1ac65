#include "support/BenchWorkspace.h"

#include "app/WindowProgress.h"
#include "app/WindowWiring.h"
#include "curves/CurveWindow.h"
#include "curves/frm_listview.h"
#include "curves/frmguang.h"
#include "curves/frmguangshu.h"
#include "platform/SurfaceView.h"
#include "support/BenchPictures.h"
#include "workspace/Frm_transact.h"
#include "workspace/frm_sz.h"

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
    : m_progress(makeProgress(realProgress)), m_context{*m_state, m_services, *m_progress, nullptr,
                                                        nullptr,  {},         {}}
{
    m_services.dialogs = &m_dialogs;
    wireWindows(m_context);
    if (auto *windows = dynamic_cast<WindowProgress *>(m_progress.get()))
        windows->setWorkspaceLocator([this] { return static_cast<QWidget *>(Frm_transact::instance(m_context)); });
    QFile settings(QDir(m_dir.path()).filePath(QStringLiteral("configtext.txt")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("10\r\n5\r\n");
    settings.close();
    frm_sz::setSettingsPath(settings.fileName());
    m_state->ImagePath = QDir(m_dir.path()).filePath(QStringLiteral("beam.bmp"));
    beamPicture().save(m_state->ImagePath);
    m_workspace = Frm_transact::showWorkspace(m_context);
    QApplication::processEvents();
}

BenchWorkspace::~BenchWorkspace()
{
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frm_sz::setSettingsPath(QString());
}

CurveWindow *BenchWorkspace::openCurveWindow(bool vertical, bool lineMode)
{
    CurveWindow *window = vertical ? static_cast<CurveWindow *>(frmguangshu::showWindow(m_context))
                                   : frmguang::showWindow(m_context);
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
    if (frm_listview *table = frm_listview::instance(m_context))
        table->listView()->viewport()->repaint();
}

} // namespace lumetra::bench
