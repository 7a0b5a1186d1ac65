#include "caustic/CausticFrameTexts.h"

#include "analysis/beam/report/BeamWarningText.h"

#include <QStringList>

namespace lumetra {

QString beamWarningsText(const beam::BeamWarnings &warnings)
{
    QStringList texts;
    for (const beam::BeamWarning w : warnings.list())
        texts << beam::beamWarningShortText(w);
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
