#include "beamview/BeamReport.h"

#include "analysis/beam/report/BeamWarningText.h"

#include <QCoreApplication>
#include "platform/printing/ScenePicture.h"

#include "beamview/BeamReadout.h"
#include "beamview/BeamWidthsReadout.h"
#include "beamview/ProfileChart.h"
#include "platform/printing/PrinterService.h"
#include "platform/printing/ReportSheet.h"

#include <QGraphicsScene>
#include <QPainter>

#include <cmath>

namespace lumetra {

namespace {

// This file's texts in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(BeamReport)
};

constexpr double TwipsPerMm = 1440 / 25.4;
constexpr double ScreenTwips = PrinterService::TwipsPerScreenPixel;
const QString Missing = QStringLiteral("—");

// A chart laid out at 1.6 times the screen size of `target` (so that its labels have room) and
// drawn at twice that resolution.
QImage chartImage(QChart *chart, const QSizeF &target)
{
    const QSizeF screen(1.6 * target.width() / ScreenTwips, 1.6 * target.height() / ScreenTwips);
    return renderGraphicsWidget(chart, screen);
}

QString calibrationText(const Calibration &c)
{
    if (!c.calibrated())
        return Texts::tr("未标定（长度以像素计）");
    return Texts::tr("像素尺寸 %1 µm，放大倍率 %2，物面 %3 µm/像素")
        .arg(beamNumber(c.pixelSizeUm, 3), beamNumber(c.magnification, 3), beamNumber(c.umPerPixel(), 4));
}

// The D4σ figures as table rows: caption, pixels, µm.
QList<QStringList> d4sigmaRows(const beam::BeamResult &r, const Calibration &c)
{
    const bool ok = r.status == beam::BeamStatus::Ok;
    const auto length = [&](const char *caption, double px) {
        return QStringList{Texts::tr(caption), ok ? beamNumber(px, 2) + QStringLiteral(" px") : Missing,
                           ok && c.calibrated() ? formatLength(c.toUm(px)) : QString()};
    };
    const auto plain = [&](const char *caption, const QString &value) {
        return QStringList{Texts::tr(caption), value, QString()};
    };
    return {length(QT_TRANSLATE_NOOP("BeamReport", "质心 x"), r.centroidX),
            length(QT_TRANSLATE_NOOP("BeamReport", "质心 y"), r.centroidY),
            length(QT_TRANSLATE_NOOP("BeamReport", "D4σ 长轴"), r.dMajor),
            length(QT_TRANSLATE_NOOP("BeamReport", "D4σ 短轴"), r.dMinor),
            length(QT_TRANSLATE_NOOP("BeamReport", "D4σ x"), r.dX),
            length(QT_TRANSLATE_NOOP("BeamReport", "D4σ y"), r.dY),
            plain(QT_TRANSLATE_NOOP("BeamReport", "角度"),
                  ok ? beamNumber(r.phiDeg, 2) + QStringLiteral(" °") : Missing),
            plain(QT_TRANSLATE_NOOP("BeamReport", "椭圆度"), ok ? beamNumber(r.ellipticity, 4) : Missing),
            plain(QT_TRANSLATE_NOOP("BeamReport", "峰值"), beamNumber(r.peak, 1)),
            plain(QT_TRANSLATE_NOOP("BeamReport", "饱和像素"), QString::number(r.saturatedPixels)),
            plain(QT_TRANSLATE_NOOP("BeamReport", "暗电平"), beamNumber(r.background, 2)),
            plain(QT_TRANSLATE_NOOP("BeamReport", "噪声"), beamNumber(r.backgroundNoise, 2)),
            plain(QT_TRANSLATE_NOOP("BeamReport", "迭代次数"),
                  QString::number(r.iterations) + (r.converged ? QString() : Texts::tr("（未收敛）")))};
}

QString marksLegend(const OverlayShapes &s, const beam::BeamWidths *w)
{
    QStringList parts;
    if (s.centroid)
        parts << Texts::tr("白：质心");
    if (s.ellipse)
        parts << Texts::tr("青：D4σ 椭圆，品红：主轴");
    if (s.rectangle)
        parts << Texts::tr("黄：积分区域");
    if (s.d86 && w && w->d86)
        parts << Texts::tr("绿：D86 圆");
    if (s.gaussian && w && w->gauss)
        parts << Texts::tr("橙：高斯 1/e² 椭圆");
    return parts.isEmpty() ? Texts::tr("标记：无") : Texts::tr("标记：%1").arg(parts.join(Texts::tr("；")));
}

} // namespace

