#include "workspace/surface3d/RegionCommands.h"

#include "platform/ports/MainWindowPort.h"

#include "analysis/picture/Sampling.h"
#include "types/Colour.h"
#include "platform/ports/CurveViewPort.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/SurfaceView.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/surface3d/SurfaceChartWindow.h"

#include <QAction>
#include <QLabel>

namespace lumetra {

namespace {

const QString ObjectName = QStringLiteral("RegionCommands");

} // namespace

RegionCommands::RegionCommands(WorkspaceWindow &workspace) : QObject(&workspace), m_workspace(workspace)
{
    setObjectName(ObjectName);
    if (QAction *enter = workspace.menuItem(QStringLiteral("drawSurface")))
        connect(enter, &QAction::triggered, this, [this] { shanwie1_Click(); });
    if (QAction *leave = workspace.menuItem(QStringLiteral("clearSurface")))
        connect(leave, &QAction::triggered, this, [this] { shanwie2_Click(); });
    SurfaceView *view = workspace.pictureView();
    connect(view, &SurfaceView::mousePressed, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { pictureMouseDown(x, y); });
    connect(view, &SurfaceView::mouseMoved, this,
            [this](int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers) {
                pictureMouseMove(x, y, buttons);
            });
    connect(view, &SurfaceView::mouseReleased, this,
            [this](int, int, Qt::MouseButton, Qt::KeyboardModifiers) { pictureMouseUp(); });
}

RegionCommands *RegionCommands::of(WorkspaceWindow &workspace)
{
    return workspace.findChild<RegionCommands *>(ObjectName, Qt::FindDirectChildrenOnly);
}

QString RegionCommands::factorPrompt()
{
    return tr(
        "因为图象所包含的信息量太大，因此在处理三维图形时输入一个三维过滤因子来缩小信息量，加快运算速度。"
        "三维过滤因子可以为2、4、6、8、10，因子数越小，运算时间越长，图象越细致。");
}

void RegionCommands::shanwie1_Click()
{
    m_regionMode = true;
    m_workspace.menuItem(QStringLiteral("clearSurface"))->setEnabled(true);
    m_workspace.menuItem(QStringLiteral("drawSurface"))->setEnabled(false);
    AnalysisState &state = m_workspace.state();
    CurveViewPort *curves = m_workspace.context().curveWindow;
    if (curves && (state.cut.CutOrientation == 1 || state.cut.CutOrientation == 2) &&
        curves->isVertical() == (state.cut.CutOrientation == 2))
        curves->closeWindow();
    // A hint in the status bar, not a box to dismiss: the drag can start at once.
    if (MainWindowPort *main = m_workspace.context().mainWindow)
        main->showStatus(tr("请按住鼠标左键拖动，选取一个区域作三维处理。"));
}

void RegionCommands::shanwie2_Click()
{
    m_regionMode = false;
    m_workspace.menuItem(QStringLiteral("clearSurface"))->setEnabled(false);
    m_workspace.menuItem(QStringLiteral("drawSurface"))->setEnabled(true);
    removeRectangle();
}

void RegionCommands::pictureMouseDown(int x, int y)
{
    if (!m_regionMode)
        return;
    // A rectangle left from a drag too small to chart goes when the next drag starts.
    removeRectangle();
    m_corners = {x, y, x, y};
    drawRectangle(m_corners);
}

void RegionCommands::pictureMouseMove(int x, int y, Qt::MouseButtons buttons)
{
    if (!m_regionMode || !(buttons & Qt::LeftButton) || !m_shown)
        return;
    removeRectangle();
    m_corners.x2 = x;
    m_corners.y2 = y;
    drawRectangle(m_corners);
}

void RegionCommands::pictureMouseUp()
{
    if (!m_regionMode || !m_shown)
        return;
    if (regionIsDegenerate(m_corners))
        return;
    m_corners = normaliseRegion(m_corners);
    if (regionTooSmall(m_corners))
        return; // the rectangle stays until the next drag or leaving region mode
    const std::optional<int> factor = askFactor();
    if (!factor) {
        removeRectangle();
        m_corners = {};
        return;
    }
    chartRegion(*factor);
}

std::optional<int> RegionCommands::askFactor()
{
    Dialogs *dialogs = m_workspace.context().services.dialogs;
    if (!dialogs)
        return std::nullopt;
    const std::optional<QString> answer =
        dialogs->input(&m_workspace, factorPrompt(), tr("输入框"), QStringLiteral("6"), factorProblem);
    if (!answer || answer->isEmpty())
        return std::nullopt;
    return parseRegionFactor(*answer);
}

QString RegionCommands::factorProblem(const QString &answer)
{
    // An empty answer is no mistake: it ends the command, as cancelling does.
    if (answer.isEmpty() || parseRegionFactor(answer))
        return QString();
    const QString allowed = tr("三维过滤因子只能是 2、4、6、8 或 10。");
    for (const QChar ch : answer)
        if (ch < u'0' || ch > u'9')
            return tr("“%1”不是数字：%2").arg(ch).arg(allowed);
    const int value = QStringView(answer).right(3).toInt();
    const QString why = answer.size() > 3 || value > 10 ? tr("%1 太大：%2")
                        : value < 2                     ? tr("%1 太小：%2")
                                                        : tr("%1 是奇数：%2");
    return why.arg(answer, allowed);
}

void RegionCommands::chartRegion(int factor)
{
    AppContext &context = m_workspace.context();
    AnalysisState &state = m_workspace.state();
    sampling::ScanGreyRange(state.picture);
    const bool belowCharted = limitRegion(m_corners).y2 < m_corners.y1;
    m_corners = limitRegion(m_corners, state.picture);
    removeRectangle();
    if (m_corners.y2 < m_corners.y1 || m_corners.x2 < m_corners.x1) {
        m_corners = {};
        if (context.services.dialogs)
            context.services.dialogs->message(&m_workspace,
                                              belowCharted ? tr("所选区域在第437行以下，无法作三维处理。")
                                                           : tr("所选区域在图片之外，无法作三维处理。"),
                                              tr("提示"), Dialogs::Buttons::Ok, Dialogs::Icon::Information);
        return;
    }

    sampling::SamplePicture(state.picture, m_workspace.picture(), context.progress);

    QLabel *label = m_workspace.statusLabel();
    if (label) {
        label->show();
        label->repaint();
    }
    m_workspace.pictureView()->setCursor(Qt::WaitCursor);
    RegionGrid grid = computeRegionGrid(state.picture, m_corners, factor);
    // The chart's axes read the picture's pixels, as the rulers do.
    const PicturePlacement &placement = m_workspace.placement();
    grid.setPictureMapping(placement.offsetX, placement.offsetY, placement.scale);
    if (label)
        label->hide();
    m_workspace.pictureView()->unsetCursor();
    m_corners = {};
    m_charts << SurfaceChartWindow::open(context, grid);
    // The drag is done: its hint goes.
    if (MainWindowPort *main = context.mainWindow)
        main->showStatus(QString());
}

void RegionCommands::closeCharts()
{
    for (const QPointer<SurfaceChartWindow> &chart : std::as_const(m_charts))
        if (chart)
            childWindowFrame(chart)->close();
    m_charts.clear();
}

void RegionCommands::drawRectangle(const RegionCorners &corners)
{
    PictureSurface &picture = m_workspace.picture();
    picture.setPenMode(PictureSurface::PenMode::Xor);
    picture.box(corners.x1, corners.y1, corners.x2, corners.y2, colours::White);
    picture.setPenMode(PictureSurface::PenMode::Copy);
    m_shown = corners;
}

void RegionCommands::removeRectangle()
{
    if (!m_shown)
        return;
    const RegionCorners drawn = *m_shown;
    drawRectangle(drawn);
    m_shown.reset();
}

void installRegionCommands(WorkspaceWindow &workspace)
{
    if (!RegionCommands::of(workspace))
        new RegionCommands(workspace);
}

} // namespace lumetra
