#include "platform/ports/AppContext.h"

#include "platform/ports/MainWindowPort.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

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

QWidget *showChildWindow(AppContext &context, QWidget *form, std::optional<QPoint> position)
{
    QWidget *frame = childWindowFrame(form);
    if (frame == form && context.mdiArea) {
        QMdiSubWindow *sub = context.mdiArea->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(form->windowIcon());
        frame = sub;
    }
    if (position)
        frame->move(*position);
    frame->show();
    form->show();
    frame->raise();
    frame->activateWindow();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(frame); sub && context.mdiArea)
        context.mdiArea->setActiveSubWindow(sub);
    return frame;
}

void announceSaved(AppContext &context, const QString &path, const QString &prefix)
{
    if (context.mainWindow)
        context.mainWindow->showStatus(prefix + QDir::toNativeSeparators(path));
}

void moveChildWindow(QWidget *form, const QPoint &position) { childWindowFrame(form)->move(position); }

} // namespace lumetra
