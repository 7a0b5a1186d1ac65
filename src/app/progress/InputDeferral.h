#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QEvent;

namespace lumetra {

// While it lives, no user input reaches any object: input events delivered meanwhile (a click or
// a key posted to a widget, or let through by the event loop) are held back, and posted again to
// their receivers, in their order, when it goes. Used around the event processing a progress
// window needs while the sampling runs on the interface thread, so that a click cannot act on a
// half-updated picture; nothing the user did is lost.
class InputDeferral : public QObject
{
public:
    InputDeferral();
    ~InputDeferral() override;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    struct Held
    {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::vector<Held> m_held;
};

} // namespace lumetra
