#pragma once

#include <QPoint>

namespace lumetra {

// The global mouse pointer, moved by one pixel from the keyboard. Where the platform cannot move
// it (Wayland, offscreen), moveBy() returns false and callers move only their own crosshair.
class PointerControl
{
public:
    virtual ~PointerControl() = default;
    virtual QPoint position() const = 0;
    virtual bool moveTo(const QPoint &global) = 0;
};

class QtPointerControl : public PointerControl
{
public:
    QPoint position() const override;
    bool moveTo(const QPoint &global) override;
};

class ScriptedPointerControl : public PointerControl
{
public:
    QPoint current;
    bool canMove = false;
    QPoint position() const override { return current; }
    bool moveTo(const QPoint &global) override
    {
        if (canMove)
            current = global;
        return canMove;
    }
};

} // namespace lumetra
