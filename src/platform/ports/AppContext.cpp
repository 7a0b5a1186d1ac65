#include "platform/ports/AppContext.h"

#include "platform/ports/MainWindowPort.h"
#include "platform/ports/WindowPlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <algorithm>

namespace lumetra {

QWidget *childWindowFrame(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

void registerSingleWindow(AppContext &context, QWidget *window, const QString &key, const QString &title)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(key);
    window->setWindowTitle(title);
    context.singleWindows.insert(key, window);
}

namespace {

const char *const KeepInSightProperty = "lumetraKeepInSight";

QRect visibleArea(const QMdiArea *area)
{
    // Child windows lie in the viewport's pixels, scrolled or not.
    return QRect(QPoint(0, 0), area->viewport()->size());
}

QSize minimumFrameSize(const QWidget *frame)
{
    return frame->minimumSizeHint().expandedTo(frame->minimumSize()).expandedTo(QSize(1, 1));
}

// The part of `form` marked to be kept in sight, or null. The mark lies on the part itself, so
// that it goes with it.
const QWidget *partKeptInSight(const QWidget *form)
{
    if (!form)
        return nullptr;
    const QList<QWidget *> parts = form->findChildren<QWidget *>();
    auto marked = std::find_if(parts.begin(), parts.end(),
                               [](const QWidget *w) { return w->property(KeepInSightProperty).toBool(); });
    return marked == parts.end() ? nullptr : *marked;
}

// Where the picture or video a window keeps in sight lies, in the document area's pixels.
std::optional<QRect> keptInSight(const QMdiSubWindow *sub, const QWidget *viewport)
{
    const QWidget *part = partKeptInSight(sub->widget());
    if (!part || !part->isVisible())
        return std::nullopt;
    return QRect(part->mapTo(viewport, QPoint(0, 0)), part->size());
}

} // namespace

void keepInSight(QWidget *form, QWidget *part)
{
    Q_ASSERT(form->isAncestorOf(part));
    part->setProperty(KeepInSightProperty, true);
}

bool keepsInSight(const QWidget *form)
{
    return partKeptInSight(form) != nullptr;
}

window_placement::Scene childWindowScene(const AppContext &context, const QWidget *except, const QWidget *ignored)
{
    window_placement::Scene scene;
    if (!context.mdiArea)
        return scene;
    scene.area = visibleArea(context.mdiArea);
    const QList<QMdiSubWindow *> windows = context.mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (const QMdiSubWindow *sub : windows) {
        if (sub == except || (ignored && sub->widget() == ignored) ||
            !sub->isVisible() || sub->isMinimized())
            continue;
        scene.others << sub->geometry();
        if (const std::optional<QRect> kept = keptInSight(sub, context.mdiArea->viewport()))
            scene.keepInSight << *kept;
    }
    return scene;
}

void placeChildWindow(AppContext &context, QWidget *form, QWidget *ignored)
{
    QWidget *frame = childWindowFrame(form);
    if (frame == form || !context.mdiArea || frame->isMaximized())
        return;
    // A window sized to its picture or video is not made smaller: that would cut the picture.
    const QSize minimum = keepsInSight(form) ? frame->size() : minimumFrameSize(frame);
    frame->setGeometry(
        window_placement::placeNewWindow(childWindowScene(context, frame, ignored), frame->size(), minimum));
}

void keepChildWindowInside(AppContext &context, QWidget *form)
{
    QWidget *frame = childWindowFrame(form);
    if (frame == form || !context.mdiArea || frame->isMaximized())
        return;
    frame->setGeometry(
        window_placement::keepInside(visibleArea(context.mdiArea), frame->geometry(), minimumFrameSize(frame)));
}

QWidget *showChildWindow(AppContext &context, QWidget *form, std::optional<QPoint> position)
{
    QWidget *frame = childWindowFrame(form);
    bool opened = false;
    if (frame == form && context.mdiArea) {
        QMdiSubWindow *sub = context.mdiArea->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(form->windowIcon());
        // A form that closes itself takes its frame along, so no empty frame stays behind.
        QObject::connect(form, &QObject::destroyed, sub, &QObject::deleteLater);
        frame = sub;
        opened = true;
    }
    if (position)
        frame->move(*position);
    frame->show();
    form->show();
    // A new window goes where it hides nothing (or as little as it can); one asked to stand at
    // a place is only kept inside the visible area.
    if (opened && !position)
        placeChildWindow(context, form);
    else if (opened)
        keepChildWindowInside(context, form);
    frame->raise();
    frame->activateWindow();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(frame); sub && context.mdiArea)
        context.mdiArea->setActiveSubWindow(sub);
    return frame;
}

void announceSaved(AppContext &context, const QString &path, const QString &prefix)
{
    if (context.mainWindow)
        context.mainWindow->showStatus(
            (prefix.isEmpty() ? QCoreApplication::translate("AppContext", "已保存：") : prefix) +
            QDir::toNativeSeparators(path));
}

void moveChildWindow(QWidget *form, const QPoint &position) { childWindowFrame(form)->move(position); }

} // namespace lumetra
