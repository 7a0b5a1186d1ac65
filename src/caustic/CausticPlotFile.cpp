#include "caustic/CausticPlotFile.h"
#include "platform/printing/PdfUnicodeMap.h"
#include "platform/system/DurableWrite.h"

#include "caustic/CausticChart.h"

#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QBuffer>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace lumetra {

namespace {

void paintChart(QGraphicsScene &scene, QPainter &painter, const QRectF &target)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, target, scene.sceneRect());
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool saveCausticPlot(const beam::CausticSeries &series, const QString &path, QString *error, QSize size)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") && suffix != QLatin1String("pdf"))
        return fail(error, QStringLiteral("%1: a plot is written as .png, .svg or .pdf").arg(path));

    QGraphicsScene scene;
    auto *chart = new CausticChart;
    scene.addItem(chart);
    chart->setSeries(series);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    scene.setSceneRect(chart->geometry());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    bool painted = false;
    if (suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintChart(scene, painter, QRectF(image.rect()));
        painter.end();
        painted = image.save(&file, "PNG");
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(chart->title());
        QPainter painter;
        painted = painter.begin(&svg);
        if (painted)
            paintChart(scene, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    } else {
        // Drawn into memory first: the page's text map is mended before the file gets it.
        QByteArray bytes;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&buffer);
            pdf.setResolution(96);
            pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(chart->title());
            QPainter painter;
            painted = painter.begin(&pdf);
            if (painted)
                paintChart(scene, painter, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
        }
        mapRadicalsToIdeographs(bytes);
        painted = painted && file.write(bytes) == bytes.size();
    }
    if (!painted)
        return fail(error, QStringLiteral("cannot draw the plot into %1").arg(path));
    if (!commitDurably(file))
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace lumetra
