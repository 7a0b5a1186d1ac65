#pragma once

#include "types/PicturePlacement.h"

#include <QString>

namespace lumetra {

// The placement chosen last, in the options dialog "选项" or in the bar above the picture, kept
// in the user's settings (QSettings, INI format, the same file as the calibration). Centred on
// the beam when nothing is stored: a large camera frame shows its beam, not a dark corner.
PlacementMode loadPlacementMode();
bool savePlacementMode(PlacementMode mode);

// Another settings file (tests); empty restores ~/.config/Lumetra/lumetra.ini.
void setPlacementSettingsFile(const QString &iniFile);
// The file both are kept in (the user's, or the one set for tests).
QString placementSettingsFile();

} // namespace lumetra
