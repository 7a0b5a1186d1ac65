#include "curves/CurveWindow.h"

#include "analysis/AnalysisState.h"
#include "analysis/curves/CurveRedraw.h"
#include "analysis/curves/Overlays.h"
#include "analysis/picture/Sampling.h"
#include "platform/settings/SettingsFile.h"
#include "curves/CurveDisplay.h"
#include "curves/CurveInteraction.h"
#include "curves/CurveValues.h"
#include "curves/CurveWidthReadout.h"
#include "curves/IntensityTableWindow.h"
#include "platform/ports/WorkspacePort.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace lumetra {

CurveWindow *CurveWindow::openWindow(const AppContext &context)
{
    return dynamic_cast<CurveWindow *>(context.curveWindow);
}

CurveWindow *CurveWindow::instance(const AppContext &context, bool vertical)
{
    CurveWindow *open = openWindow(context);
    return open && open->isVertical() == vertical ? open : nullptr;
}

CurveWindow *CurveWindow::showWindow(AppContext &context, AnalysisState &state, bool vertical)
{
    if (CurveWindow *open = instance(context, vertical)) {
        showChildWindow(context, open);
        return open;
    }
    if (openWindow(context))
        return nullptr;
    auto *window = new CurveWindow(context, state, vertical ? CurveGeometry::verticalWindow() : CurveGeometry::horizontal());
    window->setObjectName(vertical ? QStringLiteral("VerticalCurveWindow") : QStringLiteral("HorizontalCurveWindow"));
    window->present();
    return window;
}

CurveWindow::CurveWindow(AppContext &context, AnalysisState &state, const CurveGeometry &geometry, QWidget *parent)
    : QWidget(parent), m_context(context), m_state(state), m_geometry(geometry)
{
    setAttribute(Qt::WA_DeleteOnClose);
    context.curveWindow = this;
    buildControls();
    buildPopupMenu();
    m_points = std::make_unique<MarkedPoints>(state, m_plot, m_pointLabels, m_geometry.vertical);
    m_display = std::make_unique<CurveDisplay>(*this);
    m_interaction = std::make_unique<CurveInteraction>(*this);
    m_widths = std::make_unique<CurveWidthReadout>(*this);

    connect(faceModeButton(), &QPushButton::clicked, this,
            [this] { m_display->switchMode(DisplayMode::Face); });
    connect(lineModeButton(), &QPushButton::clicked, this,
            [this] { m_display->switchMode(DisplayMode::Line); });
    connect(enlargeButton(), &QPushButton::clicked, this, [this] { m_display->enlarge(); });
    connect(shrinkButton(), &QPushButton::clicked, this, [this] { m_display->returnToNormalSize(); });
    connect(
        m_plotView, &SurfaceView::mouseMoved, this,
        [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { m_interaction->mouseMoved(x, y); });
    connect(m_plotView, &SurfaceView::mouseReleased, this,
            [this](int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers) {
                m_interaction->mouseReleased(x, y, button);
            });
    connect(m_plotView, &SurfaceView::keyPressed, this,
            [this](int key, Qt::KeyboardModifiers modifiers) { m_interaction->keyPressed(key, modifiers); });
    connect(popupItem(QStringLiteral("clearPoints")), &QAction::triggered, this,
            [this] { m_interaction->removeAllPoints(); });
    installReportCommands();
}

CurveWindow::~CurveWindow()
{
    if (m_context.curveWindow == this)
        m_context.curveWindow = nullptr;
}

AnalysisState &CurveWindow::state()
{
    return m_state;
}

void CurveWindow::buildControls()
{
    // The window's own drawing fills the client area, behind every control.
    m_windowView = new SurfaceView(&m_windowSurface, 0, this);
    m_windowView->setFocusPolicy(Qt::NoFocus);
    m_windowView->move(0, 0);
    m_windowSurface.setBackColour(rgb(192, 192, 192));

    m_border = new QFrame(this);
    m_border->setObjectName(QStringLiteral("border"));
    m_border->setAutoFillBackground(true);
    m_border->setStyleSheet(QStringLiteral("QFrame#border { background: qlineargradient(x1:0, y1:0, x2:%1, "
                                           "y2:%2, stop:0 #5a6e8c, stop:1 #c0c0c0); }")
                                .arg(m_geometry.vertical ? 1 : 0)
                                .arg(m_geometry.vertical ? 0 : 1));

    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const CurveButtonSpec &spec = m_geometry.buttons[i];
        auto *button = new QPushButton(CurveGeometry::shown(spec.caption), this);
        button->setObjectName(spec.controlName);
        button->setGeometry(spec.geometry);
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons[i] = button;
    }

    m_plotView = new SurfaceView(&m_plot, 2, this);
    m_plotView->setObjectName(QStringLiteral("pictureView"));

    auto makeLabel = [this](const QString &name, const QString &text) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    };
    m_xReadout = makeLabel(QStringLiteral("xReadout"), QStringLiteral("0"));
    m_yReadout = makeLabel(QStringLiteral("yReadout"), QStringLiteral("50"));
    m_cutLabel = makeLabel(QStringLiteral("cutLabel"), QString());
    if (m_geometry.vertical) {
        m_pixelCaption = makeLabel(QStringLiteral("pixelCaption"), tr("对应像素点"));
        m_pixelCaption->move(4, 206);
        m_cutLabel->move(4, 226);
    } else {
        m_cutLabel->move(262, 14);
    }
    for (size_t i = 0; i < m_pointLabels.size(); ++i) {
        auto *label = new QLabel(m_plotView);
        label->setObjectName(QStringLiteral("pointCaption%1").arg(i));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        label->hide();
        m_pointLabels[i] = label;
    }
}

