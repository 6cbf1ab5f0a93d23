#include "foundation/forms/KeptKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "foundation/forms/FlushInputMessages.h"

namespace vq {

KeptKeys::KeptKeys() = default;
KeptKeys::KeptKeys(KeptKeys&&) noexcept = default;
KeptKeys& KeptKeys::operator=(KeptKeys&&) noexcept = default;
KeptKeys::~KeptKeys() = default;

void KeptKeys::Keep(QWidget* window)
{
    DrainInputMessages(window, [this](QEvent& event) {
        if (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease)
            keys_.emplace_back(static_cast<QKeyEvent&>(event).clone());
    });
}

void KeptKeys::Deliver(QWidget* window)
{
    auto keys = std::move(keys_);
    keys_.clear();
    const QPointer<QWidget> alive(window);
    for (const auto& key : keys) {
        // A key may move the focus, close a page or the window itself.
        if (!alive)
            return;
        QWidget* target = alive->focusWidget() != nullptr ? alive->focusWidget() : alive.data();
        QCoreApplication::sendEvent(target, key.get());
    }
}

} // namespace vq
