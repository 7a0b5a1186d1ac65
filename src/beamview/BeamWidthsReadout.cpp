#include "beamview/BeamWidthsReadout.h"

#include "beamview/BeamReadout.h"

namespace lumetra {

namespace {
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
        lines.push_back({QString::fromLatin1(key), QString::fromUtf8(caption),
                         px ? beamNumber(*px, 2) + QStringLiteral(" px") : Missing,
                         px && um ? formatLength(calibration.toUm(*px)) : QString()});
    };
    const auto number = [&](const char *key, const char *caption, std::optional<double> v, int decimals,
                            const char *unit = "") {
        QString text = v ? beamNumber(*v, decimals) : Missing;
        if (v && *unit)
            text += u' ' + QString::fromUtf8(unit);
        lines.push_back({QString::fromLatin1(key), QString::fromUtf8(caption), text, QString()});
    };
    const auto get = [w](auto field) { return w ? w->*field : std::optional<double>(); };
    using B = beam::BeamWidths;
    length("d86", "D86", get(&B::d86));
    length("knifeX", "刀口 x", get(&B::knifeX));
    length("knifeY", "刀口 y", get(&B::knifeY));
    length("knifeMajor", "刀口 长轴", get(&B::knifeMajor));
    length("knifeMinor", "刀口 短轴", get(&B::knifeMinor));
    length("clipMajor", "1/e² 长轴", get(&B::clipMajor));
    length("clipMinor", "1/e² 短轴", get(&B::clipMinor));
    length("fwhmMajor", "FWHM 长轴", get(&B::fwhmMajor));
    length("fwhmMinor", "FWHM 短轴", get(&B::fwhmMinor));
    const beam::GaussianFit *g = w && w->gauss ? &*w->gauss : nullptr;
    length("gaussMajor", "高斯 2w 长轴", g ? std::optional(g->major) : std::nullopt);
    length("gaussMinor", "高斯 2w 短轴", g ? std::optional(g->minor) : std::nullopt);
    number("gaussPhi", "高斯 角度", g ? std::optional(g->phiDeg) : std::nullopt, 2, "°");
    lines.push_back({QStringLiteral("gaussCentre"), QStringLiteral("高斯 中心"),
                     g ? QStringLiteral("%1, %2 px").arg(beamNumber(g->x, 2), beamNumber(g->y, 2)) : Missing, QString()});
    number("gaussR2", "高斯 拟合优度 R²", g ? std::optional(g->r2) : std::nullopt, 5);
    const std::optional<double> area = w ? w->iso.effectiveArea : std::nullopt;
    lines.push_back({QStringLiteral("isoArea"), QStringLiteral("有效辐照面积"),
                     area ? beamNumber(*area, 1) + QStringLiteral(" px²") : Missing,
                     area && um ? formatArea(*area * calibration.umPerPixel() * calibration.umPerPixel()) : QString()});
    const auto iso = [&](auto field) { return w ? w->iso.*field : std::optional<double>(); };
    using F = beam::FlatTopFigures;
    number("isoFlatness", "平坦度 F", iso(&F::flatness), 4);
    number("isoUniformity", "光束均匀度 U", iso(&F::uniformity), 4);
    number("isoPlateau", "平台均匀度 Up", iso(&F::plateauUniformity), 4);
    number("isoSteepness", "边缘陡度 s", iso(&F::edgeSteepness), 4);
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
    const auto length = [&](const char *caption, std::optional<double> px) {
        const QString name = QString::fromUtf8(caption).remove(u' ');
        add(name + QStringLiteral("(px)"), px, 3);
        add(name + QStringLiteral("(µm)"), px && um ? std::optional(calibration.toUm(*px)) : std::nullopt, 2);
    };
    const auto get = [w](auto field) { return w ? w->*field : std::optional<double>(); };
    using B = beam::BeamWidths;
    length("D86", get(&B::d86));
    length("刀口 x", get(&B::knifeX));
    length("刀口 y", get(&B::knifeY));
    length("刀口 长轴", get(&B::knifeMajor));
    length("刀口 短轴", get(&B::knifeMinor));
    length("1/e² 长轴", get(&B::clipMajor));
    length("1/e² 短轴", get(&B::clipMinor));
    length("FWHM 长轴", get(&B::fwhmMajor));
    length("FWHM 短轴", get(&B::fwhmMinor));
    const beam::GaussianFit *g = w && w->gauss ? &*w->gauss : nullptr;
    const auto fit = [g](double beam::GaussianFit::*field) { return g ? std::optional(g->*field) : std::nullopt; };
    length("高斯 2w 长轴", fit(&beam::GaussianFit::major));
    length("高斯 2w 短轴", fit(&beam::GaussianFit::minor));
    add(QStringLiteral("高斯角度(°)"), fit(&beam::GaussianFit::phiDeg), 2);
    add(QStringLiteral("高斯中心x(px)"), fit(&beam::GaussianFit::x), 3);
    add(QStringLiteral("高斯中心y(px)"), fit(&beam::GaussianFit::y), 3);
    add(QStringLiteral("高斯R²"), fit(&beam::GaussianFit::r2), 5);
    const std::optional<double> area = w ? w->iso.effectiveArea : std::nullopt;
    add(QStringLiteral("有效辐照面积(px²)"), area, 1);
    add(QStringLiteral("有效辐照面积(µm²)"),
        area && um ? std::optional(*area * calibration.umPerPixel() * calibration.umPerPixel()) : std::nullopt, 1);
    const auto iso = [w](auto field) { return w ? w->iso.*field : std::optional<double>(); };
    using F = beam::FlatTopFigures;
    add(QStringLiteral("平坦度F"), iso(&F::flatness), 4);
    add(QStringLiteral("光束均匀度U"), iso(&F::uniformity), 4);
    add(QStringLiteral("平台均匀度Up"), iso(&F::plateauUniformity), 4);
    add(QStringLiteral("边缘陡度s"), iso(&F::edgeSteepness), 4);
    return out;
}

} // namespace lumetra
