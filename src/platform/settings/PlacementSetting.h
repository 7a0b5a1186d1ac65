#pragma once

#include "types/PicturePlacement.h"

#include <QString>

namespace lumetra {

// The placement chosen in the options dialog "选项", kept in the user's settings (QSettings,
// INI format, the same file as the calibration). Top-left when nothing is stored.
PlacementMode loadPlacementMode();
bool savePlacementMode(PlacementMode mode);

// Another settings file (tests); empty restores ~/.config/Lumetra/lumetra.ini.
void setPlacementSettingsFile(const QString &iniFile);

} // namespace lumetra
