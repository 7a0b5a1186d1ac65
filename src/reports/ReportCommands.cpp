#include "reports/ReportCommands.h"

#include "analysis/AnalysisState.h"
#include "curves/CurveWindow.h"
#include "reports/print_hline.h"
#include "reports/print_line.h"
#include "reports/print_pic.h"

#include <QAction>
#include <QPushButton>

namespace lumetra {

namespace {
void showCurveReport(CurveWindow &window, bool analysed)
{
    AppContext &context = window.context();
    context.state.PrintAnalysed = analysed;
    if (window.isVertical())
        print_hline::showWindow(context, window.faceModeButton(), window.lineModeButton());
    else
        print_line::showWindow(context, window.faceModeButton(), window.lineModeButton());
}
} // namespace

void installReportCommands(CurveWindow &window)
{
    CurveWindow *target = &window;
    if (QAction *print1 = window.popupItem(QStringLiteral("print1"))) {
        print1->setEnabled(true);
        QObject::connect(print1, &QAction::triggered, &window, [target] { showCurveReport(*target, false); });
    }
    if (QAction *print2 = window.popupItem(QStringLiteral("print2"))) {
        print2->setEnabled(true);
        QObject::connect(print2, &QAction::triggered, &window, [target] { showCurveReport(*target, true); });
    }
    if (QAction *print3 = window.popupItem(QStringLiteral("print3"))) {
        print3->setEnabled(true);
        QObject::connect(print3, &QAction::triggered, &window,
                         [target] { print_pic::showWindow(target->context()); });
    }
}

} // namespace lumetra
