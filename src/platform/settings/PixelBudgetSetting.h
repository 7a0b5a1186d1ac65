#pragma once

#include <QString>

namespace lumetra {

// The largest frame (in pixels) the program decodes, kept in the user's settings (key
// frames/maxPixels of lumetra.ini, the same file as the calibration); the readers' default
// when nothing or nothing sensible is stored. `iniFile` empty: the user's file.
qint64 loadPixelBudgetSetting(const QString &iniFile = {});
bool savePixelBudgetSetting(qint64 pixels, const QString &iniFile = {});

// Reads the setting and hands it to the frame readers (at start-up and after a change).
void applyPixelBudgetSetting(const QString &iniFile = {});

} // namespace lumetra
