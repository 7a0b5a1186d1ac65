#include "workspace/Frm_transact.h"

#include "analysis/AnalysisState.h"
#include "analysis/Module1.h"
#include "platform/Dialogs.h"
#include "platform/PlacementSetting.h"
#include "platform/MainWindowPort.h"
#include "workspace/CutPicker.h"
#include "workspace/DistancePicker.h"
#include "workspace/FilterCommands.h"
#include "workspace/PlacementBar.h"
#include "workspace/PlacementOptionsDialog.h"
#include "workspace/RegionCommands.h"
#include "workspace/TableExportCommand.h"
#include "workspace/WorkspaceGeometry.h"
#include "workspace/WorkspaceMenu.h"
#include "workspace/frm_sz.h"

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

Frm_transact *Frm_transact::instance(const AppContext &context)
{
    return dynamic_cast<Frm_transact *>(context.workspace);
}

Frm_transact *Frm_transact::showWorkspace(AppContext &context)
{
    // Read the picture before anything is created or changed, so that a refused file leaves no
    // window behind, the picture on screen and the shared state as they were.
    WorkspacePicture loaded = readWorkspacePicture(context.state.ImagePath, loadPlacementMode());
    if (!loaded.ok()) {
        if (context.services.dialogs)
            context.services.dialogs->message(nullptr, QStringLiteral("无法载入图像。\n") + loaded.error,
                                              QStringLiteral("警告!!"), Dialogs::Buttons::Ok,
                                              Dialogs::Icon::Warning);
        return nullptr;
    }
    // The curves on screen belong to the picture being replaced.
    if (context.curveWindow)
        context.curveWindow->closeWindow();
    Frm_transact *form = instance(context);
    if (form) {
        form->replacePicture(std::move(loaded));
    } else {
        form = new Frm_transact(context);
        form->Form_Load(std::move(loaded));
    }
    showChildWindow(context, form, workspace::WorkspacePosition);
    return form;
}

Frm_transact::Frm_transact(AppContext &context)
    : m_context(context), m_picture(workspace::PictureWidth, workspace::PictureHeight),
      m_windowSurface(workspace::ClientWidth, workspace::ClientHeight)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Frm_transact"));
    setWindowTitle(QStringLiteral("图像操作"));
    context.workspace = this;

    m_menu = new WorkspaceMenu(this);
    m_cutPicker = std::make_unique<CutPicker>(context, m_picture);
    // The cut marker and the region rectangle are drawn for the eye only: sampling and the
    // filters read the picture under them.
    m_picture.setOverlaysApart(true);
    m_windowSurface.setBackColour(BackColour);
    m_windowView = new SurfaceView(&m_windowSurface, 0, this);
    m_windowView->setFocusPolicy(Qt::NoFocus);
    m_pictureView = new SurfaceView(&m_picture, workspace::PictureBorder, m_windowView);
    m_pictureView->setObjectName(QStringLiteral("Picture1"));
    m_label1 = new QLabel(QStringLiteral("系统正在进行三维处理"), m_windowView);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAutoFillBackground(true);
    m_label1->adjustSize();
    m_label1->move(workspace::picturePosition() + QPoint(12, 12));

    m_placementBar = new PlacementBar(this);
    connect(m_placementBar, &PlacementBar::placementChosen, this, [this](PlacementMode mode) { setPlacement(mode); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menu->bar());
    layout->addWidget(m_placementBar);
    layout->addWidget(m_windowView);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(menuItem(QStringLiteral("shuipin")), &QAction::triggered, this, [this] { shuipin_Click(); });
    connect(menuItem(QStringLiteral("cuizi")), &QAction::triggered, this, [this] { cuizi_Click(); });
    connect(menuItem(QStringLiteral("configtext")), &QAction::triggered, this,
            [this] { configtext_Click(); });
    connect(menuItem(QStringLiteral("xuanxiang")), &QAction::triggered, this,
            [this] { PlacementOptionsDialog::showDialog(m_context); });
    for (const auto &[name, opener] : {std::pair{"guangshu", &AppContext::openBeamWindow},
                                       std::pair{"biaoding", &AppContext::openCalibrationDialog}})
        connect(menuItem(QString::fromLatin1(name)), &QAction::triggered, this, [this, opener] {
            if (m_context.*opener)
                (m_context.*opener)();
        });
    m_distancePicker = new DistancePicker(m_picture, m_pictureView, this);
    connect(m_pictureView, &SurfaceView::mousePressed, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { Picture1_MouseDown(x, y); });
    connect(m_pictureView, &SurfaceView::keyPressed, this,
            [this](int key, Qt::KeyboardModifiers) { Picture1_KeyDown(key); });
    installFilterCommands(*this);
    installRegionCommands(*this);
    installTableExportCommand(*this);
    // While a curve window is open it and its table stay above the workspace, also when a click
    // on the picture (which moves the cut) brings the workspace forward.
    if (context.mdiArea)
        connect(context.mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *active) {
            // After the area has finished raising the workspace.
            if (active && active->widget() == this)
                QMetaObject::invokeMethod(this, &Frm_transact::keepCurvesAbove, Qt::QueuedConnection);
        });
}

