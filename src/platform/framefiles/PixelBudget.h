#pragma once

#include <QString>

namespace lumetra {

// The most pixels a frame file may have: checked from its header before anything is decoded.
// The command-line tool sets it from --max-pixels, the program from its settings; it applies to
// every reader in the process.
constexpr qint64 DefaultPixelBudget = 100'000'000;
qint64 pixelBudget();
void setPixelBudget(qint64 pixels); // <= 0: the default

// Why a width x height frame is refused (side beyond MaxImageSide, or more pixels than the
// budget), or an empty string when it may be decoded.
QString pixelBudgetRefusal(qint64 width, qint64 height);

} // namespace lumetra
