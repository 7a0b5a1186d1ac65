#pragma once

#include "types/ProgressWindows.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QProgressBar;

namespace lumetra {

class WaitingDialog;
class ProgressDialog;

// The progress windows as the program shows them: WaitingDialog and ProgressDialog, modeless over the
// main window, one instance each (made on first show, destroyed on close).
//
// The routines report once per picture row from inside one event, so the bar is only pushed
// and repainted when its whole percent changes, and then at most once every RepaintIntervalMs
// (100 % is always shown).
class WindowProgress : public ProgressWindows
{
public:
    static constexpr qint64 RepaintIntervalMs = 30;
    // Milliseconds from any fixed origin; tests drive it by hand.
    using Clock = std::function<qint64()>;

    explicit WindowProgress(QWidget *owner = nullptr, Clock clock = {});
    ~WindowProgress() override;

    // The window the progress windows are centred over and owned by.
    void setOwner(QWidget *owner) { m_owner = owner; }
    // Where repaintWorkspace() finds the workspace window (nullptr when none is open).
    void setWorkspaceLocator(std::function<QWidget *()> locator) { m_workspace = std::move(locator); }

    void show(Window window, const QString &caption = QString()) override;
    void setProgress(Window window, float percent) override;
    void close(Window window) override;
    void repaintWorkspace() override;

    WaitingDialog *waitingWindow() const;
    ProgressDialog *progressWindow() const;

private:
    struct Slot
    {
        QPointer<QWidget> form;
        QProgressBar *bar = nullptr;
        int shownPercent = -1;
        qint64 lastRepaint = 0;
    };

    Slot &slot(Window window) { return window == Window::Waiting ? m_waiting : m_progressSlot; }

    QPointer<QWidget> m_owner;
    Clock m_clock;
    std::function<QWidget *()> m_workspace;
    Slot m_waiting;
    Slot m_progressSlot;
};

} // namespace lumetra
