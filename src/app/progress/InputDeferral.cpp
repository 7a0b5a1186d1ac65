#include "app/progress/InputDeferral.h"

#include <QCoreApplication>
#include <QEvent>

namespace lumetra {

namespace {

bool isUserInput(const QEvent *event)
{
    if (event->isInputEvent())
        return true;
    switch (event->type()) {
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return false;
    }
}

} // namespace

InputDeferral::InputDeferral()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

InputDeferral::~InputDeferral()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    for (Held &held : m_held)
        if (held.receiver)
            QCoreApplication::postEvent(held.receiver, held.event.release());
}

bool InputDeferral::eventFilter(QObject *receiver, QEvent *event)
{
    if (!isUserInput(event))
        return false;
    m_held.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

} // namespace lumetra
