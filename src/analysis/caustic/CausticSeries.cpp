#include "analysis/caustic/CausticSeries.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace lumetra::beam {

QByteArray causticSeriesToJson(const CausticSeries &series)
{
    QJsonArray axes;
    for (const CausticAxis &axis : series.axes) {
        QJsonArray z, d;
        for (const CausticPoint &p : axis.points) {
            z.append(p.zMm);
            d.append(p.dUm);
        }
        axes.append(QJsonObject{{QStringLiteral("label"), axis.label},
                                {QStringLiteral("z_mm"), z},
                                {QStringLiteral("d_um"), d}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("wavelength_nm"), series.wavelengthNm},
                                     {QStringLiteral("axes"), axes}})
        .toJson(QJsonDocument::Compact);
}

std::optional<CausticSeries> causticSeriesFromJson(const QByteArray &json, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<CausticSeries> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("the caustic is not JSON: %1").arg(parseError.errorString()));
    const QJsonObject root = document.object();
    CausticSeries series;
    series.wavelengthNm = root.value(QStringLiteral("wavelength_nm")).toDouble();
    if (!(series.wavelengthNm > 0))
        return fail(QStringLiteral("the caustic has no positive \"wavelength_nm\""));
    const QJsonArray axes = root.value(QStringLiteral("axes")).toArray();
    if (axes.isEmpty())
        return fail(QStringLiteral("the caustic has no \"axes\""));
    for (const QJsonValue &value : axes) {
        const QJsonObject object = value.toObject();
        CausticAxis axis;
        axis.label = object.value(QStringLiteral("label")).toString();
        const QJsonArray z = object.value(QStringLiteral("z_mm")).toArray();
        const QJsonArray d = object.value(QStringLiteral("d_um")).toArray();
        if (z.size() != d.size())
            return fail(QStringLiteral("axis \"%1\" has %2 z positions but %3 diameters")
                            .arg(axis.label)
                            .arg(z.size())
                            .arg(d.size()));
        for (qsizetype i = 0; i < z.size(); ++i) {
            if (!z[i].isDouble() || !d[i].isDouble())
                return fail(QStringLiteral("axis \"%1\" holds a value that is not a number").arg(axis.label));
            axis.points.push_back({z[i].toDouble(), d[i].toDouble()});
        }
        series.axes.push_back(std::move(axis));
    }
    return series;
}

} // namespace lumetra::beam
