#include "workspace/surface3d/SurfaceChartWindow.h"
#include "platform/system/DurableWrite.h"

#include "platform/dialogs/Dialogs.h"
#include "workspace/surface3d/ColourLegend.h"
#include "platform/workbook/WorkbookService.h"
#include "workspace/SaveTarget.h"
#include "workspace/surface3d/SurfaceGraph.h"

#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>

#include <algorithm>

namespace lumetra {

namespace {

constexpr QSize ViewSize(640, 480);
// The camera's zoom (percent) at which the whole surface and its axis labels fit the view.
constexpr float WholeSurfaceZoom = 80.0f;

} // namespace

SurfaceChartWindow *SurfaceChartWindow::open(AppContext &context, const RegionGrid &grid)
{
    auto *window = new SurfaceChartWindow(context, grid);
    showChildWindow(context, window);
    if (!window->hasChart() && context.services.dialogs)
        context.services.dialogs->message(
            window, tr("无法启动三维显示（OpenGL 不可用）。网格数据仍可保存为工作簿文件。"), tr("提示"),
            Dialogs::Buttons::Ok, Dialogs::Icon::Information);
    return window;
}

SurfaceChartWindow::SurfaceChartWindow(AppContext &context, const RegionGrid &grid, QWidget *parent)
    : QWidget(parent), m_context(context), m_grid(grid)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SurfaceChartWindow"));
    setWindowTitle(tr("三维图 - 区域 %1").arg(m_grid.range()));

    auto *layout = new QVBoxLayout(this);
    m_rangeLabel = new QLabel(rangeText(), this);
    m_rangeLabel->setObjectName(QStringLiteral("rangeLabel"));
    layout->addWidget(m_rangeLabel);

    m_graph = surface_graph::create(m_grid);
    if (m_graph) {
        // A little farther away than the default, so that the nearest corner's labels show.
        m_graph->scene()->activeCamera()->setZoomLevel(WholeSurfaceZoom);
        QWidget *container = QWidget::createWindowContainer(m_graph, this);
        container->setObjectName(QStringLiteral("surfaceView"));
        container->setMinimumSize(ViewSize);
        container->setFocusPolicy(Qt::StrongFocus);
        auto *view = new QHBoxLayout;
        view->addWidget(container, 1);
        m_legend = new ColourLegend(tr("光强 %"), surface_graph::heightColours(), m_grid.minimum(),
                                    m_grid.maximum(), this);
        view->addWidget(m_legend);
        layout->addLayout(view, 1);
    } else {
        auto *placeholder = new QLabel(tr("三维显示不可用"), this);
        placeholder->setObjectName(QStringLiteral("surfaceView"));
        placeholder->setAlignment(Qt::AlignCenter);
        placeholder->setMinimumSize(ViewSize / 2);
        placeholder->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(placeholder, 1);
    }

    auto *buttons = new QHBoxLayout;
    auto *hint = new QLabel(m_graph ? tr("右键拖动旋转，滚轮缩放") : QString(), this);
    buttons->addWidget(hint, 1);
    m_saveWorkbook = new QPushButton(tr("保存工作簿..."), this);
    m_saveWorkbook->setObjectName(QStringLiteral("saveWorkbook"));
    m_savePicture = new QPushButton(tr("保存图片..."), this);
    m_savePicture->setObjectName(QStringLiteral("savePicture"));
    m_savePicture->setEnabled(m_graph != nullptr);
    buttons->addWidget(m_saveWorkbook);
    buttons->addWidget(m_savePicture);
    layout->addLayout(buttons);

    connect(m_saveWorkbook, &QPushButton::clicked, this, [this] { saveWorkbook(); });
    connect(m_savePicture, &QPushButton::clicked, this, [this] { savePicture(); });
}

SurfaceChartWindow::~SurfaceChartWindow() = default;

QString SurfaceChartWindow::rangeText() const
{
    return tr("区域 %1：图像第 %2–%3 列、第 %4–%5 行，光强 %6 % 至 %7 %")
        .arg(m_grid.range())
        .arg(m_grid.pictureX(1))
        .arg(m_grid.pictureX(m_grid.rows()))
        .arg(m_grid.pictureY(1))
        .arg(m_grid.pictureY(m_grid.columns()))
        .arg(m_grid.minimum())
        .arg(m_grid.maximum());
}

bool SurfaceChartWindow::saveWorkbook()
{
    Dialogs *dialogs = m_context.services.dialogs;
    if (!dialogs)
        return false;
    const auto path = askSaveTarget(*dialogs, this, workbookSaveRequest(tr("保存工作簿")));
    if (!path)
        return false;
    WorkbookService *workbook = m_context.services.workbook;
    if (!workbook || !workbook->save(m_grid.toSheet(), *path)) {
        reportSaveFailure(*dialogs, this);
        return false;
    }
    announceSaved(m_context, *path);
    return true;
}

bool SurfaceChartWindow::savePicture()
{
    Dialogs *dialogs = m_context.services.dialogs;
    if (!dialogs || !m_graph)
        return false;
    const Dialogs::FileRequest request{.title = tr("保存图片"),
                                       .initialDirectory = QStringLiteral("c:\\"),
                                       .filter = tr("PNG 图片|*.png"),
                                       .filterIndex = 1,
                                       .defaultSuffix = QStringLiteral("png"),
                                       .fileName = {}};
    const auto path = askSaveTarget(*dialogs, this, request);
    if (!path)
        return false;
    const QImage view = renderView();
    QSaveFile file(*path);
    bool ok = !view.isNull() && file.open(QIODevice::WriteOnly);
    if (ok) {
        QImageWriter writer(&file, "png");
        ok = writer.write(view) && commitDurably(file);
    }
    if (!ok)
        reportSaveFailure(*dialogs, this);
    else
        announceSaved(m_context, *path);
    return ok;
}

QImage SurfaceChartWindow::renderView() const
{
    if (!m_graph)
        return QImage();
    const QSize size = m_graph->size().isEmpty() ? ViewSize : m_graph->size();
    // Never nearer than the whole surface fits, whatever the wheel did on screen, so that the
    // corner nearest the viewer is not cut off at the picture's edge.
    Q3DCamera *camera = m_graph->scene()->activeCamera();
    const float zoom = camera->zoomLevel();
    camera->setZoomLevel(std::min(zoom, WholeSurfaceZoom));
    const QImage surface = m_graph->renderToImage(0, size);
    camera->setZoomLevel(zoom);
    if (surface.isNull() || !m_legend)
        return surface;
    // The colour key beside the surface, as in the window.
    const QImage key = m_legend->grab().toImage();
    QImage picture(surface.width() + key.width(), std::max(surface.height(), key.height()), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, surface);
    painter.drawImage(surface.width(), (picture.height() - key.height()) / 2, key);
    painter.end();
    return picture;
}

} // namespace lumetra
