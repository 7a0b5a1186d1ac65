#include "workspace/Frm_transact.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace lumetra {

QPointer<Frm_transact> Frm_transact::s_instance;

Frm_transact *Frm_transact::instance()
{
    return s_instance.data();
}

Frm_transact *Frm_transact::showWorkspace(AppContext &context)
{
    if (s_instance) {
        showChildWindow(context, s_instance);
        return s_instance;
    }
    return nullptr;
}

Frm_transact::Frm_transact(AppContext &context)
    : m_context(context), m_picture(640, 480), m_windowSurface(711, 540)
{
    setAttribute(Qt::WA_DeleteOnClose);
    s_instance = this;
}

Frm_transact::~Frm_transact() = default;

QAction *Frm_transact::menuItem(const QString &controlName)
{
    return m_menuItems.value(controlName);
}

void Frm_transact::setLeftEdge(int x)
{
    QWidget *frame = childWindowFrame(this);
    frame->move(x, frame->y());
}

void Frm_transact::closeEvent(QCloseEvent *event)
{
    event->accept();
}

} // namespace lumetra
