#include "reports/print_line.h"

namespace lumetra {

QPointer<print_line> print_line::s_instance;

print_line *print_line::instance()
{
    return s_instance.data();
}

print_line *print_line::showWindow(AppContext &context, const QAbstractButton *faceMode,
                                   const QAbstractButton *lineMode)
{
    if (!s_instance) {
        auto *form = new print_line(context);
        form->Form_Load(faceMode, lineMode);
    }
    showChildWindow(context, s_instance);
    return s_instance;
}

print_line::print_line(AppContext &context)
    : CurveReportWindow(context, CurveReportLayout::Orientation::Horizontal)
{
    setObjectName(QStringLiteral("print_line"));
    s_instance = this;
}

} // namespace lumetra
