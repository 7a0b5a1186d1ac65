#pragma once

#include "caustic/CausticAxisResult.h"

#include <QTableWidget>

#include <optional>

namespace lumetra {

// The fit of each axis, one column per axis: d0, z0, zR, theta and M² each with its standard
// error ("1.31 ± 0.04"), residual, the point counts and the ISO 11146-1 check; an axis that cannot
// be fitted says why.
class CausticResultsTable : public QTableWidget
{
    Q_OBJECT

public:
    enum Row { D0, Z0, Zr, Theta, M2, Residual, Points, WithinZr, Beyond2Zr, Iso, RowCount };

    explicit CausticResultsTable(QWidget *parent = nullptr);

    void showResults(const std::vector<CausticAxisResult> &results);
    // The text of a result cell (row, axis column), "" when empty.
    QString resultText(int row, int axis) const;
    static QString rowTitle(int row);
    // The rows' texts of one axis, as shown.
    static QStringList columnTexts(const CausticAxisResult &result);
    // The number in a row (all but the ISO row) at full precision.
    static double rowValue(const beam::CausticFit &fit, int row);
    // The standard error of the figure in a row (d0 .. M²), nothing for other rows or when the
    // fit cannot tell it (three points).
    static std::optional<double> rowError(const beam::CausticFit &fit, int row);
};

} // namespace lumetra
