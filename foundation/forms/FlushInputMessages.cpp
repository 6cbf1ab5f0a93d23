#include "foundation/forms/FlushInputMessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace vq {

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

// Swallows input addressed to the window, its children or its native window
// while the queues are drained.
class InputSwallower : public QObject {
public:
    explicit InputSwallower(QWidget* window) : window_(window) {}

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!window_ || !isInput(event->type()))
            return false;
        if (auto* widget = qobject_cast<QWidget*>(receiver))
            return widget == window_ || window_->isAncestorOf(widget);
        if (auto* native = qobject_cast<QWindow*>(receiver))
            return native == window_->window()->windowHandle();
        return false;
    }

private:
    QPointer<QWidget> window_;
};

} // namespace

void FlushInputMessages(QWidget* window)
{
    if (!window || !QCoreApplication::instance())
        return;
    static const QEvent::Type kInput[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                          QEvent::MouseButtonDblClick, QEvent::MouseMove,
                                          QEvent::Wheel,           QEvent::KeyPress,
                                          QEvent::KeyRelease};
    QList<QWidget*> targets = window->findChildren<QWidget*>();
    targets.prepend(window);
    for (QWidget* target : targets) {
        for (QEvent::Type type : kInput)
            QCoreApplication::removePostedEvents(target, type);
    }
    // Input still waiting in the window system's queue arrives while the
    // events are processed once; the filter drops it on the way.
    InputSwallower swallower(window);
    QCoreApplication::instance()->installEventFilter(&swallower);
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    QCoreApplication::instance()->removeEventFilter(&swallower);
}

} // namespace vq
