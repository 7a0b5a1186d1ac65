#pragma once

#include "analysis/curves/IntensityPercents.h"

#include <optional>

class QAbstractButton;

namespace lumetra {

// The display mode a curve window shows, read from its two mode buttons: face mode when the
// face-mode button is disabled, else line mode when the line-mode button is disabled, else none.
// A missing button counts as enabled.
std::optional<DisplayMode> modeFromButtons(const QAbstractButton *faceMode, const QAbstractButton *lineMode);

} // namespace lumetra