Frm_transact::~Frm_transact()
{
    if (m_context.workspace == this)
        m_context.workspace = nullptr;
}

QAction *Frm_transact::menuItem(const QString &controlName)
{
    return m_menu->item(controlName);
}

void Frm_transact::setLeftEdge(int x)
{
    QWidget *frame = childWindowFrame(this);
    frame->move(x, frame->y());
}

void Frm_transact::setCurveCommandsEnabled(bool enabled)
{
    for (const char *name : {"shuipin", "cuizi"})
        if (QAction *item = menuItem(QString::fromLatin1(name)))
            item->setEnabled(enabled);
}

QRect Frm_transact::windowRect() const
{
    const QWidget *frame = childWindowFrame(const_cast<Frm_transact *>(this));
    return frame == this ? frameGeometry() : frame->geometry();
}

QRect Frm_transact::pictureRect() const
{
    QWidget *frame = childWindowFrame(const_cast<Frm_transact *>(this));
    const QPoint origin = frame == this ? frameGeometry().topLeft() : frame->pos();
    return QRect(origin + m_pictureView->mapTo(frame, QPoint(0, 0)), m_pictureView->size());
}

void Frm_transact::moveWindow(const QPoint &topLeft)
{
    childWindowFrame(this)->move(topLeft);
}

void Frm_transact::setTableCommandEnabled(bool enabled)
{
    if (QAction *item = menuItem(QStringLiteral("zhibiao")))
        item->setEnabled(enabled);
}

bool Frm_transact::moveCutTo(double position)
{
    const bool vertical = m_context.state.CutOrientation == 2;
    const int limit = (vertical ? m_picture.width() : m_picture.height()) - 1;
    const int p = static_cast<int>(std::lround(std::clamp(position, 0.0, double(limit))));
    return vertical ? m_cutPicker->pressAt(p, 0) : m_cutPicker->pressAt(0, p);
}

void Frm_transact::setTitleMark(const QString &mark)
{
    QString title = windowTitle();
    if (!m_titleMark.isEmpty() && title.endsWith(m_titleMark))
        title.chop(m_titleMark.size());
    m_titleMark = mark;
    setWindowTitle(title + mark);
}

FramePlacement Frm_transact::framePlacement() const
{
    // The workspace keeps the picture pixel shown at its (0, 0); the marks want where the frame's
    // origin lies on the workspace picture.
    const PicturePlacement &p = m_source.placement;
    return {-p.offsetX * p.scale, -p.offsetY * p.scale, p.scale};
}

void Frm_transact::pickDistance(std::function<void(double length)> done)
{
    m_distancePicker->start(std::move(done));
}

void Frm_transact::Form_Load(WorkspacePicture picture)
{
    m_source = std::move(picture);
    AnalysisState &state = m_context.state;
    state.WorkspaceOpen = true;
    m_label1->hide();

    const QPoint at = workspace::picturePosition();
    m_pictureView->move(at);
    m_picture.setPlacement(at.x(), at.y());

    showPlacedPicture();
    state.ImageWidth = workspace::PictureWidth;
    state.ImageHeight = workspace::PictureHeight;
    m_menu->applyLoadedStates();
}

