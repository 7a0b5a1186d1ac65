#include "reports/print_hline.h"

namespace lumetra {

QPointer<print_hline> print_hline::s_instance;

print_hline *print_hline::instance()
{
    return s_instance.data();
}

print_hline *print_hline::showWindow(AppContext &context, const QAbstractButton *faceMode,
                                     const QAbstractButton *lineMode)
{
    if (!s_instance) {
        auto *form = new print_hline(context);
        form->Form_Load(faceMode, lineMode);
    }
    showChildWindow(context, s_instance);
    return s_instance;
}

print_hline::print_hline(AppContext &context)
    : CurveReportWindow(context, CurveReportLayout::Orientation::Vertical)
{
    setObjectName(QStringLiteral("print_hline"));
    s_instance = this;
}

} // namespace lumetra
