#include "reports/CurveReportWindow.h"

#include "analysis/AnalysisState.h"
#include "platform/PrinterService.h"
#include "reports/ReportMode.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace lumetra {

namespace {
constexpr int NoteMargin = 12;
constexpr int NoteTop = 130;
constexpr int MaxNoteWidth = 640;
} // namespace

CurveReportWindow::CurveReportWindow(AppContext &context, CurveReportLayout::Orientation orientation)
    : m_context(context), m_orientation(orientation)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("打印"));
    setFixedSize(ClientWidth, ClientHeight);

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(40, 24, 177, 41);
    m_label1->setWordWrap(true);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont song(QStringLiteral("宋体"));
    song.setPointSizeF(10.5);
    song.setBold(true);
    m_label1->setFont(song);

    m_closeButton = new QPushButton(QStringLiteral("关 闭"), this);
    m_closeButton->setObjectName(QStringLiteral("CurtButton1"));
    m_closeButton->setGeometry(64, 88, 89, 33);
    connect(m_closeButton, &QPushButton::clicked, this, [this] { CurtButton1_Click(); });

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("NoteLabel"));
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_note->hide();
}

CurveReportWindow::~CurveReportWindow() = default;

void CurveReportWindow::Form_Load(std::optional<DisplayMode> mode)
{
    CurveReportLayout layout(m_context.state, m_orientation, mode);
    printReport(layout);
    showOutcome();
}

void CurveReportWindow::printReport(CurveReportLayout &layout)
{
    PrinterService *printer = m_context.services.printer;
    if (!printer) {
        m_outcome = PrintOutcome::failed(QStringLiteral("没有可用的打印机"));
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

void CurveReportWindow::showOutcome()
{
    // Only a page that a printer took is reported as sent; one written to a PDF file (no
    // printer) says where it went, also in the main window's status bar.
    const bool toFile = m_outcome.result == PrintOutcome::Result::SavedToFile;
    m_label1->setText(m_outcome.result == PrintOutcome::Result::Printed ? QStringLiteral("数据发送完成！打印机空闲......")
                      : toFile                                           ? m_outcome.note()
                                                                         : QStringLiteral("打印失败！"));
    if (toFile) {
        announceSaved(m_context, m_outcome.filePath, QStringLiteral("已保存为 PDF："));
        m_label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_label1->setFixedWidth(MaxNoteWidth);
        m_label1->setFixedHeight(m_label1->heightForWidth(MaxNoteWidth));
        setFixedSize(std::max(ClientWidth, m_label1->x() + MaxNoteWidth + NoteMargin),
                     std::max(ClientHeight, m_closeButton->y() + m_closeButton->height() + NoteMargin));
        m_closeButton->move(m_closeButton->x(), std::max(m_closeButton->y(), m_label1->geometry().bottom() + 8));
        setFixedHeight(m_closeButton->geometry().bottom() + NoteMargin);
        return;
    }
    const QString note = m_outcome.note();
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

void CurveReportWindow::CurtButton1_Click()
{
    childWindowFrame(this)->close();
}

} // namespace lumetra
