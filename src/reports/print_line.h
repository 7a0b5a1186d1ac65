#pragma once

#include "reports/CurveReportWindow.h"

#include <QPointer>

#include <optional>

class QAbstractButton;

namespace lumetra {

// The report of the horizontal cut (picture row CutPosition): raw or analysed by PrintAnalysed, in the mode
// that the curve window's facemode and linemode buttons show. One instance at a time.
class print_line : public CurveReportWindow
{
    Q_OBJECT

public:
    // The open report window or nullptr.
    static print_line *instance(const AppContext &context);
    // Prints the report and shows the status window; an open window is only brought forward
    // (nothing is printed again).
    static print_line *showWindow(AppContext &context, std::optional<DisplayMode> mode);
    // The same, with the mode read from a pair of mode buttons (see modeFromButtons).
    static print_line *showWindow(AppContext &context, const QAbstractButton *faceMode,
                            const QAbstractButton *lineMode);

private:
    explicit print_line(AppContext &context);
};

} // namespace lumetra
