#pragma once
// A top-level form shown and activated on the offscreen platform, so focus
// and key events behave as on a screen.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <QKeyEvent>
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

// Runs action once a modal window of class Form is up.
template <class Form>
void whenModalOf(std::function<void(Form*)> action)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        if (auto* form = qobject_cast<Form*>(QApplication::activeModalWidget())) {
            action(form);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// Types text key by key into w; characters beyond ASCII arrive as key
// events that carry only their text, as an input method's direct input does.
inline void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// Releases key where the keyboard sends it: the focused control of form, or
// form itself when none of its controls has the focus.
inline void releaseKey(QWidget& form, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyRelease(focus != nullptr && form.isAncestorOf(focus) ? focus : &form, key, mods);
}

} // namespace vq::test