PrintOutcome printBeamReport(PrinterService &printer, const BeamReportContent &c)
{
    PrintOutcome failure;
    std::unique_ptr<PrinterPage> page =
        printer.beginDocument(Texts::tr("光束测量报告 %1").arg(c.fileName), failure);
    if (!page)
        return failure;
    ReportSheet sheet(*page);
    const beam::BeamResult &r = c.result;
    const bool found = r.status == beam::BeamStatus::Ok;
    sheet.title(Texts::tr("光束测量报告"), c.when);
    sheet.fields({{Texts::tr("文件"), c.fileName},
                  {Texts::tr("图像"), c.frameText},
                  {Texts::tr("测量时间"), c.measuredAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
                  {Texts::tr("程序"), ReportSheet::program()},
                  {Texts::tr("暗场"), c.darkText},
                  {Texts::tr("条纹校正"),
                   r.stripeCorrection == beam::StripeCorrection::Columns ? Texts::tr("已校正拖尾（列）")
                   : r.stripeCorrection == beam::StripeCorrection::Rows ? Texts::tr("已校正拖尾（行）")
                                                                        : Texts::tr("无")},
                  {Texts::tr("方法"), r.method == beam::BeamMethod::Iso ? Texts::tr("ISO 11146（严格）")
                                                                        : Texts::tr("稳健（默认）")}},
                 2);
    sheet.skip(-60);
    sheet.fields({{Texts::tr("标定"), calibrationText(c.calibration)},
                  {Texts::tr("积分区域"),
                   r.method == beam::BeamMethod::Iso
                       ? Texts::tr("%1 × D4σ 的矩形（ISO/TR 11146-3），暗电平取自四角")
                             .arg(beamNumber(c.maskDiameters, 1))
                       : Texts::tr("%1 × D4σ 的矩形（ISO/TR 11146-3），暗电平为其外围拟合的平面")
                             .arg(beamNumber(c.maskDiameters, 1))},
                  {Texts::tr("相机"), c.camera.isEmpty() ? Texts::tr("—（文件）") : c.camera}},
                 1);

    // The picture at the left, the two profiles stacked at the right.
    const double width = sheet.width();
    const double gap = 4 * TwipsPerMm;
    const double block = 100 * TwipsPerMm;
    const double top = sheet.y();
    const double half = (width - gap) / 2;
    const QImage marked = markedBeamPicture(c.picture, r, c.widths, c.marks, c.maskDiameters, 1200, c.colour);
    sheet.picture(QRectF(0, top, half, block), marked);
    ProfileChart *major = new ProfileChart(Texts::tr("长轴剖面"));
    ProfileChart *minor = new ProfileChart(Texts::tr("短轴剖面"));
    showProfiles(*major, *minor, found ? c.widths : nullptr, r.centroidX, r.centroidY, c.calibration.umPerPixel());
    const QSizeF chartSize(half, (block - gap) / 2);
    sheet.picture(QRectF(QPointF(half + gap, top), chartSize), chartImage(major, chartSize));
    sheet.picture(QRectF(QPointF(half + gap, top + chartSize.height() + gap), chartSize), chartImage(minor, chartSize));
    sheet.setY(top + block + 40);
    QString area = Texts::tr("图像区域：x %1–%2，y %3–%4 像素")
                       .arg(c.picture.area.left())
                       .arg(c.picture.area.right())
                       .arg(c.picture.area.top())
                       .arg(c.picture.area.bottom());
    sheet.paragraph(Texts::tr("%1　%2").arg(marksLegend(c.marks, c.widths), area), 0, half, 8);
    sheet.skip(60);

    sheet.heading(Texts::tr("测量结果"));
    const QStringList header{Texts::tr("项目"), Texts::tr("像素"), QStringLiteral("µm")};
    const QList<double> shares{1.25, 1.2, 1.0};
    const double tablesTop = sheet.y();
    const double left = sheet.table(0, half, header, d4sigmaRows(r, c.calibration), shares);
    QList<QStringList> widthRows;
    for (const WidthLine &line : widthLines(found ? c.widths : nullptr, c.calibration))
        widthRows << QStringList{line.caption, line.pixels, line.microns};
    const double right = sheet.table(half + gap, half, header, widthRows, shares);
    sheet.setY(tablesTop + std::max(left, right) + 100);

    QStringList notes;
    if (!found)
        notes << Texts::tr("未检测到光斑：没有高出噪声的光斑，只有图像的统计值。");
    if (r.saturatedPixels > 0)
        notes << Texts::tr("饱和：%1 个像素达到满量程，直径偏小。").arg(r.saturatedPixels);
    beam::BeamWarnings saturation;
    saturation.add(beam::BeamWarning::Saturated);
    for (const QString &warning : beam::beamWarningTexts(r.warnings, saturation))
        notes << Texts::tr("%1。").arg(warning);
    for (const QString &note : notes)
        sheet.paragraph(Texts::tr("注意：%1").arg(note), 0, width, 9);
    sheet.paragraph(
        Texts::tr(
            "方法：D4σ 为 ISO 11146-1 的二阶矩直径；D86 为以质心为圆心、含 86.5 % 功率的圆的直径；"
            "刀口宽度为刀口移过光束时 10 % 与 90 % 功率点的距离乘 1.561；1/e² 与 FWHM 为过质心沿主轴的剖面在"
            "其最大值 13.5 % 与 50 % 处的宽度；高斯为 Levenberg–Marquardt 拟合的椭圆高斯（R² 为拟合优度）；"
            "ISO 13694：有效辐照面积 A_eff = P / E_max，平坦度 F、光束均匀度 U 取于有效区域，平台均匀度 Up 为"
            "功率密度直方图平台峰的半高宽 / E_max，边缘陡度 s = (A(10 %) − A(90 %)) / A(10 %)。"),
        0, width, 7.5);
    return page->endDocument();
}

} // namespace lumetra
