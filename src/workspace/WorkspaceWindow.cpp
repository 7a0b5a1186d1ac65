#include "workspace/WorkspaceWindow.h"

#include "analysis/AnalysisState.h"
#include "analysis/curves/CurvePlot.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/settings/PlacementSetting.h"
#include "platform/ports/MainWindowPort.h"
#include "workspace/CutPicker.h"
#include "workspace/DistancePicker.h"
#include "workspace/FilterCommands.h"
#include "workspace/placement/PlacementBar.h"
#include "workspace/placement/PlacementOptionsDialog.h"
#include "workspace/surface3d/RegionCommands.h"
#include "workspace/TableExportCommand.h"
#include "workspace/WorkspaceGeometry.h"
#include "workspace/WorkspaceMenu.h"
#include "workspace/SettingsDialog.h"
#include "platform/framefiles/PictureFiles.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumetra {

WorkspaceWindow *WorkspaceWindow::instance(const AppContext &context)
{
    return dynamic_cast<WorkspaceWindow *>(context.workspace);
}

WorkspaceWindow *WorkspaceWindow::showWorkspace(AppContext &context, AnalysisState &state, const QString &path)
{
    // Read the picture before anything is created or changed, so that a refused file leaves no
    // window behind, the picture on screen and the shared state as they were.
    WorkspacePicture loaded = readWorkspacePicture(path, loadPlacementMode(), pictureFileReaders());
    if (!loaded.ok()) {
        if (context.services.dialogs)
            context.services.dialogs->message(nullptr, tr("无法载入图像。\n%1").arg(loaded.error),
                                              tr("警告!!"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return nullptr;
    }
    // The curves on screen belong to the picture being replaced.
    if (context.curveWindow)
        context.curveWindow->closeWindow();
    state.picture.ImagePath = path;
    WorkspaceWindow *form = instance(context);
    if (form) {
        form->replacePicture(std::move(loaded));
    } else {
        form = new WorkspaceWindow(context, state);
        form->load(std::move(loaded));
    }
    showChildWindow(context, form, workspace::WorkspacePosition);
    return form;
}

WorkspaceWindow::WorkspaceWindow(AppContext &context, AnalysisState &state)
    : m_context(context), m_state(state), m_picture(workspace::PictureWidth, workspace::PictureHeight),
      m_windowSurface(workspace::ClientWidth, workspace::ClientHeight)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("WorkspaceWindow"));
    setWindowTitle(tr("图像操作"));
    context.workspace = this;

    m_menu = new WorkspaceMenu(this);
    m_cutPicker = std::make_unique<CutPicker>(context, state, m_picture);
    // The cut marker and the region rectangle are drawn for the eye only: sampling and the
    // filters read the picture under them.
    m_picture.setOverlaysApart(true);
    m_windowSurface.setBackColour(BackColour);
    m_windowView = new SurfaceView(&m_windowSurface, 0, this);
    m_windowView->setFocusPolicy(Qt::NoFocus);
    m_pictureView = new SurfaceView(&m_picture, workspace::PictureBorder, m_windowView);
    m_pictureView->setObjectName(QStringLiteral("pictureView"));
    m_caption = new QLabel(tr("系统正在进行三维处理"), m_windowView);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setAutoFillBackground(true);
    m_caption->adjustSize();
    m_caption->move(workspace::picturePosition() + QPoint(12, 12));

    m_placementBar = new PlacementBar(this);
    // The placement picked here is the one the next large picture opens with.
    connect(m_placementBar, &PlacementBar::placementChosen, this, [this](PlacementMode mode) {
        savePlacementMode(mode);
        setPlacement(mode);
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menu->bar());
    layout->addWidget(m_placementBar);
    layout->addWidget(m_windowView);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(menuItem(QStringLiteral("horizontalCurve")), &QAction::triggered, this, [this] { openHorizontalCurve(); });
    connect(menuItem(QStringLiteral("verticalCurve")), &QAction::triggered, this, [this] { openVerticalCurve(); });
    connect(menuItem(QStringLiteral("settings")), &QAction::triggered, this,
            [this] { openSettings(); });
    connect(menuItem(QStringLiteral("placementOptions")), &QAction::triggered, this,
            [this] { PlacementOptionsDialog::showDialog(m_context); });
    for (const auto &[name, opener] : {std::pair{"beamParameters", &AppContext::openBeamWindow},
                                       std::pair{"calibrate", &AppContext::openCalibrationDialog}})
        connect(menuItem(QString::fromLatin1(name)), &QAction::triggered, this, [this, opener] {
            if (m_context.*opener)
                (m_context.*opener)();
        });
    keepInSight(this, m_pictureView);
    m_distancePicker = new DistancePicker(m_picture, m_pictureView, this);
    connect(m_pictureView, &SurfaceView::mousePressed, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { pictureMouseDown(x, y); });
    connect(m_pictureView, &SurfaceView::keyPressed, this,
            [this](int key, Qt::KeyboardModifiers) { pictureKeyDown(key); });
    installFilterCommands(*this);
    installRegionCommands(*this);
    installTableExportCommand(*this);
    // While a curve window is open it and its table stay above the workspace, also when a click
    // on the picture (which moves the cut) brings the workspace forward.
    if (context.mdiArea)
        connect(context.mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *active) {
            // After the area has finished raising the workspace.
            if (active && active->widget() == this)
                QMetaObject::invokeMethod(this, &WorkspaceWindow::keepCurvesAbove, Qt::QueuedConnection);
        });
}

