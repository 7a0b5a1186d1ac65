#include "curves/frmguangshu.h"

namespace lumetra {

frmguangshu::frmguangshu(AppContext &context) : CurveWindow(context, CurveGeometry::verticalWindow())
{
    setObjectName(QStringLiteral("frmguangshu"));
}

frmguangshu *frmguangshu::instance(const AppContext &context)
{
    return qobject_cast<frmguangshu *>(CurveWindow::openWindow(context));
}

frmguangshu *frmguangshu::showWindow(AppContext &context)
{
    if (frmguangshu *open = instance(context)) {
        showChildWindow(context, open);
        return open;
    }
    if (CurveWindow::openWindow(context))
        return nullptr;
    auto *window = new frmguangshu(context);
    window->present();
    return window;
}

} // namespace lumetra
