#pragma once

#include "analysis/picture/RegionGrid.h"
#include "platform/ports/AppContext.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QPushButton;

class Q3DSurface;

namespace lumetra {

class ColourLegend;

// A window showing the grid of one dragged region as a 3D surface that the mouse turns (right
// button) and zooms (wheel). It saves the grid as a workbook (cell (r, c) at row r, column c)
// and the view as a PNG picture. Every chart gets a window of its own. Where OpenGL cannot
// start, the window shows the grid's range and still saves the workbook.
class SurfaceChartWindow : public QWidget
{
    Q_OBJECT

public:
    // Opens a new window for the grid as a child window of the main frame. Without OpenGL it
    // says so in a message box.
    static SurfaceChartWindow *open(AppContext &context, const RegionGrid &grid);

    SurfaceChartWindow(AppContext &context, const RegionGrid &grid, QWidget *parent = nullptr);
    ~SurfaceChartWindow() override;

    const RegionGrid &grid() const { return m_grid; }
    // The graph, or nullptr when OpenGL could not start.
    Q3DSurface *graph() const { return m_graph; }
    bool hasChart() const { return m_graph != nullptr; }
    // "区域 A1:G11", where the region lies on the picture and its intensity range.
    QString rangeText() const;

    // The colour key beside the surface (nullptr without a chart).
    ColourLegend *legend() const { return m_legend; }
    QPushButton *workbookButton() const { return m_saveWorkbook; }
    QPushButton *pictureButton() const { return m_savePicture; }

    // The save dialog, the overwrite question, the write; "文件保存不成功!" when it fails.
    // Return whether a file was written.
    bool saveWorkbook();
    bool savePicture();

    // The whole surface at the size it is shown, with the colour key at its right, as "保存图片"
    // saves it (empty without a chart).
    QImage renderView() const;

private:
    AppContext &m_context;
    RegionGrid m_grid;
    Q3DSurface *m_graph = nullptr;
    QLabel *m_rangeLabel = nullptr;
    ColourLegend *m_legend = nullptr;
    QPushButton *m_saveWorkbook = nullptr;
    QPushButton *m_savePicture = nullptr;
};

} // namespace lumetra
