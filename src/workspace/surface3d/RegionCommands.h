#pragma once

#include "analysis/picture/RegionGrid.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

namespace lumetra {

class WorkspaceWindow;

// The workspace's 3D commands: "制三维图" enters region mode, in which a drag over pictureView
// draws a white exclusive-or rectangle; releasing it asks for the reduction factor, samples the
// picture afresh and opens a surface chart of the region. "取消制三维图" leaves region mode.
class SurfaceChartWindow;

class RegionCommands : public QObject
{
    Q_OBJECT

public:
    explicit RegionCommands(WorkspaceWindow &workspace);

    // The commands installed on this workspace, or nullptr.
    static RegionCommands *of(WorkspaceWindow &workspace);
    static QString factorPrompt();
    // What is wrong with an answer to the factor prompt; empty for 2, 4, 6, 8, 10 (leading zeros
    // allowed) and for an empty answer, which ends the command.
    static QString factorProblem(const QString &answer);

    bool regionMode() const { return m_regionMode; }
    // X1, Y1, X2, Y2 of the region being dragged (0 after a chart or a cancel).
    RegionCorners corners() const { return m_corners; }
    // Whether a rectangle is drawn on the picture now.
    bool rectangleShown() const { return m_shown.has_value(); }
    // Closes the charts made of the workspace's picture: it was replaced, placed anew or
    // filtered, or the workspace closes.
    void closeCharts();

private:
    void shanwie1_Click();
    void shanwie2_Click();
    void pictureMouseDown(int x, int y);
    void pictureMouseMove(int x, int y, Qt::MouseButtons buttons);
    void pictureMouseUp();

    // The factor input box, which says what is wrong until the answer is valid; nothing when
    // cancelled or left empty.
    std::optional<int> askFactor();
    void drawRectangle(const RegionCorners &corners);
    void removeRectangle();
    // The sampling, the grid and the chart, for a normalised region and factor f.
    void chartRegion(int factor);

    WorkspaceWindow &m_workspace;
    bool m_regionMode = false;
    RegionCorners m_corners;
    // The rectangle as drawn, which may differ from the corners once they are normalised or
    // limited: removing it draws exactly these pixels again.
    std::optional<RegionCorners> m_shown;
    QList<QPointer<SurfaceChartWindow>> m_charts;
};

// Creates the commands on the workspace and connects them to its menu and picture.
void installRegionCommands(WorkspaceWindow &workspace);

} // namespace lumetra
