#include "app/progress/WindowProgress.h"

#include "app/progress/WaitingDialog.h"
#include "app/progress/ProgressDialog.h"
#include "app/progress/InputDeferral.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace lumetra {

namespace {

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

WindowProgress::WindowProgress(QWidget *owner, Clock clock)
    : m_owner(owner), m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds))
{
}

WindowProgress::~WindowProgress()
{
    close(Window::Waiting);
    close(Window::Progress);
}

void WindowProgress::show(Window window, const QString &caption)
{
    Slot &s = slot(window);
    if (!s.form) {
        if (window == Window::Waiting) {
            auto *form = new WaitingDialog(m_owner);
            s.form = form;
            s.bar = form->progressBar();
        } else {
            auto *form = new ProgressDialog(m_owner);
            s.form = form;
            s.bar = form->progressBar();
        }
        if (m_owner) {
            const QRect area = m_owner->geometry();
            s.form->move(area.center() - QPoint(s.form->width() / 2, s.form->height() / 2));
        }
    }
    if (window == Window::Progress && !caption.isEmpty())
        static_cast<ProgressDialog *>(s.form.data())->caption()->setText(caption);
    s.bar->setValue(0);
    s.shownPercent = 0;
    s.lastRepaint = m_clock();
    // A window already open is brought forward; a new one opens on top.
    if (s.form->isVisible())
        s.form->raise();
    s.form->show();
    // A window shown inside a long computation must be mapped before it can be painted. The
    // computation is still under way: the window system's input stays queued and input posted
    // meanwhile is held back until the events are processed, so no click acts on a half-done pass.
    if (QWindow *handle = s.form->windowHandle(); handle && !handle->isExposed()) {
        const InputDeferral deferral;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    s.form->repaint();
}

void WindowProgress::setProgress(Window window, float percent)
{
    Slot &s = slot(window);
    if (!s.form || !std::isfinite(percent))
        return;
    const int whole = std::clamp(static_cast<int>(std::floor(percent)), 0, 100);
    if (whole == s.shownPercent)
        return;
    const qint64 now = m_clock();
    if (whole < 100 && now - s.lastRepaint < RepaintIntervalMs)
        return;
    s.shownPercent = whole;
    s.lastRepaint = now;
    // The bar repaints itself for some changes; hold that back so that it is painted once.
    s.bar->setUpdatesEnabled(false);
    s.bar->setValue(whole);
    s.bar->setUpdatesEnabled(true);
    s.bar->repaint();
}

void WindowProgress::close(Window window)
{
    Slot &s = slot(window);
    delete s.form.data();
    s.form = nullptr;
    s.bar = nullptr;
    s.shownPercent = -1;
}

void WindowProgress::repaintWorkspace()
{
    if (!m_workspace)
        return;
    if (QWidget *workspace = m_workspace())
        workspace->repaint();
}

WaitingDialog *WindowProgress::waitingWindow() const
{
    return static_cast<WaitingDialog *>(m_waiting.form.data());
}

ProgressDialog *WindowProgress::progressWindow() const
{
    return static_cast<ProgressDialog *>(m_progressSlot.form.data());
}

} // namespace lumetra
