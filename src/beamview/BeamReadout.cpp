#include "beamview/BeamReadout.h"

#include <QCoreApplication>

#include <cmath>

namespace lumetra {

namespace {
// This file's texts in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(BeamReadout)
};
} // namespace

QString beamNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && QString::number(-value, 'f', decimals) == text.mid(1) &&
        text.mid(1).toDouble() == 0.0)
        text.remove(0, 1);
    return text;
}

BeamReadout beamReadout(const beam::BeamResult &r, const Calibration &calibration)
{
    BeamReadout out;
    const bool ok = r.status == beam::BeamStatus::Ok;
    const auto add = [&](const char *name, const QString &value) {
        out.names << Texts::tr(name);
        out.values << value;
    };
    const auto beamValue = [&](const char *name, double value, int decimals) {
        add(name, ok ? beamNumber(value, decimals) : QString());
    };
    add(QT_TRANSLATE_NOOP("BeamReadout", "状态"), ok ? QStringLiteral("ok") : Texts::tr("未检测到光斑"));
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "质心x(px)"), r.centroidX, 3);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "质心y(px)"), r.centroidY, 3);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "D4σ长轴(px)"), r.dMajor, 3);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "D4σ短轴(px)"), r.dMinor, 3);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "D4σx(px)"), r.dX, 3);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "D4σy(px)"), r.dY, 3);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "角度(°)"), r.phiDeg, 2);
    beamValue(QT_TRANSLATE_NOOP("BeamReadout", "椭圆度"), r.ellipticity, 4);
    add(QT_TRANSLATE_NOOP("BeamReadout", "峰值"), beamNumber(r.peak, 1));
    add(QT_TRANSLATE_NOOP("BeamReadout", "饱和像素"), QString::number(r.saturatedPixels));
    add(QT_TRANSLATE_NOOP("BeamReadout", "暗电平"), beamNumber(r.background, 3));
    add(QT_TRANSLATE_NOOP("BeamReadout", "噪声"), beamNumber(r.backgroundNoise, 3));
    add(QT_TRANSLATE_NOOP("BeamReadout", "迭代"), QString::number(r.iterations));
    add(QT_TRANSLATE_NOOP("BeamReadout", "背景警告"),
        r.backgroundWarning ? Texts::tr("是") : Texts::tr("否"));
    const bool um = ok && calibration.calibrated();
    add(QT_TRANSLATE_NOOP("BeamReadout", "像素尺寸(µm)"),
        calibration.calibrated() ? beamNumber(calibration.umPerPixel(), 4) : QString());
    const auto length = [&](const char *name, double px) {
        add(name, um ? beamNumber(calibration.toUm(px), 2) : QString());
    };
    length(QT_TRANSLATE_NOOP("BeamReadout", "D4σ长轴(µm)"), r.dMajor);
    length(QT_TRANSLATE_NOOP("BeamReadout", "D4σ短轴(µm)"), r.dMinor);
    length(QT_TRANSLATE_NOOP("BeamReadout", "D4σx(µm)"), r.dX);
    length(QT_TRANSLATE_NOOP("BeamReadout", "D4σy(µm)"), r.dY);
    // How the numbers were measured, after every earlier column (a log keeps its columns' places).
    add(QT_TRANSLATE_NOOP("BeamReadout", "方法"),
        r.method == beam::BeamMethod::Iso ? QStringLiteral("ISO 11146") : Texts::tr("稳健"));
    add(QT_TRANSLATE_NOOP("BeamReadout", "拖尾校正"),
        r.stripeCorrection == beam::StripeCorrection::Columns ? Texts::tr("列")
        : r.stripeCorrection == beam::StripeCorrection::Rows  ? Texts::tr("行")
                                                              : Texts::tr("无"));
    out.names << Texts::tr("警告");
    out.values << QString::fromStdString(r.warnings.joinedNames());
    return out;
}

} // namespace lumetra
