#include "analysis/beam/report/BeamWarningText.h"

#include <QCoreApplication>

namespace lumetra::beam {

namespace {

struct Texts
{
    const char *sentence; // for a window's line or a report's note
    const char *words;    // for a table cell
};

// In the order of BeamWarning.
constexpr Texts WarningTexts[BeamWarningCount] = {
    {QT_TRANSLATE_NOOP("BeamWarnings", "背景结构影响测量，请采集暗场"), QT_TRANSLATE_NOOP("BeamWarnings", "背景有结构")},
    {QT_TRANSLATE_NOOP("BeamWarnings", "质心与直径未收敛"), QT_TRANSLATE_NOOP("BeamWarnings", "未收敛")},
    {QT_TRANSLATE_NOOP("BeamWarnings", "有像素饱和，直径偏小"), QT_TRANSLATE_NOOP("BeamWarnings", "像素饱和")},
    {QT_TRANSLATE_NOOP("BeamWarnings", "光斑或积分区域到达图像边缘"), QT_TRANSLATE_NOOP("BeamWarnings", "光束触及画面边缘")},
    {QT_TRANSLATE_NOOP("BeamWarnings", "光斑大于图像"), QT_TRANSLATE_NOOP("BeamWarnings", "光束大于画面")},
    {QT_TRANSLATE_NOOP("BeamWarnings", "D4σ 与刀口、高斯拟合宽度相差超过 10%"),
     QT_TRANSLATE_NOOP("BeamWarnings", "各宽度估计不一致")},
    {QT_TRANSLATE_NOOP("BeamWarnings", "信号弱：噪声使直径的不确定度超过 5%"), QT_TRANSLATE_NOOP("BeamWarnings", "信号弱")},
};

const Texts *textsOf(BeamWarning warning)
{
    const int i = int(warning);
    return i >= 0 && i < BeamWarningCount ? &WarningTexts[i] : nullptr;
}

} // namespace

QString beamWarningText(BeamWarning warning)
{
    const Texts *t = textsOf(warning);
    return t ? QCoreApplication::translate("BeamWarnings", t->sentence) : QString();
}

QString beamWarningShortText(BeamWarning warning)
{
    const Texts *t = textsOf(warning);
    return t ? QCoreApplication::translate("BeamWarnings", t->words) : QString();
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
