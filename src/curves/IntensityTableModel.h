#pragma once

#include "analysis/curves/IntensityPercents.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace lumetra {

// The rows of the intensity table: position, raw percent (yellow curve) and analysed percent
// (red or blue curve). Texts are made when the view asks for them, so a refill only rewrites
// numbers.
class IntensityTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit IntensityTableModel(QObject *parent = nullptr);

    // "位置", "光强(黄)%", "光强(红或蓝)%".
    static QStringList headers();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Removes every row and every column (headers included).
    void clearAll();
    // The three columns with their headers, and the rows of the current cut by the face rules.
    void load(const AnalysisState &state);
    // Rewrites the two value columns of every row by the rules of `mode`.
    void refill(const AnalysisState &state, DisplayMode mode);
    // Rewrites the position column: row k (1-based) reads axisStart + k, for rows 1..rows
    // (limited to the rows present).
    void setPositions(double axisStart, int rows);

    // The text of row `row` (1-based), column 0..2; empty outside the table.
    QString text(int row, int column) const;

private:
    struct Row
    {
        double position = 0;
        int raw = 0;
        int analysed = 0;
    };
    std::vector<Row> m_rows;
    bool m_hasColumns = false;
    double m_scale = 1.0; // raster pixels per picture pixel (a fitted picture)
};

} // namespace lumetra
