#include "reports/print_hline.h"

#include "reports/ReportMode.h"

namespace lumetra {

QPointer<print_hline> print_hline::s_instance;

print_hline *print_hline::instance()
{
    return s_instance.data();
}

print_hline *print_hline::showWindow(AppContext &context, std::optional<DisplayMode> mode)
{
    if (!s_instance) {
        auto *form = new print_hline(context);
        form->Form_Load(mode);
    }
    showChildWindow(context, s_instance);
    return s_instance;
}

print_hline *print_hline::showWindow(AppContext &context, const QAbstractButton *faceMode, const QAbstractButton *lineMode)
{
    return showWindow(context, modeFromButtons(faceMode, lineMode));
}

print_hline::print_hline(AppContext &context)
    : CurveReportWindow(context, CurveReportLayout::Orientation::Vertical)
{
    setObjectName(QStringLiteral("print_hline"));
    s_instance = this;
}

} // namespace lumetra
