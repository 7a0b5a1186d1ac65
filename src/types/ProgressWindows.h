#pragma once

#include <QString>

namespace lumetra {

// The two modeless progress windows the sampling routines show and advance once per row:
// Waiting ("Applying filter. Please, wait.") and Progress (a caption and a bar). The program shows
// real windows; tests and the command-line tool use SilentProgress.
class ProgressWindows
{
public:
    enum class Window { Waiting, Progress };

    virtual ~ProgressWindows() = default;
    // Shows the window modeless and repaints it; caption replaces Progress's label.
    virtual void show(Window window, const QString &caption = QString()) = 0;
    // percent is 0..100; called once per picture row, so it must stay cheap.
    virtual void setProgress(Window window, float percent) = 0;
    virtual void close(Window window) = 0;
    // Repaints the workspace window after a pass.
    virtual void repaintWorkspace() = 0;
};

class SilentProgress : public ProgressWindows
{
public:
    void show(Window, const QString &) override {}
    void setProgress(Window, float) override {}
    void close(Window) override {}
    void repaintWorkspace() override {}
};

} // namespace lumetra
