#include "curves/CurveWindow.h"

#include "analysis/AnalysisState.h"
#include "analysis/Module1.h"
#include "analysis/SettingsFile.h"
#include "curves/CurveDisplay.h"
#include "curves/CurveInteraction.h"
#include "curves/CurvePlacement.h"
#include "curves/CurveWidthReadout.h"
#include "curves/frm_listview.h"
#include "platform/WorkspacePort.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

namespace lumetra {

CurveWindow *CurveWindow::openWindow(const AppContext &context)
{
    return dynamic_cast<CurveWindow *>(context.curveWindow);
}

CurveWindow::CurveWindow(AppContext &context, const CurveGeometry &geometry, QWidget *parent)
    : QWidget(parent), m_context(context), m_geometry(geometry)
{
    setAttribute(Qt::WA_DeleteOnClose);
    context.curveWindow = this;
    buildControls();
    buildPopupMenu();
    m_points = std::make_unique<MarkedPoints>(context.state, m_plot, m_pointLabels, m_geometry.vertical);
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
    connect(popupItem(QStringLiteral("clrbit")), &QAction::triggered, this,
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
    return m_context.state;
}

void CurveWindow::buildControls()
{
    // The window's own drawing fills the client area, behind every control.
    m_windowView = new SurfaceView(&m_windowSurface, 0, this);
    m_windowView->setFocusPolicy(Qt::NoFocus);
    m_windowView->move(0, 0);
    m_windowSurface.setBackColour(rgb(192, 192, 192));

    m_shape1 = new QFrame(this);
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    m_shape1->setAutoFillBackground(true);
    m_shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { background: qlineargradient(x1:0, y1:0, x2:%1, "
                                           "y2:%2, stop:0 #5a6e8c, stop:1 #c0c0c0); }")
                                .arg(m_geometry.vertical ? 1 : 0)
                                .arg(m_geometry.vertical ? 0 : 1));

    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const CurveButtonSpec &spec = m_geometry.buttons[i];
        auto *button = new QPushButton(spec.caption, this);
        button->setObjectName(spec.controlName);
        button->setGeometry(spec.geometry);
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons[i] = button;
    }

    m_plotView = new SurfaceView(&m_plot, 2, this);
    m_plotView->setObjectName(QStringLiteral("Picture1"));

    auto makeLabel = [this](const QString &name, const QString &text) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    };
    m_label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("0"));
    m_label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("50"));
    m_label3 = makeLabel(QStringLiteral("Label3"), QString());
    if (m_geometry.vertical) {
        m_label4 = makeLabel(QStringLiteral("Label4"), QStringLiteral("对应像素点"));
        m_label4->move(4, 206);
        m_label3->move(4, 226);
    } else {
        m_label3->move(262, 14);
    }
    for (size_t i = 0; i < m_pointLabels.size(); ++i) {
        auto *label = new QLabel(m_plotView);
        label->setObjectName(QStringLiteral("Label5_%1").arg(i));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        label->hide();
        m_pointLabels[i] = label;
    }
}