void CurveWindow::buildPopupMenu()
{
    m_menu = new QMenu(tr("菜单"), this);
    m_menu->setObjectName(QStringLiteral("popupMenu"));
    auto add = [this](const QString &name, const QString &caption, bool enabled) {
        QAction *action = m_menu->addAction(caption);
        action->setObjectName(name);
        action->setEnabled(enabled);
    };
    // The print entries are enabled when the program has report windows to open.
    add(QStringLiteral("printRawCurve"), tr("打印原始曲线"), false);
    add(QStringLiteral("printAnalysedCurve"), tr("打印分析曲线"), false);
    add(QStringLiteral("printPicture"), CurveGeometry::shown(m_geometry.printPictureCaption), false);
    add(QStringLiteral("clearPoints"), tr("取消所有点"), true);
}

QAction *CurveWindow::popupItem(const QString &controlName)
{
    const auto actions = m_menu->actions();
    const auto it = std::find_if(actions.begin(), actions.end(),
                                 [&](QAction *a) { return a->objectName() == controlName; });
    return it == actions.end() ? nullptr : *it;
}

void CurveWindow::applyLayout(bool enlarged)
{
    const CurveSizeLayout &layout = m_geometry.layout(enlarged);
    // The outer size is the child window's frame; the client area is what its border leaves.
    QWidget *frame = childWindowFrame(this);
    if (frame != this) {
        const QSize margins = frame->size() - size();
        setFixedSize(layout.outer - margins);
        frame->resize(layout.outer);
    } else {
        setFixedSize(layout.outer);
    }
    m_windowView->setSurfaceSize(width(), height());
    m_plotView->setSurfaceSize(layout.plotSize.width(), layout.plotSize.height());
    m_plotView->move(layout.plotPosition);
    m_plot.setPlacement(layout.plotPosition.x(), layout.plotPosition.y());
    m_xReadout->setText(QStringLiteral("0"));
    m_yReadout->setText(QStringLiteral("50"));
    m_xReadout->adjustSize();
    m_yReadout->adjustSize();
    m_xReadout->move(layout.xReadout);
    m_yReadout->move(layout.yReadout);
    if (m_geometry.vertical)
        m_border->setGeometry(0, 0, 65, height());
    else
        m_border->setGeometry(0, 0, width(), 41);
    m_widths->applyLayout(enlarged);
}

void CurveWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_windowView->size() != size())
        m_windowView->setSurfaceSize(width(), height());
}

