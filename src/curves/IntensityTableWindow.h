#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/curves/IntensityPercents.h"
#include "platform/ports/AppContext.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QCloseEvent;
class QTableView;

namespace lumetra {

class IntensityTableModel;

// The intensity table window ("光强数据"): for every pixel along the cut its position and the
// raw and analysed intensity in percent. Opened and closed by the curve windows.
class IntensityTableWindow : public QWidget
{
    Q_OBJECT

public:
    // The open table window or nullptr.
    static IntensityTableWindow *instance(const AppContext &context);
    // Shows the table window at the top left of the frame (or brings it forward).
    static IntensityTableWindow *showWindow(AppContext &context);

    ~IntensityTableWindow() override;

    // Columns with their headers and the rows of the current cut by the face-mode rules.
    void loadRows(const AnalysisState &state);
    // The two value columns by the rules of `mode`.
    void refill(const AnalysisState &state, DisplayMode mode);
    // Row k (1-based) of the position column reads axisStart + k.
    void setPositions(double axisStart, int rows);
    // Row 1-based, column 0..2.
    QString text(int row, int column) const;
    int rowCount() const;
    QString headerText(int column) const;
    // Width of the list (valueList), which the curve window and the workspace use as their left edge.
    int listWidth() const;
    QTableView *listView() { return m_view; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit IntensityTableWindow(QWidget *parent = nullptr);
    int columnWidth(int column) const;

    IntensityTableModel *m_model = nullptr;
    QTableView *m_view = nullptr;
};

} // namespace lumetra
