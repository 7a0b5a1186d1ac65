#include "reports/CurveReport.h"
#include "reports/NoteLabel.h"

#include "analysis/AnalysisState.h"
#include "platform/printing/PrinterService.h"
#include "reports/ReportMode.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace lumetra {

constexpr int NoteMargin = 12;
constexpr int NoteTop = 130;
constexpr int MaxNoteWidth = 640;

QString CurveReport::windowName(Orientation orientation)
{
    return orientation == Orientation::Vertical ? QStringLiteral("verticalCurveReport")
                                                : QStringLiteral("horizontalCurveReport");
}

CurveReport *CurveReport::instance(const AppContext &context, Orientation orientation)
{
    return context.singleWindow<CurveReport>(windowName(orientation));
}

CurveReport *CurveReport::showWindow(AppContext &context, const AnalysisState &state, Orientation orientation,
                                     bool analysed, std::optional<DisplayMode> mode)
{
    if (!instance(context, orientation))
        (new CurveReport(context, state, orientation, analysed))->load(mode);
    showChildWindow(context, instance(context, orientation));
    return instance(context, orientation);
}

CurveReport *CurveReport::showWindow(AppContext &context, const AnalysisState &state, Orientation orientation,
                                     bool analysed, const QAbstractButton *faceMode,
                                     const QAbstractButton *lineMode)
{
    return showWindow(context, state, orientation, analysed, modeFromButtons(faceMode, lineMode));
}

CurveReport::CurveReport(AppContext &context, const AnalysisState &state, Orientation orientation, bool analysed)
    : m_context(context), m_state(state), m_orientation(orientation), m_analysed(analysed)
{
    registerSingleWindow(context, this, windowName(orientation), tr("打印"));
    setFixedSize(ClientWidth, ClientHeight);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setGeometry(40, 24, 177, 41);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont song(QStringLiteral("SimSun")); // 宋体, mapped to the bundled serif at start-up
    song.setPointSizeF(10.5);
    song.setBold(true);
    m_status->setFont(song);

    m_closeButton = new QPushButton(tr("关 闭"), this);
    m_closeButton->setObjectName(QStringLiteral("close"));
    m_closeButton->setGeometry(64, 88, 89, 33);
    connect(m_closeButton, &QPushButton::clicked, this, [this] { childWindowFrame(this)->close(); });

    m_note = makeNoteLabel(this);
}

CurveReport::~CurveReport() = default;

void CurveReport::load(std::optional<DisplayMode> mode)
{
    CurveReportLayout layout(m_state, m_orientation, mode, m_analysed);
    printReport(layout);
    showOutcome();
}

void CurveReport::printReport(CurveReportLayout &layout)
{
    PrinterService *printer = m_context.services.printer;
    if (!printer) {
        m_outcome = PrintOutcome::failed(tr("没有可用的打印机"));
        return;
    }
    PrintOutcome failure;
    std::unique_ptr<PrinterPage> page = printer->beginDocument(layout.reportName(), failure);
    if (!page) {
        m_outcome = failure;
        return;
    }
    layout.draw(*page);
    m_outcome = page->endDocument();
}

void CurveReport::showOutcome()
{
    // Only a page that a printer took is reported as sent; one written to a PDF file (no
    // printer) says where it went, also in the main window's status bar.
    const bool toFile = m_outcome.result == PrintOutcome::Result::SavedToFile;
    m_status->setText(m_outcome.result == PrintOutcome::Result::Printed ? tr("数据发送完成！打印机空闲......")
                      : toFile                                          ? outcomeNote(m_outcome)
                                                                        : tr("打印失败！"));
    if (toFile) {
        announceSaved(m_context, m_outcome.filePath, tr("已保存为 PDF："));
        m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_status->setFixedWidth(MaxNoteWidth);
        m_status->setFixedHeight(m_status->heightForWidth(MaxNoteWidth));
        setFixedSize(std::max(ClientWidth, m_status->x() + MaxNoteWidth + NoteMargin),
                     std::max(ClientHeight, m_closeButton->y() + m_closeButton->height() + NoteMargin));
        m_closeButton->move(m_closeButton->x(), std::max(m_closeButton->y(), m_status->geometry().bottom() + 8));
        setFixedHeight(m_closeButton->geometry().bottom() + NoteMargin);
        return;
    }
    const QString note = outcomeNote(m_outcome);
    if (note.isEmpty())
        return;
    m_note->setText(note);
    const int width =
        std::clamp(m_note->fontMetrics().horizontalAdvance(note), ClientWidth - 2 * NoteMargin, MaxNoteWidth);
    const int height = m_note->heightForWidth(width);
    m_note->setGeometry(NoteMargin, NoteTop, width, height);
    m_note->show();
    setFixedSize(std::max(ClientWidth, width + 2 * NoteMargin), NoteTop + height + NoteMargin);
}

} // namespace lumetra