void CurveWindow::installReportCommands()
{
    // "打印原始曲线" and "打印分析曲线" open the raw or the analysed curve report of this cut;
    // the third entry opens the picture report.
    if (m_context.openCurveReport) {
        for (const bool analysed : {false, true}) {
            QAction *item = popupItem(analysed ? QStringLiteral("printAnalysedCurve") : QStringLiteral("printRawCurve"));
            item->setEnabled(true);
            connect(item, &QAction::triggered, this, [this, analysed] {
                m_context.openCurveReport(isVertical(), analysed, m_mode);
            });
        }
    }
    if (m_context.openPictureReport) {
        QAction *item = popupItem(QStringLiteral("printPicture"));
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this] { m_context.openPictureReport(); });
    }
}

void CurveWindow::showDisplayMode(std::optional<DisplayMode> mode)
{
    m_mode = mode;
    faceModeButton()->setEnabled(mode != DisplayMode::Face);
    lineModeButton()->setEnabled(mode != DisplayMode::Line);
}

void CurveWindow::followCut(CutTrigger trigger)
{
    hidePointLabels();
    showCutLabel(state().cut.CutPosition);
    m_display->followCut(trigger);
}

void CurveWindow::moveAside()
{
    const QWidget *frame = childWindowFrame(this);
    moveChildWindow(this, isVertical() ? QPoint(400, frame->y()) : QPoint(frame->x(), 300));
}

void CurveWindow::setPositionReadout(const QString &text)
{
    QLabel *label = m_geometry.vertical ? m_yReadout : m_xReadout;
    label->setText(text);
    label->adjustSize();
}

void CurveWindow::setTablePositions(double axisStart, int rows)
{
    IntensityTableWindow *table = IntensityTableWindow::instance(m_context);
    if (!table) {
        table = IntensityTableWindow::showWindow(m_context);
        table->loadRows(state());
    }
    table->setPositions(axisStart, rows);
}

void CurveWindow::showCutLabel(double rasterCut)
{
    // The picture's own row or column: under a fitted picture a raster line spans less than one.
    const QString number =
        CurveValues::shortestNumber(std::round(state().picture.toPicturePixels(rasterCut) * 10) / 10);
    setCutLabel(isVertical() ? number : tr("对应像素点：%1").arg(number));
}

void CurveWindow::setCutLabel(const QString &text)
{
    m_cutLabel->setText(text);
    m_cutLabel->adjustSize();
}

QString CurveWindow::cutLabel() const
{
    return m_cutLabel->text();
}

void CurveWindow::hidePointLabels()
{
    for (QLabel *label : m_pointLabels)
        label->hide();
}

void CurveWindow::drawWorkspaceCutMarker()
{
    if (WorkspacePort *workspace = m_context.workspace)
        overlays::DrawCutMarker(state(), workspace->picture());
}

void CurveWindow::placeForSize(bool enlarged)
{
    QWidget *frame = childWindowFrame(this);
    IntensityTableWindow *table = IntensityTableWindow::instance(m_context);
    const int left = !table ? 0 : m_context.mdiArea ? childWindowFrame(table)->width() : table->listWidth();
    WorkspacePort *workspace = m_context.workspace;
    if (!m_context.mdiArea || frame == this) {
        moveChildWindow(this, QPoint(left, frame->y()));
        return;
    }
    (void)workspace;
    if (enlarged) {
        keepChildWindowInside(m_context, this);
        return;
    }
    // The curves take the best free place, the table the best one left.
    placeChildWindow(m_context, this, table);
    if (table)
        placeChildWindow(m_context, table);
}

void CurveWindow::raiseAboveWorkspace()
{
    // The workspace goes under the curves and the table; windows above them stay above.
    auto *workspace = dynamic_cast<QWidget *>(m_context.workspace);
    if (!workspace || !m_context.mdiArea)
        return;
    QWidget *lowest = childWindowFrame(this);
    if (IntensityTableWindow *table = IntensityTableWindow::instance(m_context)) {
        const QList<QMdiSubWindow *> stacked = m_context.mdiArea->subWindowList(QMdiArea::StackingOrder);
        QWidget *tableFrame = childWindowFrame(table);
        if (stacked.indexOf(tableFrame) < stacked.indexOf(lowest))
            lowest = tableFrame;
    }
    childWindowFrame(workspace)->stackUnder(lowest);
}

