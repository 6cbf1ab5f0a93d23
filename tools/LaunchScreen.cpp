// launch-screen NAME [KEY=VALUE ...]: starts a registered screen of the
// library by name through the launcher on the office under VQ_ROOT, as a host
// program would. It starts up as the linkage tool does (the application
// information beside it, the office's local settings), then the operator
// (VQ_OPERATOR, 10 unless set; password VQ_PASSWORD) logs on stand-alone; the
// KEY=VALUE words are the screen's parameter lines. With VQ_DATA (a folder
// name under the system folder, "0001") that data set is opened first, as a
// host has it open for the screens that work on the open data set. The
// launcher's result is printed and returned.
#include "comm/forms/DataTusinScreens.h"
#include "comm/forms/TMeetingToolSettingBox.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "linkage/LinkageStartup.h"
#include "linkage/forms/OvidalRendo.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "print/forms/QtPrintHost.h"
#include "ui/LogonProcedure.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/QtTranslations.h"
#include "ui/forms/ScreenLauncher.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vq::ui::installQtTranslations(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch-screen NAME [KEY=VALUE ...]  (office: VQ_ROOT)\n");
        return 2;
    }
    if (std::getenv("VQ_ROOT") == nullptr) {
        std::fprintf(stderr, "launch-screen: set VQ_ROOT to an office (make-sample-office DIR)\n");
        return 2;
    }
    const auto previousSeam = vq::ui::installQtInteraction();
    // The lists the screens print ([F8]) reach the preview and the printers.
    vq::print::installPrintEngine();
    vq::linkage::RegisterLibraryScreens();
    vq::comm::InstallDataTusinScreens();
    vq::comm::RegisterMeetingToolSetting();
    const std::string failure = vq::linkage::StartUpWithoutWizard(vq::platform::folders::program() / "launch-screen");
    if (!failure.empty()) {
        vq::platform::showMessage(failure, vq::platform::MessageKind::Error, vq::platform::Buttons::Ok);
        return 1;
    }
    vq::TDM& module = vq::linkage::CreateDataModule();
    vq::ui::LogonProcedure logon;
    const char* op = std::getenv("VQ_OPERATOR");
    const char* password = std::getenv("VQ_PASSWORD");
    const auto result = logon.OperatorLogon(0, op ? op : "10", password ? password : "");
    if (result.outcome != vq::ui::LogonOutcome::LoggedOn || !module.fnGetSysDef()) {
        std::fprintf(stderr, "launch-screen: the operator could not log on\n");
        vq::linkage::ReleaseDataModule();
        return 1;
    }
    module.LoadGengoTable();
    module.GetLatestProgramVersion();
    if (const char* data = std::getenv("VQ_DATA"); data != nullptr && *data != '\0') {
        const std::string folder = (std::filesystem::path(vq::SystemDef.SysDir) / data).string();
        if (!module.fnAccDatConnected(vq::SystemDef.HostName, folder, 1) || !module.fnGetAccInfo()) {
            std::fprintf(stderr, "launch-screen: the data set %s could not be opened\n", folder.c_str());
            vq::linkage::ReleaseDataModule();
            return 1;
        }
        vq::SystemDef.DataDir = folder;
    }
    std::fprintf(stderr, "launch-screen: operator %d logged on (group %d)\n", vq::SystemDef.OperatorNo,
                 vq::SystemDef.GROUPID);
    std::string lines;
    for (int i = 2; i < argc; ++i)
        lines += (i > 2 ? "\r\n" : "") + std::string(argv[i]);
    const std::int32_t answer = vq::ui::StartRegisteredProcess(argv[1], 1, lines);
    std::printf("%d\n", answer);
    if (module.fnAccDefConnected(vq::SystemDef.HostName, 1))
        module.DeleteLogonInfo();
    vq::linkage::ReleaseDataModule();
    return answer < 0 ? 1 : 0;
}
