#include "curves/IntensityTableWindow.h"

#include "curves/IntensityTableModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace lumetra {

namespace {
constexpr int ClientHeight = 522; // 7830 twips at 15 twips a pixel
constexpr int ColumnWidth = 70;
constexpr int MinimumHeight = 200;
constexpr int HeaderPadding = 16;
} // namespace


IntensityTableWindow *IntensityTableWindow::instance(const AppContext &context)
{
    return context.singleWindow<IntensityTableWindow>(QStringLiteral("IntensityTableWindow"));
}

IntensityTableWindow *IntensityTableWindow::showWindow(AppContext &context)
{
    if (!instance(context))
        context.singleWindows.insert(QStringLiteral("IntensityTableWindow"), new IntensityTableWindow);
    showChildWindow(context, instance(context));
    return instance(context);
}

IntensityTableWindow::IntensityTableWindow(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("IntensityTableWindow"));
    setWindowTitle(tr("光强数据"));

    m_model = new IntensityTableModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("valueList"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 2);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_view->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Wide enough for the three columns, each at least as wide as its header, and the scroll bar.
    int width = 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < IntensityTableModel::headers().size(); ++c)
        width += columnWidth(c);
    // As tall as the main frame allows: on a small screen fewer rows show, and the list scrolls.
    setFixedWidth(width);
    setMinimumHeight(MinimumHeight);
    resize(width, ClientHeight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

int IntensityTableWindow::columnWidth(int column) const
{
    const QString header = IntensityTableModel::headers().value(column);
    return std::max(ColumnWidth, m_view->horizontalHeader()->fontMetrics().horizontalAdvance(header) +
                                     HeaderPadding);
}

IntensityTableWindow::~IntensityTableWindow() = default;

void IntensityTableWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // Unloaded by the curve window rather than through its frame: the frame goes with it.
    if (QWidget *frame = childWindowFrame(this); frame != this)
        frame->deleteLater();
}

void IntensityTableWindow::loadRows(const AnalysisState &state)
{
    m_view->setGeometry(0, 0, width(), height());
    m_model->clearAll();
    m_model->load(state);
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_view->setColumnWidth(c, columnWidth(c));
}

void IntensityTableWindow::refill(const AnalysisState &state, DisplayMode mode)
{
    m_model->refill(state, mode);
}

void IntensityTableWindow::setPositions(double axisStart, int rows)
{
    m_model->setPositions(axisStart, rows);
}

QString IntensityTableWindow::text(int row, int column) const
{
    return m_model->text(row, column);
}

int IntensityTableWindow::rowCount() const
{
    return m_model->rowCount();
}

QString IntensityTableWindow::headerText(int column) const
{
    return m_model->headerData(column, Qt::Horizontal).toString();
}

int IntensityTableWindow::listWidth() const
{
    return m_view->width();
}

} // namespace lumetra
