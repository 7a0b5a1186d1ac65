#pragma once

#include "analysis/picture/WorkspacePicture.h"
#include "platform/ports/AppContext.h"
#include "surface/PictureSurface.h"
#include "platform/dialogs/SurfaceView.h"
#include "platform/ports/WorkspacePort.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QCloseEvent;
class QLabel;

namespace lumetra {

struct AnalysisState;

class CutPicker;
class PlacementBar;
class DistancePicker;
class WorkspaceMenu;

// The image workspace "图像操作 - <file name>": the loaded picture (pictureView, 640 x 480) inside engraved
// rulers, the menu bar of the image commands, and the cut the curve windows follow, moved here
// with the mouse and the arrow keys. One instance at a time, destroyed when closed.
class WorkspaceWindow : public QWidget, public WorkspacePort
{
    Q_OBJECT

public:
    // The open workspace of this context, or nullptr.
    static WorkspaceWindow *instance(const AppContext &context);
    // Loads the picture of `path` and shows the workspace at (160, 70) with it (an open workspace
    // takes the new picture). nullptr when the picture was refused: a message names the file and
    // nothing else changes.
    static WorkspaceWindow *showWorkspace(AppContext &context, AnalysisState &state, const QString &path);

    ~WorkspaceWindow() override;

    AppContext &context() { return m_context; }
    // The sampled picture, the cut and the curve view this workspace shares with its curve window.
    AnalysisState &state() { return m_state; }
    PictureSurface &picture() override { return m_picture; }
    QString picturePath() const override;
    SurfaceView *pictureView() { return m_pictureView; }
    PictureSurface &windowSurface() { return m_windowSurface; }
    SurfaceView *windowView() { return m_windowView; }
    // A menu item by its control name (nullptr for an unknown name).
    QAction *menuItem(const QString &controlName);
    // WorkspacePort
    void setLeftEdge(int x) override;
    void setCurveCommandsEnabled(bool enabled) override;
    void setTableCommandEnabled(bool enabled) override;
    void scheduleRepaint() override { update(); }
    bool moveCutTo(double position) override;
    void setTitleMark(const QString &mark) override;
    void pickDistance(std::function<void(double length)> done) override;
    FramePlacement framePlacement() const override;
    QRect windowRect() const override;
    QRect pictureRect() const override;
    void moveWindow(const QPoint &topLeft) override;
    // The status text shown during the 3D export (hidden while idle).
    QLabel *statusLabel() { return m_caption; }
    // How the opened picture lies on pictureView (identity unless it is larger than 640 x 480).
    const PicturePlacement &placement() const { return m_source.placement; }
    // Places the picture again (the bar above the picture, the options dialog): new picture,
    // rulers and title. An open curve window keeps what it sampled until it samples again.
    void setPlacement(PlacementMode mode);
    // The picture was replaced, placed anew, filtered or closed: the results made of it go
    // (the 3D charts close) and the windows that show results of it follow.
    void pictureChanged();
    PlacementBar *placementBar() { return m_placementBar; }

    // Background of the window's own drawing, behind the rulers.
    static constexpr Colour BackColour = rgb(192, 192, 192);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    WorkspaceWindow(AppContext &context, AnalysisState &state);

    void load(WorkspacePicture picture);
    void showPlacedPicture();
    // Another picture in this workspace: region mode left, rulers and picture loaded afresh.
    void replacePicture(WorkspacePicture picture);
    // The open curve window and its table back above this window.
    void keepCurvesAbove();
    void unload();
    void openHorizontalCurve();
    void openVerticalCurve();
    void openSettings();
    void pictureMouseDown(int x, int y);
    void pictureKeyDown(int key);

    AppContext &m_context;
    AnalysisState &m_state;
    PictureSurface m_picture;
    PictureSurface m_windowSurface;
    SurfaceView *m_windowView = nullptr;
    SurfaceView *m_pictureView = nullptr;
    QLabel *m_caption = nullptr;
    WorkspaceMenu *m_menu = nullptr;
    PlacementBar *m_placementBar = nullptr;
    WorkspacePicture m_source;
    std::unique_ptr<CutPicker> m_cutPicker;
    DistancePicker *m_distancePicker = nullptr;
    QString m_titleMark; // after the title, e.g. "（饱和）"
};

} // namespace lumetra
