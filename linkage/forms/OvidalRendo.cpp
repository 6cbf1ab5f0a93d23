#include "linkage/forms/OvidalRendo.h"

#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TServerSentakuBox.h"
#include "linkage/CallerArguments.h"
#include "linkage/CallerChannel.h"
#include "linkage/InstanceGuard.h"
#include "linkage/LinkageHooks.h"
#include "linkage/LinkageStartup.h"
#include "linkage/forms/HostSeams.h"
#include "linkage/forms/TForm1.h"
#include "platform/Interaction.h"
#include "ui/forms/TfmWebMenuL.h"

#include <QApplication>
#include <QCursor>

namespace vq::linkage {

void RegisterLibraryScreens()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    ui::RegisterWebMenuL();
    RegisterDataSentakuBox();
    RegisterServerSentakuBox();
}

namespace {

// A refused start: its message, and a caller named on the command line hears
// of the failure, or it would keep its window disabled for ever.
int refuseStart(const std::string& message, const std::vector<std::string>& args)
{
    platform::showMessage(message, platform::MessageKind::Information, platform::Buttons::Ok);
    const CallerArguments arguments = ParseCallerArguments(args);
    if (arguments.callerNamed()) {
        CallerChannel caller(arguments.CallerWnd);
        caller.EnableAndRaise();
        caller.Post(arguments.CallerMsg, arguments.CallerFuncId, 2);
    }
    return 0;
}

} // namespace

int RunOvidalRendo(const std::vector<std::string>& args)
{
    RegisterLibraryScreens();
    if (const auto refusal = StartRefusalMessage())
        return refuseStart(*refusal, args);
    const auto instance = CreateInstanceMutex();
    // Another copy came up between the look and the lock.
    if (!instance)
        return refuseStart("アプリケーションは既に起動しています。", args);
    QApplication::setApplicationDisplayName(QString::fromUtf8(kStartupTitle));
    InstallHostSeams();
    InstallLibraryPorts();

    {
        TForm1 form;
        if (form.FormCreate(args) && form.InitializeApplication()) {
            QApplication::processEvents();
            QApplication::restoreOverrideCursor();
            form.show();
            // Also a fatal database error (the loop ends with 1) ends the
            // program normally: its message was shown.
            if (!form.Terminated)
                QApplication::exec();
        } else {
            QApplication::processEvents();
        }
        // The form's destruction saves the settings and tells the caller.
    }
    ReleaseDataModule();
    RemoveHostSeams();
    return 0;
}

} // namespace vq::linkage
