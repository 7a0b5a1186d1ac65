#include "platform/dialogs/PointerControl.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumetra {

QPoint QtPointerControl::position() const { return QCursor::pos(); }

bool QtPointerControl::moveTo(const QPoint &global)
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("offscreen") ||
        platform == QLatin1String("minimal"))
        return false;
    QCursor::setPos(global);
    return true;
}

} // namespace lumetra
