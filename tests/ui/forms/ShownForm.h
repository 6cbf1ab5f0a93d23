#pragma once
// A top-level form shown and activated on the offscreen platform, so focus
// and key events behave as on a screen.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <QTimer>

#include <functional>
#include <memory>

namespace vq::test {

inline void showActive(QWidget& form)
{
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowActive(&form, 2000);
}

// Runs action once a modal widget is up (polled from the event loop), for
// driving dialogs that exec().
inline void whenModal(std::function<void(QWidget*)> action)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace vq::test