void Frm_transact::showPlacedPicture()
{
    // Rulers: left and top scales, then bottom and right ones, engraved on the window around
    // the picture, in the picture's own pixels when it is placed. The routine halves spans it
    // is given, so each call gets its own.
    // They count picture pixels from 0 whatever position axis a curve window left in the
    // shared state.
    m_windowSurface.setBackColour(BackColour);
    AnalysisState &state = m_context.state;
    const double axisStart = state.AxisStart;
    state.AxisStart = 0;
    const PicturePlacement *placement = m_source.placement.isIdentity() ? nullptr : &m_source.placement;
    int spanX = workspace::PictureWidth, spanY = workspace::PictureHeight;
    Module1::DrawPlotFrame(m_context.state, m_picture, m_windowSurface, spanX, spanY, 8, 8,
                           scalesides::RulersLeftTop, false, placement);
    spanX = workspace::PictureWidth;
    spanY = workspace::PictureHeight;
    Module1::DrawPlotFrame(m_context.state, m_picture, m_windowSurface, spanX, spanY, 8, 8,
                           scalesides::RulersBottomRight, false, placement);
    state.AxisStart = axisStart;

    m_picture.setPicture(m_source.placed);
    // The curves measure picture pixels, and only where the fitted picture lies.
    const bool fitted = m_source.placement.mode == PlacementMode::Fit && !m_source.placement.isIdentity();
    state.PictureScale = fitted ? m_source.placement.scale : 1.0;
    state.PictureExtentX = fitted ? m_source.placed.width() : workspace::PictureWidth;
    state.PictureExtentY = fitted ? m_source.placed.height() : workspace::PictureHeight;
    m_placementBar->showFor(m_source.full.width(), m_source.full.height(), m_source.placement.mode);
    setWindowTitle(QStringLiteral("图像操作 - ") + QFileInfo(m_context.state.ImagePath).fileName() +
                   placementTitleSuffix(m_source) + m_titleMark);
    if (m_context.workspacePictureChanged)
        m_context.workspacePictureChanged();
}

void Frm_transact::replacePicture(WorkspacePicture picture)
{
    // A mark after the title ("（饱和）") belongs to the picture it was given for.
    m_titleMark.clear();
    RegionCommands *region = RegionCommands::of(*this);
    if (region && region->regionMode())
        menuItem(QStringLiteral("shanwie2"))->trigger();
    Form_Load(std::move(picture));
    m_windowView->update();
}

void Frm_transact::setPlacement(PlacementMode mode)
{
    if (m_source.full.isNull())
        return;
    placeWorkspacePicture(m_source, mode);
    showPlacedPicture();
    update();
    // An open curve window follows the newly placed picture, as after a filter.
    if (m_context.curveWindow && m_context.state.CurveWindowOpen)
        m_context.curveWindow->resamplePicture();
}

void Frm_transact::Form_Unload()
{
    if (m_context.mainWindow) {
        m_context.mainWindow->setToolbarButtonEnabled(1, true);
        m_context.mainWindow->setToolbarButtonEnabled(2, true);
    }
    m_context.state.WorkspaceOpen = false;
    m_context.state.PictureScale = 1.0;
    m_context.state.PictureExtentX = workspace::PictureWidth;
    m_context.state.PictureExtentY = workspace::PictureHeight;
    m_context.state.AxisStart = 0;
    m_context.state.AxisEnd = 0;
}

void Frm_transact::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void Frm_transact::shuipin_Click()
{
    if (m_context.openCurveWindow)
        m_context.openCurveWindow(false);
}

void Frm_transact::cuizi_Click()
{
    if (m_context.openCurveWindow)
        m_context.openCurveWindow(true);
}

void Frm_transact::configtext_Click()
{
    frm_sz::showDialog(m_context);
}

void Frm_transact::keepCurvesAbove()
{
    if (m_context.curveWindow)
        m_context.curveWindow->raiseAboveWorkspace();
}

void Frm_transact::Picture1_MouseDown(int x, int y)
{
    // A press that starts a distance measurement does not move the cut.
    if (m_distancePicker->active())
        return;
    m_cutPicker->pressAt(x, y);
    keepCurvesAbove();
}

void Frm_transact::Picture1_KeyDown(int key)
{
    m_cutPicker->keyPressed(key);
}

} // namespace lumetra
