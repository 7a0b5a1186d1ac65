#include "capture/monitoring/MonitorStatisticsText.h"

#include <QCoreApplication>

#include <cmath>

namespace lumetra {

QString monitorStatisticsText(const QString &title, const monitoring::PointingStatistics &s, double umPerPixel,
                              const monitoring::AngularReference &reference)
{
    if (s.count == 0)
        return QCoreApplication::translate("MonitorStatisticsText", "%1：尚无光斑数据").arg(title);
    const bool um = umPerPixel > 0;
    const auto len = [&](double px, int decimals = 2) {
        return um ? QStringLiteral("%1 µm").arg(px * umPerPixel, 0, 'f', decimals)
                  : QStringLiteral("%1 px").arg(px, 0, 'f', decimals);
    };
    const int secs = int(std::lround(s.durationS));
    QString text = QCoreApplication::translate("MonitorStatisticsText", "%1：%2 帧，%3:%4:%5\n")
                       .arg(title)
                       .arg(s.count)
                       .arg(secs / 3600)
                       .arg(secs / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(secs % 60, 2, 10, QLatin1Char('0'));
    text += QCoreApplication::translate("MonitorStatisticsText", "质心均值 x %1  y %2\n").arg(len(s.meanX, 1), len(s.meanY, 1));
    text += QCoreApplication::translate("MonitorStatisticsText", "标准差 σx %1  σy %2；峰峰值 x %3  y %4\n")
                .arg(len(s.sdX), len(s.sdY), len(s.ptpX), len(s.ptpY));
    text += QCoreApplication::translate("MonitorStatisticsText", "指向稳定性 2σ：Δu %1  Δv %2  Δ %3（方位 %4°）\n")
                .arg(len(s.stabilityU), len(s.stabilityV), len(s.stability))
                .arg(s.azimuthDeg, 0, 'f', 1);
    const auto angular = monitoring::angularMicroradians(s.stability * umPerPixel, reference);
    if (!um)
        text += QCoreApplication::translate("MonitorStatisticsText", "角度稳定性：需先标定像素尺寸\n");
    else if (!angular)
        text += QCoreApplication::translate("MonitorStatisticsText", "角度稳定性：需输入距离或焦距\n");
    else
        text += QCoreApplication::translate("MonitorStatisticsText", "角度稳定性 2σ：%1 µrad\n").arg(*angular, 0, 'f', 2);
    text += QCoreApplication::translate("MonitorStatisticsText", "D4σ 均值 x %1  y %2；相对标准差 %3%  %4%\n")
                .arg(len(s.meanDx, 1), len(s.meanDy, 1))
                .arg(s.relSdDx * 100, 0, 'f', 2)
                .arg(s.relSdDy * 100, 0, 'f', 2);
    const QString perMinute = um ? QStringLiteral(" µm/min") : QStringLiteral(" px/min");
    const double k = um ? umPerPixel : 1.0;
    text += QCoreApplication::translate("MonitorStatisticsText", "漂移 x %1  y %2")
                .arg(QString::number(s.driftX * k, 'f', 3) + perMinute, QString::number(s.driftY * k, 'f', 3) + perMinute);
    return text;
}

} // namespace lumetra
