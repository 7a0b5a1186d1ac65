#pragma once

class QApplication;

namespace lumetra {

// Names and fonts every Lumetra process with windows uses: Simplified Chinese shapes for Han
// characters (not the Japanese ones Qt picks by default) and the Song style mapped to a serif
// CJK face. The interface's language is set apart (InterfaceLanguage).
void setupApplication(QApplication &app);

// For processes that run without a display (tests, benchmarks, the command-line tool), called
// before the application object exists: the offscreen platform unless another one is asked for,
// and a private runtime directory when the session has none.
void prepareHeadlessEnvironment();

} // namespace lumetra