QString WorkspaceWindow::picturePath() const
{
    return m_state.picture.ImagePath;
}

WorkspaceWindow::~WorkspaceWindow()
{
    if (m_context.workspace == this)
        m_context.workspace = nullptr;
}

QAction *WorkspaceWindow::menuItem(const QString &controlName)
{
    return m_menu->item(controlName);
}

void WorkspaceWindow::setLeftEdge(int x)
{
    QWidget *frame = childWindowFrame(this);
    frame->move(x, frame->y());
}

void WorkspaceWindow::setCurveCommandsEnabled(bool enabled)
{
    for (const char *name : {"horizontalCurve", "verticalCurve"})
        if (QAction *item = menuItem(QString::fromLatin1(name)))
            item->setEnabled(enabled);
}

QRect WorkspaceWindow::windowRect() const
{
    const QWidget *frame = childWindowFrame(const_cast<WorkspaceWindow *>(this));
    return frame == this ? frameGeometry() : frame->geometry();
}

QRect WorkspaceWindow::pictureRect() const
{
    QWidget *frame = childWindowFrame(const_cast<WorkspaceWindow *>(this));
    const QPoint origin = frame == this ? frameGeometry().topLeft() : frame->pos();
    return QRect(origin + m_pictureView->mapTo(frame, QPoint(0, 0)), m_pictureView->size());
}

void WorkspaceWindow::moveWindow(const QPoint &topLeft)
{
    childWindowFrame(this)->move(topLeft);
}

void WorkspaceWindow::setTableCommandEnabled(bool enabled)
{
    if (QAction *item = menuItem(QStringLiteral("exportTable")))
        item->setEnabled(enabled);
}

bool WorkspaceWindow::moveCutTo(double position)
{
    const bool vertical = m_state.cut.CutOrientation == 2;
    const int limit = (vertical ? m_picture.width() : m_picture.height()) - 1;
    const int p = static_cast<int>(std::lround(std::clamp(position, 0.0, double(limit))));
    return vertical ? m_cutPicker->pressAt(p, 0) : m_cutPicker->pressAt(0, p);
}

void WorkspaceWindow::setTitleMark(const QString &mark)
{
    QString title = windowTitle();
    if (!m_titleMark.isEmpty() && title.endsWith(m_titleMark))
        title.chop(m_titleMark.size());
    m_titleMark = mark;
    setWindowTitle(title + mark);
}

FramePlacement WorkspaceWindow::framePlacement() const
{
    // The workspace keeps the picture pixel shown at its (0, 0); the marks want where the frame's
    // origin lies on the workspace picture.
    const PicturePlacement &p = m_source.placement;
    return {-p.offsetX * p.scale, -p.offsetY * p.scale, p.scale};
}

void WorkspaceWindow::pickDistance(std::function<void(double length)> done)
{
    m_distancePicker->start(std::move(done));
}

void WorkspaceWindow::load(WorkspacePicture picture)
{
    m_source = std::move(picture);
    AnalysisState &state = m_state;
    m_caption->hide();

    const QPoint at = workspace::picturePosition();
    m_pictureView->move(at);
    m_picture.setPlacement(at.x(), at.y());

    showPlacedPicture();
    state.picture.ImageWidth = workspace::PictureWidth;
    state.picture.ImageHeight = workspace::PictureHeight;
    m_menu->applyLoadedStates();
}

