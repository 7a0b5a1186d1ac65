#pragma once

#include "types/DisplayMode.h"
#include "platform/ports/Services.h"

#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QMdiArea;
class QWidget;

namespace lumetra {

namespace window_placement {
struct Scene;
}

class CaptureFramePort;
class CurveViewPort;
class ProgressWindows;
class MainWindowPort;
class WorkspacePort;

// What every window of the program is given: the outside components, the progress windows, the frame that hosts child windows, the openers of windows that belong to
// other subsystems (wired at start-up by app/), and the open workspace and curve window, which
// publish themselves here while they are open. Window subsystems never include each other:
// this is how one reaches another.
struct AppContext
{
    Services &services;
    ProgressWindows &progress;
    QMdiArea *mdiArea = nullptr; // null: child windows become top-level windows (tests)
    MainWindowPort *mainWindow = nullptr; // null in tests without a main window

    std::function<bool(const QString &path)> openWorkspace; // false when the picture was refused
    std::function<void(bool fromToolbar)> openCaptureWindow; // the connect command
    std::function<void(bool vertical)> openCurveWindow = nullptr; // "水平" / "垂直" of the workspace
    // The popup menu of a curve window: the curve report of its cut (raw or analysed, in the mode
    // the window shows), and the picture report.
    std::function<void(bool vertical, bool analysed, std::optional<DisplayMode> mode)> openCurveReport = nullptr;
    std::function<void()> openPictureReport = nullptr;
    // "光束参数" of the workspace and "标定" of the workspace and the capture window.
    std::function<void()> openBeamWindow = nullptr;
    std::function<void()> openCalibrationDialog = nullptr;
    // The workspace's picture was loaded, placed anew or filtered: the windows that show results
    // of it follow (wired at start-up; the workspace calls it).
    std::function<void()> workspacePictureChanged = nullptr;
    // The calibration's settings file (empty: the user's configuration folder; tests use a
    // temporary one).
    QString calibrationFile = {};

    // The single-instance windows open now, by class name (each class looks itself up here).
    QHash<QString, QPointer<QWidget>> singleWindows = {};
    // The open single-instance window registered under `key`, as a T, or null.
    template <typename T> T *singleWindow(const QString &key) const
    {
        return qobject_cast<T *>(singleWindows.value(key).data());
    }
    // The open single-instance window under `key`, or a new one from `make`, shown and brought
    // forward at `position` (see showChildWindow).
    template <typename T, typename Make>
    T *showSingleWindow(const QString &key, Make make, std::optional<QPoint> position = std::nullopt);
    // Forgets `window` under `key` unless another window has taken its place.
    void forgetSingleWindow(const QString &key, const QWidget *window)
    {
        if (singleWindows.value(key) == window)
            singleWindows.remove(key);
    }

    WorkspacePort *workspace = nullptr;   // the open image workspace, or null
    CurveViewPort *curveWindow = nullptr; // the open curve window, or null
    CaptureFramePort *captureFrames = nullptr; // the open capture window, or null
};

// Makes `window` the one window of its kind: deleted when closed, named `key`, titled `title`
// and registered under `key` in the context's single windows.
void registerSingleWindow(AppContext &context, QWidget *window, const QString &key, const QString &title);
// Shows a form as a child window of the main frame (or top-level without one), brings it
// forward, and places its outer top-left at `position` (pixels of the frame's client area).
// Returns the window that carries the form (its sub-window, or the form itself).
QWidget *showChildWindow(AppContext &context, QWidget *form, std::optional<QPoint> position = std::nullopt);
// Tells the operator, in the main window's status bar, that a command wrote `path`
// ("Saved: <path>"); `prefix` replaces "Saved: " where the command says more (a PDF report).
void announceSaved(AppContext &context, const QString &path, const QString &prefix = QString());
// `part` of `form` (the workspace picture, the capture video) is not to be covered by windows
// that open later, as long as they find another place.
void keepInSight(QWidget *form, QWidget *part);
bool keepsInSight(const QWidget *form);
// Puts an already shown child window where a new window goes (see window_placement), or only
// moves (and shrinks) it as little as needed to lie inside the visible area.
// `ignored` (a window about to move as well) is left out of the scene.
void placeChildWindow(AppContext &context, QWidget *form, QWidget *ignored = nullptr);
void keepChildWindowInside(AppContext &context, QWidget *form);
// The visible part of the document area and the windows open on it, but `except`.
window_placement::Scene childWindowScene(const AppContext &context, const QWidget *except = nullptr,
                                         const QWidget *ignored = nullptr);
// Moves an already shown child window (outer top-left, client-area pixels).
void moveChildWindow(QWidget *form, const QPoint &position);
// The window frame around a form: its sub-window in the main frame, else the form itself.
QWidget *childWindowFrame(QWidget *form);

template <typename T, typename Make>
T *AppContext::showSingleWindow(const QString &key, Make make, std::optional<QPoint> position)
{
    T *window = singleWindow<T>(key);
    if (!window)
        window = make();
    showChildWindow(*this, window, position);
    return window;
}

} // namespace lumetra
