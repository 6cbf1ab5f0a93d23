// Input that reached a busy window is dropped; other events and other
// windows keep theirs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWidget>

#include "foundation/forms/FlushInputMessages.h"

using namespace vq;

namespace {

// Counts what arrives.
class Counting : public QLineEdit {
public:
    int input = 0;
    int other = 0;

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            ++input;
            break;
        case QEvent::User:
            ++other;
            break;
        default:
            break;
        }
        return QLineEdit::event(e);
    }
};

void postInput(QWidget* target)
{
    const QPointF at(2, 2);
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at, target->mapToGlobal(at),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, at, target->mapToGlobal(at),
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a"));
}

} // namespace

TEST(FlushInputMessages, DropsTheWindowsInputOnly)
{
    QWidget busy;
    auto* layout = new QVBoxLayout(&busy);
    auto* field = new Counting;
    layout->addWidget(field);
    busy.show();
    Counting other;
    other.show();
    QCoreApplication::processEvents();

    postInput(field);
    postInput(&other);
    QCoreApplication::postEvent(field, new QEvent(QEvent::User));
    FlushInputMessages(&busy);
    QCoreApplication::processEvents();

    EXPECT_EQ(field->input, 0);
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(field->other, 1);
    EXPECT_EQ(other.input, 4);
    EXPECT_EQ(other.text(), "a");

    // Input after the flush arrives as usual.
    postInput(field);
    QCoreApplication::processEvents();
    EXPECT_EQ(field->input, 4);

    FlushInputMessages(nullptr); // nothing to do
}
