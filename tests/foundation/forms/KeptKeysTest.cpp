// Keys typed into a window while it was busy outlive the window and reach
// the control that has the focus when they are handed on; its clicks do not.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

#include "foundation/forms/KeptKeys.h"

using namespace vq;

namespace {

void postKey(QWidget* target, Qt::Key key, const QString& text = {})
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

} // namespace

TEST(KeptKeys, KeysTypedIntoAClosingWindowReachTheNextFocusedControl)
{
    KeptKeys kept;
    {
        auto busy = std::make_unique<QWidget>();
        auto* field = new QLineEdit(busy.get());
        busy->show();
        field->setFocus();
        QCoreApplication::processEvents();
        // Typed while the window's work held up the event loop.
        postKey(field, Qt::Key_A, "a");
        const QPointF at(2, 2);
        QCoreApplication::postEvent(field, new QMouseEvent(QEvent::MouseButtonPress, at, field->mapToGlobal(at),
                                                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        postKey(field, Qt::Key_Tab);
        postKey(busy.get(), Qt::Key_B, "b");
        kept.Keep(busy.get());
        EXPECT_EQ(field->text(), "") << "kept, not typed into the closing window";
    }
    QCoreApplication::processEvents();
    ASSERT_FALSE(kept.empty());

    QWidget next;
    auto* layout = new QVBoxLayout(&next);
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(second);
    next.show();
    next.activateWindow();
    QApplication::setActiveWindow(&next);
    first->setFocus();
    QCoreApplication::processEvents();
    kept.Deliver(&next);
    EXPECT_TRUE(kept.empty());
    // Tab moved the focus between the two letters.
    EXPECT_EQ(first->text(), "a");
    EXPECT_EQ(second->text(), "b");
}
