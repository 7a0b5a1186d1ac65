#pragma once

#include "analysis/beam/BeamBatch.h"
#include "analysis/caustic/CausticSeries.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumetra {

// One frame of a caustic series: its file, its z (from the name, editable) and, once measured,
// its diameters in pixels.
struct CausticFrame
{
    enum class State { Measuring, Ok, NoBeam, Unreadable };

    int id = 0;
    QString path;
    std::optional<double> zMm;
    State state = State::Measuring;
    QString error; // why an unreadable frame could not be read
    double dX = 0, dY = 0, dMajor = 0, dMinor = 0; // px
    beam::BeamWarnings warnings; // of the beam measurement
    beam::StripeCorrection stripes = beam::StripeCorrection::None;
};

// The frame table of the M² window: file / z / d_x / d_y / d_major / d_minor (µm at the current
// pixel size) / stripe correction / status. z is editable: a number, or empty for none. A frame
// whose beam measurement carries warnings says them in words in its status (in red); with
// "exclude warned" it stays listed but is left out of the fit.
class CausticFrameModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        FileColumn,
        ZColumn,
        DxColumn,
        DyColumn,
        DMajorColumn,
        DMinorColumn,
        StripeColumn,
        StatusColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    // New rows waiting to be measured, z taken from the names, listed by z; returns the ids in
    // the order of `paths`.
    QList<int> addFrames(const QStringList &paths);
    // The measurement of the frame with this id (ignored when the row has gone).
    void setMeasured(int id, const beam::BeamFileResult &result);
    void clear();
    void setPixelSizeUm(double pixelSizeUm);
    double pixelSizeUm() const { return m_pixelSizeUm; }
    // Leaves frames with beam warnings out of the series (they stay listed, marked as such).
    void setExcludeWarned(bool exclude);
    bool excludeWarned() const { return m_excludeWarned; }

    const std::vector<CausticFrame> &frames() const { return m_frames; }
    int measuredCount() const;
    // Frames measured with a beam but without a z: left out of the fit.
    int framesWithoutZ() const;
    // Frames measured with a beam whose measurement carries warnings.
    int framesWithWarnings() const;
    // Frames measured with a beam whose smear stripes were taken out.
    int framesWithStripeCorrection() const;
    // The diameters (µm) of the measured frames with a z: x/y or major/minor; without the frames
    // with warnings when they are excluded.
    beam::CausticSeries series(double wavelengthNm, bool principalAxes) const;
    // A cell as the table shows it.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Every row's cells from column `first` to `last` show something else now.
    void columnsChanged(int first, int last);

    std::vector<CausticFrame> m_frames;
    double m_pixelSizeUm = 1;
    bool m_excludeWarned = false;
    int m_nextId = 1;
};

} // namespace lumetra
