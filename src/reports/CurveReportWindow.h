#pragma once

#include "platform/AppContext.h"
#include "platform/DisplayMode.h"
#include "platform/PrintOutcome.h"
#include "reports/CurveReportLayout.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;

namespace lumetra {

// The small status window "打印" of a curve report. Loading it prints the report, one page, on the
// program's printer; the window then says whether the data went out ("数据发送完成！打印机空闲......")
// and, on a line of its own, where a PDF file went or why printing failed. "关 闭" closes it.
// It prints only while loading: a new report needs the window closed and opened again.
class CurveReportWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 237;
    static constexpr int ClientHeight = 135;

    ~CurveReportWindow() override;

    QLabel *statusLabel() const { return m_label1; }
    // The line under the button: where the page was saved or why it was not printed (hidden
    // when a printer took the page).
    QLabel *noteLabel() const { return m_note; }
    QPushButton *closeButton() const { return m_closeButton; }
    const PrintOutcome &outcome() const { return m_outcome; }

protected:
    CurveReportWindow(AppContext &context, CurveReportLayout::Orientation orientation);

    // Prints the report for the mode the curve window shows (none: neither), then fills the window.
    void Form_Load(std::optional<DisplayMode> mode);

private:
    void printReport(CurveReportLayout &layout);
    void showOutcome();
    void CurtButton1_Click();

    AppContext &m_context;
    CurveReportLayout::Orientation m_orientation;
    PrintOutcome m_outcome;
    QLabel *m_label1 = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace lumetra
