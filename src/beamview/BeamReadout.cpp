#include "beamview/BeamReadout.h"

#include <QCoreApplication>

#include <cmath>

namespace lumetra {

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
        out.names << QString::fromUtf8(name);
        out.values << value;
    };
    const auto beamValue = [&](const char *name, double value, int decimals) {
        add(name, ok ? beamNumber(value, decimals) : QString());
    };
    add("状态", ok ? QStringLiteral("ok") : QStringLiteral("未检测到光斑"));
    beamValue("质心x(px)", r.centroidX, 3);
    beamValue("质心y(px)", r.centroidY, 3);
    beamValue("D4σ长轴(px)", r.dMajor, 3);
    beamValue("D4σ短轴(px)", r.dMinor, 3);
    beamValue("D4σx(px)", r.dX, 3);
    beamValue("D4σy(px)", r.dY, 3);
    beamValue("角度(°)", r.phiDeg, 2);
    beamValue("椭圆度", r.ellipticity, 4);
    add("峰值", beamNumber(r.peak, 1));
    add("饱和像素", QString::number(r.saturatedPixels));
    add("暗电平", beamNumber(r.background, 3));
    add("噪声", beamNumber(r.backgroundNoise, 3));
    add("迭代", QString::number(r.iterations));
    add("背景警告", r.backgroundWarning ? QStringLiteral("是") : QStringLiteral("否"));
    const bool um = ok && calibration.calibrated();
    add("像素尺寸(µm)", calibration.calibrated() ? beamNumber(calibration.umPerPixel(), 4) : QString());
    const auto length = [&](const char *name, double px) {
        add(name, um ? beamNumber(calibration.toUm(px), 2) : QString());
    };
    length("D4σ长轴(µm)", r.dMajor);
    length("D4σ短轴(µm)", r.dMinor);
    length("D4σx(µm)", r.dX);
    length("D4σy(µm)", r.dY);
    // How the numbers were measured, after every earlier column (a log keeps its columns' places).
    add("方法", r.method == beam::BeamMethod::Iso ? QStringLiteral("ISO 11146") : QStringLiteral("稳健"));
    add("拖尾校正", r.stripeCorrection == beam::StripeCorrection::Columns ? QStringLiteral("列")
                    : r.stripeCorrection == beam::StripeCorrection::Rows  ? QStringLiteral("行")
                                                                          : QStringLiteral("无"));
    out.names << QCoreApplication::translate("BeamReadout", "警告");
    out.values << QString::fromStdString(r.warnings.joinedNames());
    return out;
}

} // namespace lumetra
