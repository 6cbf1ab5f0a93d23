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

// Takes input addressed to the window, its children or its native window
// away from its receivers while the queues are drained.
class InputTaker : public QObject {
public:
    InputTaker(QWidget* window, const std::function<void(QEvent&)>& take) : window_(window), take_(take) {}

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!window_ || !isInput(event->type()) || !addressedToWindow(receiver))
            return false;
        take_(*event);
        return true;
    }

private:
    bool addressedToWindow(QObject* receiver) const
    {
        if (auto* widget = qobject_cast<QWidget*>(receiver))
            return widget == window_ || window_->isAncestorOf(widget);
        if (auto* native = qobject_cast<QWindow*>(receiver))
            return native == window_->window()->windowHandle();
        return false;
    }

    QPointer<QWidget> window_;
    const std::function<void(QEvent&)>& take_;
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
    // events are processed once; it is dropped on the way.
    DrainInputMessages(window, [](QEvent&) {});
}

void DrainInputMessages(QWidget* window, const std::function<void(QEvent&)>& take)
{
    if (!window || !QCoreApplication::instance())
        return;
    InputTaker taker(window, take);
    QCoreApplication::instance()->installEventFilter(&taker);
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    QCoreApplication::instance()->removeEventFilter(&taker);
}

} // namespace vq
