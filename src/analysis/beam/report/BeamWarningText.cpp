#include "analysis/beam/report/BeamWarningText.h"

#include <QCoreApplication>

namespace lumetra::beam {

QString beamWarningText(BeamWarning warning)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("BeamWarnings", text); };
    switch (warning) {
    case BeamWarning::BackgroundStructure:
        return tr("背景结构影响测量，请采集暗场");
    case BeamWarning::NotConverged:
        return tr("质心与直径未收敛");
    case BeamWarning::Saturated:
        return tr("有像素饱和，直径偏小");
    case BeamWarning::BeamClipped:
        return tr("光斑或积分区域到达图像边缘");
    case BeamWarning::LargerThanFrame:
        return tr("光斑大于图像");
    case BeamWarning::EstimatorsDisagree:
        return tr("D4σ 与刀口、高斯拟合宽度相差超过 10%");
    case BeamWarning::LowSignal:
        return tr("信号弱：噪声使直径的不确定度超过 5%");
    }
    return {};
}

QString beamWarningShortText(BeamWarning warning)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("BeamWarnings", text); };
    switch (warning) {
    case BeamWarning::BackgroundStructure:
        return tr("背景有结构");
    case BeamWarning::NotConverged:
        return tr("未收敛");
    case BeamWarning::Saturated:
        return tr("像素饱和");
    case BeamWarning::BeamClipped:
        return tr("光束触及画面边缘");
    case BeamWarning::LargerThanFrame:
        return tr("光束大于画面");
    case BeamWarning::EstimatorsDisagree:
        return tr("各宽度估计不一致");
    case BeamWarning::LowSignal:
        return tr("信号弱");
    }
    return {};
}

QStringList beamWarningTexts(const BeamWarnings &warnings, const BeamWarnings &leaveOut)
{
    QStringList out;
    for (const BeamWarning w : warnings.list())
        if (!leaveOut.has(w))
            out << beamWarningText(w);
    return out;
}

} // namespace lumetra::beam
