#include "caustic/CausticReport.h"
#include "platform/printing/ScenePicture.h"

#include "caustic/CausticChart.h"
#include "caustic/CausticFrameModel.h"
#include "caustic/CausticResultsTable.h"
#include "platform/printing/PrinterService.h"
#include "platform/printing/ReportSheet.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QPainter>

namespace lumetra {

namespace {

constexpr double TwipsPerMm = 1440 / 25.4;
constexpr double TablePoints = 8;

// The chart laid out at 1.3 times the screen size of `target` and drawn at twice that resolution.
QImage chartImage(const beam::CausticSeries &series, const QSizeF &target)
{
    const double screen = 1.3 / PrinterService::TwipsPerScreenPixel;
    const QSizeF size(target.width() * screen, target.height() * screen);
    auto *chart = new CausticChart;
    chart->setSeries(series);
    return renderGraphicsWidget(chart, size);
}

} // namespace

PrintOutcome printCausticReport(PrinterService &printer, const CausticReportContent &c)
{
    PrintOutcome failure;
    std::unique_ptr<PrinterPage> page =
        printer.beginDocument(QCoreApplication::translate("CausticReport", "M² 焦散测量报告"), failure);
    if (!page)
        return failure;
    ReportSheet sheet(*page);
    const int frames = c.frames ? c.frames->rowCount() : 0;
    // Which frames had their stripes taken out stands in the frame table; the field sums it up.
    const int striped = c.frames ? c.frames->framesWithStripeCorrection() : 0;
    int fitted = 0;
    for (const beam::CausticAxis &axis : c.series.axes)
        fitted = std::max(fitted, int(axis.points.size()));
    sheet.title(QCoreApplication::translate("CausticReport", "M² 焦散测量报告"), c.when);
    sheet.fields(
        {{QCoreApplication::translate("CausticReport", "波长"),
          QStringLiteral("%1 nm").arg(c.series.wavelengthNm, 0, 'f', 1)},
         {QCoreApplication::translate("CausticReport", "像素尺寸"),
          QStringLiteral("%1 µm").arg(c.pixelSizeUm, 0, 'f', 3)},
         {QCoreApplication::translate("CausticReport", "轴"),
          c.principalAxes ? QCoreApplication::translate("CausticReport", "长轴 / 短轴")
                          : QStringLiteral("x / y")},
         {QCoreApplication::translate("CausticReport", "帧"),
          QCoreApplication::translate("CausticReport", "%1 帧，%2 帧参与拟合").arg(frames).arg(fitted)},
         {QCoreApplication::translate("CausticReport", "暗场"),
          QCoreApplication::translate("CausticReport", "未使用")},
         {QCoreApplication::translate("CausticReport", "条纹校正"),
          striped == 0 ? QCoreApplication::translate("CausticReport", "无")
                       : QCoreApplication::translate("CausticReport", "%1 帧已校正（见帧表）").arg(striped)},
         {QCoreApplication::translate("CausticReport", "直径"),
          QCoreApplication::translate("CausticReport", "D4σ（ISO 11146-1）")},
         {QCoreApplication::translate("CausticReport", "程序"), ReportSheet::program()}},
        2);

    const QSizeF chart(sheet.width(), 92 * TwipsPerMm);
    sheet.picture(QRectF(QPointF(0, sheet.y()), chart), chartImage(c.series, chart));
    sheet.skip(chart.height() + 120);

    sheet.heading(
        QCoreApplication::translate("CausticReport", "拟合结果（ISO 11146-1：d² = A + B z + C z²）"));
    QStringList header{QString()};
    QList<double> shares{1.4};
    for (const CausticAxisResult &r : c.results) {
        header << r.name;
        shares << 1.0;
    }
    QList<QStringList> rows;
    for (int row = 0; row < CausticResultsTable::Iso; ++row)
        rows << QStringList{CausticResultsTable::rowTitle(row)};
    for (const CausticAxisResult &r : c.results) {
        const QStringList texts = CausticResultsTable::columnTexts(r);
        for (int row = 0; row < CausticResultsTable::Iso; ++row)
            rows[row] << (texts[row].isEmpty() ? QStringLiteral("—") : texts[row]);
    }
    const double tableWidth = std::min(sheet.width(), 60 * TwipsPerMm + 35 * TwipsPerMm * double(c.results.size()));
    sheet.skip(sheet.table(0, tableWidth, header, rows, shares, TablePoints) + 80);
    for (const CausticAxisResult &r : c.results)
        sheet.paragraph(QCoreApplication::translate("CausticReport", "%1：%2")
                            .arg(r.name, CausticResultsTable::columnTexts(r)[CausticResultsTable::Iso]),
                        0, sheet.width(), 9);
    if (c.results.empty())
        sheet.paragraph(QCoreApplication::translate("CausticReport", "没有可拟合的轴：请添加帧。"), 0,
                        sheet.width(), 9);
    if (!c.note.isEmpty())
        sheet.paragraph(QCoreApplication::translate("CausticReport", "注意：%1").arg(c.note), 0,
                        sheet.width(), 9);
    sheet.skip(80);

    sheet.heading(QCoreApplication::translate("CausticReport", "帧"));
    QStringList frameHeader;
    for (int column = 0; column < CausticFrameModel::ColumnCount; ++column)
        frameHeader << (c.frames ? c.frames->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() : QString());
    // Rows as the page holds them, keeping a line for what is left out.
    const double rowHeight = sheet.tableRowHeight(TablePoints);
    const int room = std::max(0, int((sheet.room() - 2 * rowHeight) / rowHeight) - 1);
    const int shown = std::min(frames, room);
    QList<QStringList> frameRows;
    for (int row = 0; row < shown; ++row) {
        QStringList cells;
        for (int column = 0; column < CausticFrameModel::ColumnCount; ++column)
            cells << c.frames->cellText(row, column);
        frameRows << cells;
    }
    sheet.skip(sheet.table(0, sheet.width(), frameHeader, frameRows, {2.4, 0.8, 0.9, 0.9, 1, 1, 1.3, 1.9}, TablePoints) + 60);
    if (shown < frames)
        sheet.paragraph(QCoreApplication::translate("CausticReport", "另有 %1 帧未列出（见导出的表格）。")
                            .arg(frames - shown),
                        0, sheet.width(), 8);
    return page->endDocument();
}

} // namespace lumetra
