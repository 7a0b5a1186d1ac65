#include "reports/print_hline.h"

#include "reports/ReportMode.h"

namespace lumetra {


print_hline *print_hline::instance(const AppContext &context)
{
    return qobject_cast<print_hline *>(context.singleWindows.value(QStringLiteral("print_hline")).data());
}

print_hline *print_hline::showWindow(AppContext &context, std::optional<DisplayMode> mode)
{
    if (!instance(context)) {
        auto *form = new print_hline(context);
        form->Form_Load(mode);
    }
    showChildWindow(context, instance(context));
    return instance(context);
}

print_hline *print_hline::showWindow(AppContext &context, const QAbstractButton *faceMode, const QAbstractButton *lineMode)
{
    return showWindow(context, modeFromButtons(faceMode, lineMode));
}

print_hline::print_hline(AppContext &context)
    : CurveReportWindow(context, CurveReportLayout::Orientation::Vertical)
{
    setObjectName(QStringLiteral("print_hline"));
    context.singleWindows.insert(QStringLiteral("print_hline"), this);
}

} // namespace lumetra
