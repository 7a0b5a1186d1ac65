#include "reports/print_line.h"

#include "reports/ReportMode.h"

namespace lumetra {

QPointer<print_line> print_line::s_instance;

print_line *print_line::instance()
{
    return s_instance.data();
}

print_line *print_line::showWindow(AppContext &context, std::optional<DisplayMode> mode)
{
    if (!s_instance) {
        auto *form = new print_line(context);
        form->Form_Load(mode);
    }
    showChildWindow(context, s_instance);
    return s_instance;
}

print_line *print_line::showWindow(AppContext &context, const QAbstractButton *faceMode, const QAbstractButton *lineMode)
{
    return showWindow(context, modeFromButtons(faceMode, lineMode));
}

print_line::print_line(AppContext &context)
    : CurveReportWindow(context, CurveReportLayout::Orientation::Horizontal)
{
    setObjectName(QStringLiteral("print_line"));
    s_instance = this;
}

} // namespace lumetra
