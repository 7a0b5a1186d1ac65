#pragma once

#include <QString>

namespace lumetra {

// What other windows change on the main window: its toolbar buttons (1-based index: 1 connect,
// 2 open, 3 help, 5 exit) and the connect menu item.
class MainWindowPort
{
public:
    virtual ~MainWindowPort() = default;
    virtual void setToolbarButtonEnabled(int index, bool enabled) = 0;
    virtual bool toolbarButtonEnabled(int index) const = 0;
    virtual void setConnectMenuEnabled(bool enabled) = 0;
    virtual bool connectMenuEnabled() const = 0;
    // A line in the status bar: what a command just did, e.g. which file it wrote. A main window
    // without a status bar shows nothing.
    virtual void showStatus(const QString &text) { (void)text; }
};

} // namespace lumetra