void CurveWindow::buildPopupMenu()
{
    m_menu = new QMenu(QStringLiteral("菜单"), this);
    m_menu->setObjectName(QStringLiteral("menu1"));
    auto add = [this](const QString &name, const QString &caption, bool enabled) {
        QAction *action = m_menu->addAction(caption);
        action->setObjectName(name);
        action->setEnabled(enabled);
    };
    // The print entries are enabled when the program has report windows to open.
    add(QStringLiteral("print1"), QStringLiteral("打印原始曲线"), false);
    add(QStringLiteral("print2"), QStringLiteral("打印分析曲线"), false);
    add(QStringLiteral("print3"), m_geometry.printPictureCaption, false);
    add(QStringLiteral("clrbit"), QStringLiteral("取消所有点"), true);
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
    m_label1->setText(QStringLiteral("0"));
    m_label2->setText(QStringLiteral("50"));
    m_label1->adjustSize();
    m_label2->adjustSize();
    m_label1->move(layout.label1);
    m_label2->move(layout.label2);
    if (m_geometry.vertical)
        m_shape1->setGeometry(0, 0, 65, height());
    else
        m_shape1->setGeometry(0, 0, width(), 41);
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
    // "打印原始曲线" and "打印分析曲线" set PrintAnalysed and open the curve report of this cut;
    // the third entry opens the picture report.
    if (m_context.openCurveReport) {
        for (const bool analysed : {false, true}) {
            QAction *item = popupItem(analysed ? QStringLiteral("print2") : QStringLiteral("print1"));
            item->setEnabled(true);
            connect(item, &QAction::triggered, this, [this, analysed] {
                state().PrintAnalysed = analysed;
                m_context.openCurveReport(isVertical(), analysed, m_mode);
            });
        }
    }
    if (m_context.openPictureReport) {
        QAction *item = popupItem(QStringLiteral("print3"));
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
    const QString number = QString::number(state().CutPosition);
    setCutLabel(isVertical() ? number : QStringLiteral("对应像素点：") + number);
    m_display->followCut(trigger);
}

void CurveWindow::moveAside()
{
    const QWidget *frame = childWindowFrame(this);
    moveChildWindow(this, isVertical() ? QPoint(400, frame->y()) : QPoint(frame->x(), 300));
}

void CurveWindow::setPositionReadout(const QString &text)
{
    QLabel *label = m_geometry.vertical ? m_label2 : m_label1;
    label->setText(text);
    label->adjustSize();
}

void CurveWindow::setTablePositions(double axisStart, int rows)
{
    frm_listview *table = frm_listview::instance(m_context);
    if (!table) {
        table = frm_listview::showWindow(m_context);
        table->loadRows(state());
    }
    table->setPositions(axisStart, rows);
}

void CurveWindow::setCutLabel(const QString &text)
{
    m_label3->setText(text);
    m_label3->adjustSize();
}

QString CurveWindow::cutLabel() const
{
    return m_label3->text();
}

void CurveWindow::hidePointLabels()
{
    for (QLabel *label : m_pointLabels)
        label->hide();
}

void CurveWindow::drawWorkspaceCutMarker()
{
    if (WorkspacePort *workspace = m_context.workspace)
        Module1::DrawCutMarker(state(), workspace->picture());
}

void CurveWindow::placeForSize(bool enlarged)
{
    QWidget *frame = childWindowFrame(this);
    frm_listview *table = frm_listview::instance(m_context);
    const int left = !table ? 0 : m_context.mdiArea ? childWindowFrame(table)->width() : table->listWidth();
    WorkspacePort *workspace = m_context.workspace;
    if (!m_context.mdiArea || frame == this) {
        moveChildWindow(this, QPoint(left, frame->y()));
        return;
    }
    const QSize area = m_context.mdiArea->viewport()->size();
    if (enlarged) {
        moveChildWindow(this, fittedPosition(area, frame->pos(), frame->size()));
        return;
    }
    if (!workspace) {
        moveChildWindow(this, QPoint(left, std::max(0, area.height() - frame->height())));
        return;
    }
    workspace->moveWindow(QPoint(left, 0));
    moveChildWindow(this,
                    tiledCurvePosition(area, workspace->windowRect(), workspace->pictureRect(), frame->size()));
}

void CurveWindow::raiseAboveWorkspace()
{
    if (frm_listview *table = frm_listview::instance(m_context))
        childWindowFrame(table)->raise();
    childWindowFrame(this)->raise();
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
    Module1::ReadColours(s, workspace->picture(), m_context.progress);
    Module1::ComputeGreyMap(s, m_context.progress);
    Module1::ScanGreyRangeWithProgress(s, m_context.progress);
    redrawForNewValues();
}

void CurveWindow::applyIntegrationWidth(double width)
{
    if (!m_loaded)
        return;
    AnalysisState &s = state();
    const double clamped = Module1::ClampIntegrationWidth(width, isVertical());
    if (clamped == s.IntegrationWidth)
        return;
    drawWorkspaceCutMarker(); // the band at the old width off
    s.IntegrationWidth = clamped;
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
    setWindowTitle(m_geometry.title);
    Module1::OpenCurveWindow(s, m_plot, m_windowSurface, workspace ? &workspace->picture() : nullptr, vertical,
                             SettingsFile(SettingsFile::programPath()).integrationWidth(), m_context.progress);
    m_widths->update();
    setCutLabel(vertical ? QString::number(m_geometry.initialCut)
                         : QStringLiteral("对应像素点：") + QString::number(m_geometry.initialCut));

    frm_listview *table = frm_listview::showWindow(m_context);
    table->loadRows(s);
    if (workspace) {
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
        if (s.WorkspaceOpen) {
            drawWorkspaceCutMarker();
            if (m_context.workspace)
                m_context.workspace->setTableCommandEnabled(false);
        }
        s.CurveWindowOpen = false;
        if (frm_listview *table = frm_listview::instance(m_context))
            table->close();
        s.CutOrientation = 0;
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
