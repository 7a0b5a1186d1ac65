#include "curves/IntensityTableModel.h"

#include "curves/CurveValues.h"

#include <QStringList>

#include <algorithm>

namespace lumetra {

QStringList IntensityTableModel::headers()
{
    return {tr("位置"), tr("光强(黄)%"), tr("光强(红或蓝)%")};
}

IntensityTableModel::IntensityTableModel(QObject *parent) : QAbstractTableModel(parent) {}

int IntensityTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int IntensityTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_hasColumns ? 0 : 3;
}

QVariant IntensityTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return text(index.row() + 1, index.column());
}

QVariant IntensityTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_hasColumns || section < 0 ||
        section >= headers().size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers().at(section);
}

void IntensityTableModel::clearAll()
{
    beginResetModel();
    m_rows.clear();
    m_hasColumns = false;
    endResetModel();
}

void IntensityTableModel::load(const AnalysisState &state)
{
    beginResetModel();
    m_hasColumns = true;
    // Under a fitted picture the rows stop where it does and read picture pixels.
    const int rows = pictureRowCount(state);
    m_scale = state.picture.PictureScale;
    m_rows.assign(static_cast<size_t>(std::max(0, rows)), Row{});
    for (int i = 1; i <= rows; ++i) {
        const TablePercents p = tablePercents(state, DisplayMode::Face, i);
        m_rows[static_cast<size_t>(i - 1)] = Row{tableRowPosition(state, i), p.raw, p.analysed};
    }
    endResetModel();
}

void IntensityTableModel::refill(const AnalysisState &state, DisplayMode mode)
{
    if (m_rows.empty())
        return;
    // The rows were made for the cut when the table loaded; a cut of the other orientation
    // (which cannot happen while the table is open) would leave the extra rows alone.
    const int rows = std::min(static_cast<int>(m_rows.size()), tableRowCount(state));
    for (int k = 1; k <= rows; ++k) {
        const TablePercents p = tablePercents(state, mode, k);
        Row &row = m_rows[static_cast<size_t>(k - 1)];
        row.raw = p.raw;
        row.analysed = p.analysed;
    }
    if (rows > 0)
        emit dataChanged(index(0, 1), index(rows - 1, 2), {Qt::DisplayRole});
}

void IntensityTableModel::setPositions(double axisStart, int rows)
{
    const int n = std::min(rows, static_cast<int>(m_rows.size()));
    for (int k = 1; k <= n; ++k)
        m_rows[static_cast<size_t>(k - 1)].position = (axisStart + k) / m_scale;
    if (n > 0)
        emit dataChanged(index(0, 0), index(n - 1, 0), {Qt::DisplayRole});
}

QString IntensityTableModel::text(int row, int column) const
{
    if (row < 1 || row > static_cast<int>(m_rows.size()) || column < 0 || column > 2)
        return {};
    const Row &r = m_rows[static_cast<size_t>(row - 1)];
    switch (column) {
    case 0: return CurveValues::shortestNumber(r.position);
    case 1: return QString::number(r.raw);
    default: return QString::number(r.analysed);
    }
}

} // namespace lumetra
