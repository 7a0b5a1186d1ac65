#pragma once

#include "platform/ports/AppContext.h"
#include "types/DisplayMode.h"
#include "platform/printing/PrintOutcome.h"
#include "reports/CurveReportLayout.h"

#include <QWidget>

#include <optional>

class QAbstractButton;
class QLabel;
class QPushButton;

namespace lumetra {

// The small status window "打印" of a curve report. Loading it prints the report, one page, on the
// program's printer; the window then says whether the data went out ("数据发送完成！打印机空闲......")
// and, on a line of its own, where a PDF file went or why printing failed. "关 闭" closes it.
// It prints only while loading: a new report needs the window closed and opened again.
// One window a direction: the report of the horizontal cut (picture row CutPosition) and that of
// the vertical cut (picture column CutPosition) may be open at the same time.
class CurveReport : public QWidget
{
    Q_OBJECT

public:
    using Orientation = CurveReportLayout::Orientation;

    // The open report of that direction or nullptr.
    static CurveReport *instance(const AppContext &context, Orientation orientation);
    // Prints the report (raw or analysed curve, in the display mode the curve window shows) and
    // shows the status window; an open window is only brought forward (nothing is printed again).
    static CurveReport *showWindow(AppContext &context, const AnalysisState &state, Orientation orientation,
                                   bool analysed, std::optional<DisplayMode> mode);
    // The same, with the mode read from a pair of mode buttons (see modeFromButtons).
    static CurveReport *showWindow(AppContext &context, const AnalysisState &state, Orientation orientation,
                                   bool analysed, const QAbstractButton *faceMode,
                                   const QAbstractButton *lineMode);

    static constexpr int ClientWidth = 237;
    static constexpr int ClientHeight = 135;

    ~CurveReport() override;

    QLabel *statusLabel() const { return m_status; }
    // The line under the button: where the page was saved or why it was not printed (hidden
    // when a printer took the page).
    QLabel *noteLabel() const { return m_note; }
    QPushButton *closeButton() const { return m_closeButton; }
    const PrintOutcome &outcome() const { return m_outcome; }
    // Whether the report printed the analysed curve (else the raw one).
    bool analysed() const { return m_analysed; }

private:
    CurveReport(AppContext &context, const AnalysisState &state, Orientation orientation, bool analysed);
    static QString windowName(Orientation orientation);

    // Prints the report for the mode the curve window shows (none: neither), then fills the window.
    void load(std::optional<DisplayMode> mode);
    void printReport(CurveReportLayout &layout);
    void showOutcome();

    AppContext &m_context;
    const AnalysisState &m_state;
    Orientation m_orientation;
    bool m_analysed;
    PrintOutcome m_outcome;
    QLabel *m_status = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace lumetra
