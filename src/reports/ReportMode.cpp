#include "reports/ReportMode.h"

#include <QAbstractButton>

namespace lumetra {

std::optional<DisplayMode> modeFromButtons(const QAbstractButton *faceMode, const QAbstractButton *lineMode)
{
    if (faceMode && !faceMode->isEnabled())
        return DisplayMode::Face;
    if (lineMode && !lineMode->isEnabled())
        return DisplayMode::Line;
    return std::nullopt;
}

} // namespace lumetra
