#include "beamview/BeamWidthsReadout.h"

#include "beamview/BeamReadout.h"

#include <QCoreApplication>

namespace lumetra {

namespace {

// This file's texts in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(BeamWidthsReadout)
};
const QString Missing = QStringLiteral("—");
}

QString formatArea(double um2)
{
    if (um2 >= 1e6)
        return QStringLiteral("%1 mm²").arg(beamNumber(um2 / 1e6, 3));
    return QStringLiteral("%1 µm²").arg(beamNumber(um2, 0));
}

std::vector<WidthLine> widthLines(const beam::BeamWidths *w, const Calibration &calibration)
{
    std::vector<WidthLine> lines;
    const bool um = calibration.calibrated();
    const auto length = [&](const char *key, const char *caption, std::optional<double> px) {
        lines.push_back({QString::fromLatin1(key), Texts::tr(caption),
                         px ? beamNumber(*px, 2) + QStringLiteral(" px") : Missing,
                         px && um ? formatLength(calibration.toUm(*px)) : QString()});
    };
    const auto number = [&](const char *key, const char *caption, std::optional<double> v, int decimals,
                            const char *unit = "") {
        QString text = v ? beamNumber(*v, decimals) : Missing;
        if (v && *unit)
            text += u' ' + QString::fromUtf8(unit);
        lines.push_back({QString::fromLatin1(key), Texts::tr(caption), text, QString()});
    };
    const auto get = [w](auto field) { return w ? w->*field : std::optional<double>(); };
    using B = beam::BeamWidths;
    length("d86", "D86", get(&B::d86));
    length("knifeX", QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口 x"), get(&B::knifeX));
    length("knifeY", QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口 y"), get(&B::knifeY));
    length("knifeMajor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口 长轴"), get(&B::knifeMajor));
    length("knifeMinor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口 短轴"), get(&B::knifeMinor));
    length("clipMajor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "1/e² 长轴"), get(&B::clipMajor));
    length("clipMinor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "1/e² 短轴"), get(&B::clipMinor));
    length("fwhmMajor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "FWHM 长轴"), get(&B::fwhmMajor));
    length("fwhmMinor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "FWHM 短轴"), get(&B::fwhmMinor));
    const beam::GaussianFit *g = w && w->gauss ? &*w->gauss : nullptr;
    length("gaussMajor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "高斯 2w 长轴"),
           g ? std::optional(g->major) : std::nullopt);
    length("gaussMinor", QT_TRANSLATE_NOOP("BeamWidthsReadout", "高斯 2w 短轴"),
           g ? std::optional(g->minor) : std::nullopt);
    number("gaussPhi", QT_TRANSLATE_NOOP("BeamWidthsReadout", "高斯 角度"),
           g ? std::optional(g->phiDeg) : std::nullopt, 2, "°");
    lines.push_back({QStringLiteral("gaussCentre"), Texts::tr("高斯 中心"),
                     g ? QStringLiteral("%1, %2 px").arg(beamNumber(g->x, 2), beamNumber(g->y, 2)) : Missing,
                     QString()});
    number("gaussR2", QT_TRANSLATE_NOOP("BeamWidthsReadout", "高斯 拟合优度 R²"),
           g ? std::optional(g->r2) : std::nullopt, 5);
    WidthLine area{QStringLiteral("isoArea"), Texts::tr("有效辐照面积"), Missing, QString()};
    if (w && w->iso.effectiveArea) {
        const double px2 = *w->iso.effectiveArea;
        area.pixels = beamNumber(px2, 1) + QStringLiteral(" px²");
        if (um)
            area.microns = formatArea(px2 * calibration.umPerPixel() * calibration.umPerPixel());
    }
    lines.push_back(area);
    const auto iso = [&](auto field) { return w ? w->iso.*field : std::optional<double>(); };
    using F = beam::FlatTopFigures;
    number("isoFlatness", QT_TRANSLATE_NOOP("BeamWidthsReadout", "平坦度 F"), iso(&F::flatness), 4);
    number("isoUniformity", QT_TRANSLATE_NOOP("BeamWidthsReadout", "光束均匀度 U"), iso(&F::uniformity), 4);
    number("isoPlateau", QT_TRANSLATE_NOOP("BeamWidthsReadout", "平台均匀度 Up"), iso(&F::plateauUniformity),
           4);
    number("isoSteepness", QT_TRANSLATE_NOOP("BeamWidthsReadout", "边缘陡度 s"), iso(&F::edgeSteepness), 4);
    return lines;
}

BeamReadout widthsReadout(const beam::BeamWidths *w, const Calibration &calibration)
{
    BeamReadout out;
    const bool um = calibration.calibrated();
    const auto add = [&out](const QString &name, std::optional<double> value, int decimals) {
        out.names << name;
        out.values << (value ? beamNumber(*value, decimals) : QString());
    };
    // Column names: the figure's name and its unit, e.g. "刀口x(px)".
    const auto length = [&](const char *name, std::optional<double> px) {
        const QString figure = Texts::tr(name);
        add(Texts::tr("%1(px)").arg(figure), px, 3);
        add(Texts::tr("%1(µm)").arg(figure), px && um ? std::optional(calibration.toUm(*px)) : std::nullopt,
            2);
    };
    const auto get = [w](auto field) { return w ? w->*field : std::optional<double>(); };
    using B = beam::BeamWidths;
    length("D86", get(&B::d86));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口x"), get(&B::knifeX));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口y"), get(&B::knifeY));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口长轴"), get(&B::knifeMajor));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "刀口短轴"), get(&B::knifeMinor));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "1/e²长轴"), get(&B::clipMajor));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "1/e²短轴"), get(&B::clipMinor));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "FWHM长轴"), get(&B::fwhmMajor));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "FWHM短轴"), get(&B::fwhmMinor));
    const beam::GaussianFit *g = w && w->gauss ? &*w->gauss : nullptr;
    const auto fit = [g](double beam::GaussianFit::*field) { return g ? std::optional(g->*field) : std::nullopt; };
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "高斯2w长轴"), fit(&beam::GaussianFit::major));
    length(QT_TRANSLATE_NOOP("BeamWidthsReadout", "高斯2w短轴"), fit(&beam::GaussianFit::minor));
    add(Texts::tr("高斯角度(°)"), fit(&beam::GaussianFit::phiDeg), 2);
    add(Texts::tr("高斯中心x(px)"), fit(&beam::GaussianFit::x), 3);
    add(Texts::tr("高斯中心y(px)"), fit(&beam::GaussianFit::y), 3);
    add(Texts::tr("高斯R²"), fit(&beam::GaussianFit::r2), 5);
    const std::optional<double> area = w ? w->iso.effectiveArea : std::nullopt;
    add(Texts::tr("有效辐照面积(px²)"), area, 1);
    add(Texts::tr("有效辐照面积(µm²)"),
        area && um ? std::optional(*area * calibration.umPerPixel() * calibration.umPerPixel())
                   : std::nullopt,
        1);
    const auto iso = [w](auto field) { return w ? w->iso.*field : std::optional<double>(); };
    using F = beam::FlatTopFigures;
    add(Texts::tr("平坦度F"), iso(&F::flatness), 4);
    add(Texts::tr("光束均匀度U"), iso(&F::uniformity), 4);
    add(Texts::tr("平台均匀度Up"), iso(&F::plateauUniformity), 4);
    add(Texts::tr("边缘陡度s"), iso(&F::edgeSteepness), 4);
    return out;
}

} // namespace lumetra