void CurveWindow::redrawForNewValues()
{
    m_points->forget();
    followCut(CutTrigger::Key);
}

void CurveWindow::calibrationChanged()
{
    if (!m_loaded)
        return;
    m_widths->update();
    m_interaction->relabelPosition();
}

void CurveWindow::resamplePicture()
{
    WorkspacePort *workspace = m_context.workspace;
    if (!m_loaded || !workspace)
        return;
    // The same sampling as the opening, with its progress windows.
    AnalysisState &s = state();
    sampling::SamplePicture(s.picture, workspace->picture(), m_context.progress);
    // The table's rows and positions belong to the placement too: it is made again for it.
    if (IntensityTableWindow *table = IntensityTableWindow::instance(m_context))
        table->loadRows(s);
    redrawForNewValues();
}

void CurveWindow::applyIntegrationWidth(double width)
{
    if (!m_loaded)
        return;
    AnalysisState &s = state();
    const double clamped = curveview::ClampIntegrationWidth(width, isVertical());
    if (clamped == s.cut.IntegrationWidth)
        return;
    drawWorkspaceCutMarker(); // the band at the old width off
    s.cut.IntegrationWidth = clamped;
    drawWorkspaceCutMarker(); // and at the new one on
    if (m_context.workspace)
        m_context.workspace->scheduleRepaint();
    redrawForNewValues();
}

void CurveWindow::present()
{
    // Shown first so that its frame has its size; load() puts it in its place.
    showChildWindow(m_context, this, QPoint(0, 0));
    load();
    showChildWindow(m_context, this);
    m_plotView->setFocus();
}

void CurveWindow::load()
{
    AnalysisState &s = state();
    const bool vertical = m_geometry.vertical;
    WorkspacePort *workspace = m_context.workspace;
    if (workspace)
        workspace->setCurveCommandsEnabled(false);

    m_points->forget();
    applyLayout(false);
    setWindowTitle(CurveGeometry::shown(m_geometry.title));
    curveview::OpenCurveWindow(s, m_plot, m_windowSurface, workspace ? &workspace->picture() : nullptr, vertical,
                             SettingsFile(SettingsFile::programPath()).integrationWidth(), m_context.progress);
    m_widths->update();
    showCutLabel(m_geometry.initialCut);

    IntensityTableWindow *table = IntensityTableWindow::showWindow(m_context);
    table->loadRows(s);
    if (workspace) {
        // Top-level windows (no main frame) stand side by side: the table, then the workspace.
        if (!m_context.mdiArea)
            workspace->setLeftEdge(table->listWidth());
        if (vertical)
            workspace->scheduleRepaint();
    }
    placeForSize(false);

    showDisplayMode(DisplayMode::Face);
    if (workspace)
        workspace->setTableCommandEnabled(true);
    shrinkButton()->setEnabled(false);
    enlargeButton()->setEnabled(true);
    m_loaded = true;
}

void CurveWindow::closeEvent(QCloseEvent *event)
{
    AnalysisState &s = state();
    if (m_loaded) {
        if (m_context.workspace) {
            drawWorkspaceCutMarker();
            m_context.workspace->setTableCommandEnabled(false);
        }
        s.cut.Active = false;
        if (IntensityTableWindow *table = IntensityTableWindow::instance(m_context))
            table->close();
        s.cut.CutOrientation = 0;
        if (m_context.workspace)
            m_context.workspace->setCurveCommandsEnabled(true);
        m_loaded = false;
    }
    if (m_context.curveWindow == this)
        m_context.curveWindow = nullptr;
    QWidget::closeEvent(event);
    // Closed directly rather than through its frame: the frame goes with it.
    if (QWidget *frame = childWindowFrame(this); frame != this)
        frame->deleteLater();
}

} // namespace lumetra
