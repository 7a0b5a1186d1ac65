#pragma once

namespace lumetra {

// How a curve window shows its curves: face mode ("面模式", raw and analysed curve against the
// grey range of the whole picture) or line mode ("线模式", the analysed curve against its own
// range). The window keeps it as state; its two mode buttons show it.
enum class DisplayMode { Face, Line };

} // namespace lumetra
