// The seams the tool fills for the library: deferred timers run on the event
// loop, a deferred close reaches only a living window, a fatal database
// error ends the event loop, and waits keep the events flowing.
#include <gtest/gtest.h>

#include "foundation/app/MessageWait.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/DeferredTimer.h"
#include "linkage/forms/HostSeams.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

using namespace vq;

namespace {

class HostSeamsTest : public ::testing::Test {
protected:
    void SetUp() override { linkage::InstallHostSeams(); }
    void TearDown() override { linkage::RemoveHostSeams(); }

    static void pumpFor(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

TEST_F(HostSeamsTest, DeferredTimersFireFromTheEventLoop)
{
    int fired = 0;
    DeferredTimer timer(20, [&] { ++fired; });
    timer.setEnabled(true);
    EXPECT_EQ(fired, 0) << "not before the current event is done";
    pumpFor(150);
    EXPECT_EQ(fired, 1);

    timer.setEnabled(true);
    timer.setEnabled(false);
    pumpFor(100);
    EXPECT_EQ(fired, 1) << "a disabled timer stays quiet";
}

TEST_F(HostSeamsTest, ADeferredCloseReachesOnlyALivingWindow)
{
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    auto* gone = new QWidget;
    const auto goneHandle = reinterpret_cast<std::intptr_t>(gone);
    delete gone;

    TDM::PostWindowClose(goneHandle);
    TDM::PostWindowClose(reinterpret_cast<std::intptr_t>(window));
    EXPECT_TRUE(window->isVisible());
    QPointer<QWidget> watch(window);
    pumpFor(50);
    EXPECT_TRUE(watch.isNull());
}

TEST_F(HostSeamsTest, AFatalErrorEndsTheEventLoopAndWaitsPumpEvents)
{
    bool ranDuringWait = false;
    QTimer::singleShot(0, [&] { ranDuringWait = true; });
    WaitWithMessages(30);
    EXPECT_TRUE(ranDuringWait);

    // What the error reporter calls after a fatal error.
    const ProgramEndFunc end = setProgramEndHook(nullptr);
    setProgramEndHook(end);
    ASSERT_TRUE(end);
    QTimer::singleShot(0, [end] { end(); });
    QTimer guard;
    guard.setSingleShot(true);
    guard.start(5000);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 1);
}

} // namespace
