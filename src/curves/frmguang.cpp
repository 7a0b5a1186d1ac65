#include "curves/frmguang.h"

namespace lumetra {

frmguang::frmguang(AppContext &context) : CurveWindow(context, CurveGeometry::horizontal())
{
    setObjectName(QStringLiteral("frmguang"));
}

frmguang *frmguang::instance(const AppContext &context)
{
    return qobject_cast<frmguang *>(CurveWindow::openWindow(context));
}

frmguang *frmguang::showWindow(AppContext &context)
{
    if (frmguang *open = instance(context)) {
        showChildWindow(context, open);
        return open;
    }
    if (CurveWindow::openWindow(context))
        return nullptr;
    auto *window = new frmguang(context);
    window->present();
    return window;
}

} // namespace lumetra
