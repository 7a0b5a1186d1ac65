#pragma once

#include "platform/AppContext.h"
#include "platform/PictureSurface.h"
#include "platform/SurfaceView.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QMenuBar;
class QCloseEvent;

namespace lumetra {

// The image workspace: the loaded picture (640 x 480) inside engraved rulers, the menu bar of
// the image commands, and the cut marker the curve windows follow. One instance at a time.
class Frm_transact : public QWidget
{
    Q_OBJECT

public:
    // The open workspace or nullptr.
    static Frm_transact *instance();
    // Loads the picture of ImagePath and shows the workspace, or brings an open one forward
    // (keeping its picture). nullptr when the picture was refused (a message names the file).
    static Frm_transact *showWorkspace(AppContext &context);

    ~Frm_transact() override;

    AppContext &context() { return m_context; }
    PictureSurface &picture() { return m_picture; }
    SurfaceView *pictureView() { return m_pictureView; }
    PictureSurface &windowSurface() { return m_windowSurface; }
    // A menu item by its control name (nullptr for an unknown name).
    QAction *menuItem(const QString &controlName);
    // Moves the window so that its left edge is at x (client-area pixels of the main frame).
    void setLeftEdge(int x);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit Frm_transact(AppContext &context);

    AppContext &m_context;
    PictureSurface m_picture;
    PictureSurface m_windowSurface;
    SurfaceView *m_windowView = nullptr;
    SurfaceView *m_pictureView = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QHash<QString, QAction *> m_menuItems;

    static QPointer<Frm_transact> s_instance;
};

} // namespace lumetra
