#include "datasets/forms/ServerSentakuSnap.h"

#include "datasets/NetworkDrives.h"
#include "datasets/forms/TServerSentakuBox.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/data/DataModule.h"
#include "platform/Folders.h"
#include "platform/Process.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace vq {

namespace {

// The throw-away copy of the office; the drive map and the cached list the
// screen writes stay in it.
struct SnapOffice {
    fs::path dir;
    ~SnapOffice()
    {
        if (!dir.empty()) {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    }
};

bool copyDataSet(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    for (const char* name : {"vqacc.fdb", "vqacc.ini"})
        if (fs::exists(from / name))
            fs::copy_file(from / name, to / name, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

} // namespace

QWidget* SnapServerSentakuBox()
{
    const char* root = std::getenv("VQ_ROOT");
    if (root == nullptr || *root == 0) {
        std::fprintf(stderr, "snap: shareddata draws the office under VQ_ROOT (make-sample-office DIR first)\n");
        return nullptr;
    }
    static SnapOffice office;
    office.dir = fs::temp_directory_path() / ("vq-snap-share-" + std::to_string(::getpid()));
    const fs::path copy = office.dir / "office";
    fs::create_directories(office.dir);
    if (!platform::runProcess("cp", {"-a", root, copy.string()}).succeeded()) {
        std::fprintf(stderr, "snap: cannot copy the office under VQ_ROOT\n");
        return nullptr;
    }
    ::setenv("VQ_ROOT", copy.c_str(), 1);
    InitSystemFolders(SystemDef);
    SystemDef.DbUser = DefaultDbUser;
    SystemDef.DbPassword = DefaultDbPassword;
    SystemDef.GROUPID = 10000;
    SystemDef.OperatorNo = 10;
    SystemDef.OPCODE = 100000010;
    static TDM module;
    if (!module.fnAccDefConnected("", 1)) {
        std::fprintf(stderr, "snap: no system database under VQ_ROOT\n");
        return nullptr;
    }
    module.GetLatestProgramVersion();

    // A network drive "S" on a share of three areas.
    const fs::path mount = office.dir / "nas";
    const fs::path share = mount / ShareFolder;
    copyDataSet(fs::path(SystemDef.SysDir) / "0001", share / "sv0001");
    copyDataSet(fs::path(SystemDef.SysDir) / "0002", share / "sv0002");
    fs::create_directories(share / "sv0003");
    platform::folders::mapDrive('S', mount);
    const std::string mountPoint = mount.string();
    SetMountTableReader([mountPoint] {
        return std::vector<MountEntry>{{"/", "ext4", "/dev/sda1"}, {mountPoint, "nfs4", "nas:/export/kaikei"}};
    });

    auto* box = new TServerSentakuBox;
    box->DriveLetter = "S";
    box->PrepareShow(false);
    box->SelectRow(0);
    return box;
}

} // namespace vq
