#include "caustic/CausticFrameModel.h"

#include "analysis/caustic/FrameNameZ.h"
#include "caustic/CausticFrameTexts.h"

#include <QColor>
#include <QFileInfo>

#include <algorithm>
#include <QCoreApplication>

#include <cmath>

namespace lumetra {

namespace {

const char *const Headers[] = {QT_TRANSLATE_NOOP("CausticFrameModel", "文件"),    "z (mm)", "d_x (µm)", "d_y (µm)",
                               "d_major (µm)", "d_minor (µm)", QT_TRANSLATE_NOOP("CausticFrameModel", "条纹校正"),
                               QT_TRANSLATE_NOOP("CausticFrameModel", "状态")};

bool warned(const CausticFrame &frame)
{
    return frame.state == CausticFrame::State::Ok && !frame.warnings.empty();
}

// A frame with warnings is never shown as done like a clean one: "警告：像素饱和", and whether it
// is left out of the fit.
QString okText(const CausticFrame &frame, bool excludeWarned)
{
    QString text =
        frame.warnings.empty()
            ? QCoreApplication::translate("CausticFrameModel", "完成")
            : QCoreApplication::translate("CausticFrameModel", "警告：%1")
                      .arg(beamWarningsText(frame.warnings)) +
                  (excludeWarned ? QCoreApplication::translate("CausticFrameModel", "（未参与拟合）")
                                 : QString());
    return frame.zMm ? text : text + QCoreApplication::translate("CausticFrameModel", ", 缺少 z");
}

QString stateText(const CausticFrame &frame, bool excludeWarned)
{
    switch (frame.state) {
    case CausticFrame::State::Measuring: return QCoreApplication::translate("CausticFrameModel", "测量中…");
    case CausticFrame::State::Ok: return okText(frame, excludeWarned);
    case CausticFrame::State::NoBeam: return QCoreApplication::translate("CausticFrameModel", "无光束");
    case CausticFrame::State::Unreadable: return QCoreApplication::translate("CausticFrameModel", "无法读取");
    }
    return {};
}

} // namespace

QList<int> CausticFrameModel::addFrames(const QStringList &paths)
{
    QList<int> ids;
    if (paths.isEmpty())
        return ids;
    // A batch is listed by z (as the names give it), frames without z last.
    std::vector<CausticFrame> batch;
    for (const QString &path : paths) {
        CausticFrame frame;
        frame.id = m_nextId++;
        frame.path = path;
        frame.zMm = beam::zFromFileName(path);
        batch.push_back(frame);
        ids << batch.back().id;
    }
    std::stable_sort(batch.begin(), batch.end(), [](const CausticFrame &a, const CausticFrame &b) {
        return a.zMm && (!b.zMm || *a.zMm < *b.zMm);
    });
    beginInsertRows(QModelIndex(), rowCount(), rowCount() + int(batch.size()) - 1);
    m_frames.insert(m_frames.end(), batch.begin(), batch.end());
    endInsertRows();
    return ids;
}

void CausticFrameModel::setMeasured(int id, const beam::BeamFileResult &result)
{
    const auto it = std::find_if(m_frames.begin(), m_frames.end(), [id](const CausticFrame &f) { return f.id == id; });
    if (it == m_frames.end())
        return;
    CausticFrame &frame = *it;
    if (!result.error.isEmpty()) {
        frame.state = CausticFrame::State::Unreadable;
        frame.error = result.error;
    } else if (result.result.status != beam::BeamStatus::Ok) {
        frame.state = CausticFrame::State::NoBeam;
    } else {
        frame.state = CausticFrame::State::Ok;
        frame.dX = result.result.dX;
        frame.dY = result.result.dY;
        frame.dMajor = result.result.dMajor;
        frame.dMinor = result.result.dMinor;
        frame.warnings = result.result.warnings;
        frame.stripes = result.result.stripeCorrection;
    }
    const int row = int(it - m_frames.begin());
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void CausticFrameModel::clear()
{
    beginResetModel();
    m_frames.clear();
    endResetModel();
}

void CausticFrameModel::setPixelSizeUm(double pixelSizeUm)
{
    if (pixelSizeUm == m_pixelSizeUm)
        return;
    m_pixelSizeUm = pixelSizeUm;
    columnsChanged(DxColumn, DMinorColumn);
}

void CausticFrameModel::setExcludeWarned(bool exclude)
{
    if (exclude == m_excludeWarned)
        return;
    m_excludeWarned = exclude;
    columnsChanged(StatusColumn, StatusColumn);
}

void CausticFrameModel::columnsChanged(int first, int last)
{
    if (!m_frames.empty())
        emit dataChanged(index(0, first), index(rowCount() - 1, last));
}

int CausticFrameModel::framesWithWarnings() const
{
    return int(std::count_if(m_frames.begin(), m_frames.end(), warned));
}

int CausticFrameModel::framesWithStripeCorrection() const
{
    return int(std::count_if(m_frames.begin(), m_frames.end(), [](const CausticFrame &f) {
        return f.state == CausticFrame::State::Ok && f.stripes != beam::StripeCorrection::None;
    }));
}

int CausticFrameModel::measuredCount() const
{
    return int(std::count_if(m_frames.begin(), m_frames.end(),
                             [](const CausticFrame &f) { return f.state != CausticFrame::State::Measuring; }));
}

int CausticFrameModel::framesWithoutZ() const
{
    return int(std::count_if(m_frames.begin(), m_frames.end(), [](const CausticFrame &f) {
        return f.state == CausticFrame::State::Ok && !f.zMm;
    }));
}

beam::CausticSeries CausticFrameModel::series(double wavelengthNm, bool principalAxes) const
{
    beam::CausticSeries series;
    series.wavelengthNm = wavelengthNm;
    beam::CausticAxis first{principalAxes ? QStringLiteral("major") : QStringLiteral("x"), {}};
    beam::CausticAxis second{principalAxes ? QStringLiteral("minor") : QStringLiteral("y"), {}};
    for (const CausticFrame &f : m_frames) {
        if (f.state != CausticFrame::State::Ok || !f.zMm || (m_excludeWarned && warned(f)))
            continue;
        first.points.push_back({*f.zMm, (principalAxes ? f.dMajor : f.dX) * m_pixelSizeUm});
        second.points.push_back({*f.zMm, (principalAxes ? f.dMinor : f.dY) * m_pixelSizeUm});
    }
    series.axes = {std::move(first), std::move(second)};
    return series;
}

QString CausticFrameModel::cellText(int row, int column) const
{
    const CausticFrame &f = m_frames[std::size_t(row)];
    const bool measured = f.state == CausticFrame::State::Ok;
    const auto micrometres = [&](double px) { return measured ? QString::number(px * m_pixelSizeUm, 'f', 1) : QString(); };
    switch (column) {
    case FileColumn: return QFileInfo(f.path).fileName();
    case ZColumn: return f.zMm ? QString::number(*f.zMm, 'g', 10) : QString();
    case DxColumn: return micrometres(f.dX);
    case DyColumn: return micrometres(f.dY);
    case DMajorColumn: return micrometres(f.dMajor);
    case DMinorColumn: return micrometres(f.dMinor);
    case StripeColumn: return measured ? stripeCorrectionText(f.stripes) : QString();
    case StatusColumn: return stateText(f, m_excludeWarned);
    default: return {};
    }
}

int CausticFrameModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_frames.size());
}

int CausticFrameModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CausticFrameModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CausticFrame &f = m_frames[std::size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cellText(index.row(), index.column());
    if (role == Qt::ToolTipRole)
        return index.column() == FileColumn ? f.path : index.column() == StatusColumn ? f.error : QVariant();
    if (role == Qt::ForegroundRole && index.column() == StatusColumn && warned(f))
        return QColor(220, 0, 0);
    if (role == Qt::TextAlignmentRole && index.column() != FileColumn && index.column() != StatusColumn &&
        index.column() != StripeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool CausticFrameModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != ZColumn || role != Qt::EditRole)
        return false;
    const QString text = value.toString().trimmed();
    std::optional<double> z;
    if (!text.isEmpty()) {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return false;
        z = number;
    }
    m_frames[std::size_t(index.row())].zMm = z;
    emit dataChanged(index, this->index(index.row(), StatusColumn));
    return true;
}

Qt::ItemFlags CausticFrameModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == ZColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant CausticFrameModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < ColumnCount ? QCoreApplication::translate("CausticFrameModel", Headers[section]) : QVariant();
}

} // namespace lumetra
