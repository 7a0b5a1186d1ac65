#include "curves/frmguang.h"

namespace lumetra {

frmguang::frmguang(AppContext &context) : CurveWindow(context, CurveGeometry::horizontal())
{
    setObjectName(QStringLiteral("frmguang"));
}

frmguang *frmguang::instance()
{
    return qobject_cast<frmguang *>(CurveWindow::openWindow());
}

frmguang *frmguang::showWindow(AppContext &context)
{
    if (frmguang *open = instance()) {
        showChildWindow(context, open);
        return open;
    }
    if (CurveWindow::openWindow())
        return nullptr;
    auto *window = new frmguang(context);
    window->present();
    return window;
}

} // namespace lumetra
