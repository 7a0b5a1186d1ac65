#include "caustic/CausticFrameTexts.h"

#include <QStringList>

namespace lumetra {

namespace {

QString warningText(beam::BeamWarning warning)
{
    using beam::BeamWarning;
    switch (warning) {
    case BeamWarning::BackgroundStructure: return QStringLiteral("背景有结构");
    case BeamWarning::NotConverged: return QStringLiteral("未收敛");
    case BeamWarning::Saturated: return QStringLiteral("像素饱和");
    case BeamWarning::BeamClipped: return QStringLiteral("光束触及画面边缘");
    case BeamWarning::LargerThanFrame: return QStringLiteral("光束大于画面");
    case BeamWarning::EstimatorsDisagree: return QStringLiteral("各宽度估计不一致");
    }
    return QString::fromLatin1(beam::beamWarningName(warning));
}

} // namespace

QString beamWarningsText(const beam::BeamWarnings &warnings)
{
    QStringList texts;
    for (const beam::BeamWarning w : warnings.list())
        texts << warningText(w);
    return texts.join(QStringLiteral("、"));
}

QString stripeCorrectionText(beam::StripeCorrection stripes)
{
    switch (stripes) {
    case beam::StripeCorrection::Columns: return QStringLiteral("已校正拖尾（列）");
    case beam::StripeCorrection::Rows: return QStringLiteral("已校正拖尾（行）");
    case beam::StripeCorrection::None: break;
    }
    return QStringLiteral("无");
}

} // namespace lumetra
