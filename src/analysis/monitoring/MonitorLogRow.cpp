#include "analysis/monitoring/MonitorLogRow.h"

#include <QStringList>

namespace lumetra::monitoring {

namespace {

const QStringList &beamColumns()
{
    static const QStringList columns{
        QStringLiteral("centroid_x_px"), QStringLiteral("centroid_y_px"), QStringLiteral("d4s_major_px"),
        QStringLiteral("d4s_minor_px"),  QStringLiteral("d4s_x_px"),      QStringLiteral("d4s_y_px"),
        QStringLiteral("angle_deg"),     QStringLiteral("ellipticity"),   QStringLiteral("peak"),
        QStringLiteral("saturated_pixels"), QStringLiteral("background"), QStringLiteral("background_noise"),
        QStringLiteral("iterations"),    QStringLiteral("converged"),     QStringLiteral("background_warning"),
        QStringLiteral("method"),        QStringLiteral("stripe_correction")};
    return columns;
}

const QStringList &umColumns()
{
    static const QStringList columns{QStringLiteral("centroid_x_um"), QStringLiteral("centroid_y_um"),
                                     QStringLiteral("d4s_major_um"),  QStringLiteral("d4s_minor_um"),
                                     QStringLiteral("d4s_x_um"),      QStringLiteral("d4s_y_um")};
    return columns;
}

QString num(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

} // namespace

int monitorLogFieldCount(bool calibrated)
{
    // time, frame, elapsed_s, beam; beam fields; µm fields; exposure, gain, dropped; warnings
    return 4 + int(beamColumns().size()) + (calibrated ? int(umColumns().size()) : 0) + 4;
}

QByteArray monitorLogHeader(bool calibrated)
{
    QStringList h{QStringLiteral("time"), QStringLiteral("frame"), QStringLiteral("elapsed_s"), QStringLiteral("beam")};
    h << beamColumns();
    if (calibrated)
        h << umColumns();
    h << QStringLiteral("exposure_us") << QStringLiteral("gain") << QStringLiteral("dropped_frames");
    h << QStringLiteral("warnings"); // the names joined by ';', after every earlier column
    return (h.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
}

QByteArray monitorLogLine(const MonitorLogRow &row, double umPerPixel)
{
    const beam::BeamResult &r = row.result;
    const bool ok = r.status == beam::BeamStatus::Ok;
    QStringList f;
    f << row.when.toUTC().toString(Qt::ISODateWithMs) << QString::number(row.frame) << num(row.elapsedS, 3)
      << (ok ? QStringLiteral("ok") : QStringLiteral("none"));
    // Figures of a frame without a beam do not exist: empty fields, not zeros.
    const auto beamFigure = [&](double v, int decimals) { return ok ? num(v, decimals) : QString(); };
    f << beamFigure(r.centroidX, 3) << beamFigure(r.centroidY, 3) << beamFigure(r.dMajor, 3)
      << beamFigure(r.dMinor, 3) << beamFigure(r.dX, 3) << beamFigure(r.dY, 3) << beamFigure(r.phiDeg, 2)
      << beamFigure(r.ellipticity, 4) << num(r.peak, 1) << QString::number(r.saturatedPixels)
      << num(r.background, 2) << num(r.backgroundNoise, 3) << (ok ? QString::number(r.iterations) : QString())
      << (ok ? QString::number(int(r.converged)) : QString())
      << (ok ? QString::number(int(r.backgroundWarning)) : QString()) << QString::fromLatin1(beam::methodName(r.method))
      << QString::fromLatin1(beam::stripeCorrectionName(r.stripeCorrection));
    if (umPerPixel > 0) {
        for (double px : {r.centroidX, r.centroidY, r.dMajor, r.dMinor, r.dX, r.dY})
            f << beamFigure(px * umPerPixel, 3);
    }
    f << (row.exposureUs ? num(*row.exposureUs, 1) : QString()) << (row.gain ? num(*row.gain, 2) : QString())
      << QString::number(row.dropped);
    f << QString::fromStdString(r.warnings.joinedNames());
    return (f.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
}

} // namespace lumetra::monitoring
