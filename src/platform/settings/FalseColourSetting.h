#pragma once

#include "types/Palette.h"

#include <QString>

namespace lumetra {

// The false colour each window shows its picture in ("capture", "beam"), kept in the user's
// settings (the same file as the placement and the calibration). Grey with saturated pixels
// marked and the colour bar shown when nothing is stored.
FalseColourChoice loadFalseColour(const QString &window);
bool saveFalseColour(const QString &window, const FalseColourChoice &choice);

} // namespace lumetra