void WorkspaceWindow::showPlacedPicture()
{
    // Rulers: left and top scales, then bottom and right ones, engraved on the window around
    // the picture, in the picture's own pixels when it is placed. The routine halves spans it
    // is given, so each call gets its own.
    // They count picture pixels from 0.
    m_windowSurface.setBackColour(BackColour);
    const PicturePlacement *placement = m_source.placement.isIdentity() ? nullptr : &m_source.placement;
    int spanX = workspace::PictureWidth, spanY = workspace::PictureHeight;
    plotting::DrawPlotFrame(0, m_picture, m_windowSurface, spanX, spanY, 8, 8,
                           scalesides::RulersLeftTop, false, placement);
    spanX = workspace::PictureWidth;
    spanY = workspace::PictureHeight;
    plotting::DrawPlotFrame(0, m_picture, m_windowSurface, spanX, spanY, 8, 8,
                           scalesides::RulersBottomRight, false, placement);

    m_picture.setPicture(m_source.placed);
    // The curves measure picture pixels, and only where the fitted picture lies.
    applyPictureExtent(m_state.picture, m_source);
    m_placementBar->showFor(m_source.full.width(), m_source.full.height(), m_source.placement.mode);
    setWindowTitle(tr("图像操作 - %1")
                       .arg(QFileInfo(m_state.picture.ImagePath).fileName() + placementTitleSuffix(m_source) +
                            m_titleMark));
    pictureChanged();
}

void WorkspaceWindow::pictureChanged()
{
    // Results measured on the picture go with it: the 3D charts close, the other windows follow.
    if (RegionCommands *region = RegionCommands::of(*this))
        region->closeCharts();
    if (m_context.workspacePictureChanged)
        m_context.workspacePictureChanged();
}

void WorkspaceWindow::replacePicture(WorkspacePicture picture)
{
    // A mark after the title ("（饱和）") belongs to the picture it was given for.
    m_titleMark.clear();
    RegionCommands *region = RegionCommands::of(*this);
    if (region && region->regionMode())
        menuItem(QStringLiteral("clearSurface"))->trigger();
    load(std::move(picture));
    m_windowView->update();
}

void WorkspaceWindow::setPlacement(PlacementMode mode)
{
    if (m_source.full.isNull())
        return;
    placeWorkspacePicture(m_source, mode, pictureFileReaders().frame);
    showPlacedPicture();
    update();
    // An open curve window follows the newly placed picture, as after a filter.
    if (m_context.curveWindow && m_state.cut.Active)
        m_context.curveWindow->resamplePicture();
}

void WorkspaceWindow::unload()
{
    if (m_context.mainWindow) {
        m_context.mainWindow->setToolbarButtonEnabled(1, true);
        m_context.mainWindow->setToolbarButtonEnabled(2, true);
    }
    // Closed: no longer the open workspace, even before Qt deletes the window.
    if (m_context.workspace == this)
        m_context.workspace = nullptr;
    m_state.picture.PictureScale = 1.0;
    m_state.picture.PictureExtentX = workspace::PictureWidth;
    m_state.picture.PictureExtentY = workspace::PictureHeight;
    m_state.view.AxisStart = 0;
    m_state.view.AxisEnd = 0;
    pictureChanged();
}

void WorkspaceWindow::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void WorkspaceWindow::openHorizontalCurve()
{
    if (m_context.openCurveWindow)
        m_context.openCurveWindow(false);
}

void WorkspaceWindow::openVerticalCurve()
{
    if (m_context.openCurveWindow)
        m_context.openCurveWindow(true);
}

void WorkspaceWindow::openSettings()
{
    SettingsDialog::showDialog(m_context);
}

void WorkspaceWindow::keepCurvesAbove()
{
    if (m_context.curveWindow)
        m_context.curveWindow->raiseAboveWorkspace();
}

void WorkspaceWindow::pictureMouseDown(int x, int y)
{
    // A press that starts a distance measurement does not move the cut.
    if (m_distancePicker->active())
        return;
    m_cutPicker->pressAt(x, y);
    keepCurvesAbove();
}

void WorkspaceWindow::pictureKeyDown(int key)
{
    m_cutPicker->keyPressed(key);
}

} // namespace lumetra
