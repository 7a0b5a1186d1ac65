#include "curves/frm_listview.h"

#include "curves/IntensityTableModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableView>

namespace lumetra {

namespace {
constexpr int ClientWidth = 157; // 2355 x 7830 twips at 15 twips a pixel
constexpr int ClientHeight = 522;
constexpr int ColumnWidth = 70;
} // namespace


frm_listview *frm_listview::instance(const AppContext &context)
{
    return qobject_cast<frm_listview *>(context.singleWindows.value(QStringLiteral("frm_listview")).data());
}

frm_listview *frm_listview::showWindow(AppContext &context)
{
    if (!instance(context))
        context.singleWindows.insert(QStringLiteral("frm_listview"), new frm_listview);
    showChildWindow(context, instance(context), QPoint(0, 0));
    return instance(context);
}

frm_listview::frm_listview(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frm_listview"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(ClientWidth, ClientHeight);

    m_model = new IntensityTableModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("ListView1"));
    m_view->setModel(m_model);
    m_view->setGeometry(0, 0, ClientWidth, ClientHeight);
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
}

frm_listview::~frm_listview() = default;

void frm_listview::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // Unloaded by the curve window rather than through its frame: the frame goes with it.
    if (QWidget *frame = childWindowFrame(this); frame != this)
        frame->deleteLater();
}

void frm_listview::loadRows(const AnalysisState &state)
{
    m_view->setGeometry(0, 0, width(), height());
    m_model->clearAll();
    m_model->load(state);
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_view->setColumnWidth(c, ColumnWidth);
}

void frm_listview::refill(const AnalysisState &state, DisplayMode mode)
{
    m_model->refill(state, mode);
}

void frm_listview::setPositions(double axisStart, int rows)
{
    m_model->setPositions(axisStart, rows);
}

QString frm_listview::text(int row, int column) const
{
    return m_model->text(row, column);
}

int frm_listview::rowCount() const
{
    return m_model->rowCount();
}

QString frm_listview::headerText(int column) const
{
    return m_model->headerData(column, Qt::Horizontal).toString();
}

int frm_listview::listWidth() const
{
    return m_view->width();
}

} // namespace lumetra
