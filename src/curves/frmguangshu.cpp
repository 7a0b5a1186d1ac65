#include "curves/frmguangshu.h"

namespace lumetra {

frmguangshu::frmguangshu(AppContext &context) : CurveWindow(context, CurveGeometry::verticalWindow())
{
    setObjectName(QStringLiteral("frmguangshu"));
}

frmguangshu *frmguangshu::instance()
{
    return qobject_cast<frmguangshu *>(CurveWindow::openWindow());
}

frmguangshu *frmguangshu::showWindow(AppContext &context)
{
    if (frmguangshu *open = instance()) {
        showChildWindow(context, open);
        return open;
    }
    if (CurveWindow::openWindow())
        return nullptr;
    auto *window = new frmguangshu(context);
    window->present();
    return window;
}

} // namespace lumetra
