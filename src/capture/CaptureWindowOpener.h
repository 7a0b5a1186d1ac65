#pragma once

namespace lumetra {

struct AppContext;
class CaptureWindow;

// The connect command's part in the capture subsystem: a new capture window, shown as a child of
// the main frame and loaded (connecting the card), then the card set to standard 1 (PAL) whatever
// the outcome of loading. The main window greys its own connect commands. Without a device the
// window closes again after its message (and gives null).
CaptureWindow *openCaptureWindow(AppContext &context);

} // namespace lumetra
