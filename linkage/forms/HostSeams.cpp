#include "linkage/forms/HostSeams.h"

#include "foundation/app/MessageWait.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/DeferredTimer.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTimer>
#include <QWidget>

namespace vq::linkage {

namespace {

// The window is looked up among the living ones, so a handle left behind by
// a screen that is already gone closes nothing.
void closeWindow(std::intptr_t handle)
{
    for (QWidget* w : QApplication::allWidgets()) {
        if (reinterpret_cast<std::intptr_t>(w) == handle) {
            w->close();
            return;
        }
    }
}

} // namespace

void InstallHostSeams()
{
    DeferredTimer::setScheduler([](int intervalMs, std::function<void()> fire) {
        QTimer::singleShot(intervalMs, qApp, std::move(fire));
    });
    TDM::PostWindowClose = [](std::intptr_t handle) {
        // After the handler that asked for it has returned.
        QTimer::singleShot(0, qApp, [handle] { closeWindow(handle); });
    };
    TDM::FontInstalled = [](const std::string& family) {
        return QFontDatabase::families().contains(QString::fromStdString(family));
    };
    // The event loop ends once the current handler has returned.
    setProgramEndHook([] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); }); });
    SetMessagePump([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
}

void RemoveHostSeams()
{
    DeferredTimer::setScheduler(nullptr);
    TDM::PostWindowClose = nullptr;
    TDM::FontInstalled = nullptr;
    setProgramEndHook(nullptr);
    SetMessagePump(nullptr);
}

} // namespace vq::linkage
