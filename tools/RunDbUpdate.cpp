// run-dbupdate system|FOLDER: opens the database update dialog for the
// office's system database or for the data set in FOLDER, on the office
// under VQ_ROOT, after the operator (VQ_OPERATOR, 10 unless set; password
// VQ_PASSWORD) logged on stand-alone. No screen of the program opens the
// dialog; this is how a developer runs an update. The dialog's modal result
// (1 done, 4 refused or failed, 2 cancelled) is printed and returned as 0
// for 1 and 1 otherwise.
#include "dbupdate/forms/TDbUpdateBox.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/data/DataModule.h"
#include "ui/LogonProcedure.h"
#include "ui/forms/QtInteraction.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: run-dbupdate system|FOLDER  (office: VQ_ROOT)\n");
        return 2;
    }
    if (std::getenv("VQ_ROOT") == nullptr) {
        std::fprintf(stderr, "run-dbupdate: set VQ_ROOT to an office (make-sample-office DIR)\n");
        return 2;
    }
    const auto previousSeam = vq::ui::installQtInteraction();
    if (!vq::InitSystemFolders(vq::SystemDef)) {
        std::fprintf(stderr, "run-dbupdate: no office under VQ_ROOT\n");
        return 1;
    }
    vq::TDM module;
    vq::ui::LogonProcedure logon;
    const char* op = std::getenv("VQ_OPERATOR");
    const char* password = std::getenv("VQ_PASSWORD");
    const auto result = logon.OperatorLogon(0, op ? op : "10", password ? password : "");
    if (result.outcome != vq::ui::LogonOutcome::LoggedOn) {
        std::fprintf(stderr, "run-dbupdate: the operator could not log on\n");
        return 1;
    }
    const std::string target = argv[1];
    const std::uint8_t mode = target == "system" ? 0 : 1;
    if (mode == 1) {
        std::error_code ec;
        const auto folder = std::filesystem::weakly_canonical(target, ec);
        vq::SystemDef.DataDir = folder.string();
        if (!module.fnAccDatConnected({}, vq::SystemDef.DataDir, 0) || !module.fnGetAccInfo()) {
            std::fprintf(stderr, "run-dbupdate: no data set in %s\n", vq::SystemDef.DataDir.c_str());
            return 1;
        }
    }
    vq::TDbUpdateBox box;
    box.SetupUpdateList(mode, {});
    const int answer = box.exec();
    std::printf("%d\n", answer);
    return answer == 1 ? 0 : 1;
}
