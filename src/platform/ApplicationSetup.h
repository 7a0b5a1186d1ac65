#pragma once

class QApplication;

namespace lumetra {

// Fonts and translations every Lumetra process with windows uses: Simplified Chinese shapes for
// Han characters (not the Japanese ones Qt picks by default), the Song style mapped to a serif
// CJK face, and Qt's own Chinese texts on standard buttons.
void setupApplication(QApplication &app);

} // namespace lumetra
