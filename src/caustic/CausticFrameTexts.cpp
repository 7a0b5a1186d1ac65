#include "caustic/CausticFrameTexts.h"

#include "analysis/beam/report/BeamWarningText.h"

#include <QCoreApplication>
#include <QStringList>

namespace lumetra {

QString beamWarningsText(const beam::BeamWarnings &warnings)
{
    QStringList texts;
    for (const beam::BeamWarning w : warnings.list())
        texts << beam::beamWarningShortText(w);
    return texts.join(QCoreApplication::translate("CausticFrameTexts", "、"));
}

QString stripeCorrectionText(beam::StripeCorrection stripes)
{
    switch (stripes) {
    case beam::StripeCorrection::Columns:
        return QCoreApplication::translate("CausticFrameTexts", "已校正拖尾（列）");
    case beam::StripeCorrection::Rows:
        return QCoreApplication::translate("CausticFrameTexts", "已校正拖尾（行）");
    case beam::StripeCorrection::None: break;
    }
    return QCoreApplication::translate("CausticFrameTexts", "无");
}

} // namespace lumetra
