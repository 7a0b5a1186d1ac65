#include "reports/print_line.h"

#include "reports/ReportMode.h"

namespace lumetra {


print_line *print_line::instance(const AppContext &context)
{
    return qobject_cast<print_line *>(context.singleWindows.value(QStringLiteral("print_line")).data());
}

print_line *print_line::showWindow(AppContext &context, std::optional<DisplayMode> mode)
{
    if (!instance(context)) {
        auto *form = new print_line(context);
        form->Form_Load(mode);
    }
    showChildWindow(context, instance(context));
    return instance(context);
}

print_line *print_line::showWindow(AppContext &context, const QAbstractButton *faceMode, const QAbstractButton *lineMode)
{
    return showWindow(context, modeFromButtons(faceMode, lineMode));
}

print_line::print_line(AppContext &context)
    : CurveReportWindow(context, CurveReportLayout::Orientation::Horizontal)
{
    setObjectName(QStringLiteral("print_line"));
    context.singleWindows.insert(QStringLiteral("print_line"), this);
}

} // namespace lumetra
