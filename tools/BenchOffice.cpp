#include "tools/BenchOffice.h"

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef VQ_MAKE_SAMPLE_OFFICE
#error "VQ_MAKE_SAMPLE_OFFICE must name the make-sample-office program"
#endif

namespace fs = std::filesystem;

namespace vq::tools {

fs::path SampleBenchDataSet(const fs::path& root, long journals, TSystemDef& folders)
{
    fs::create_directories(root);
    ::setenv("VQ_ROOT", root.c_str(), 1);
    if (!InitSystemFolders(folders))
        throw std::runtime_error("cannot find the folders of " + root.string());
    const fs::path folder = fs::path(folders.SysDir) / "0001";
    if (fs::exists(folder / DataDbFileName))
        return folder;
    std::printf("making the sample office in %s with %ld further journal entries...\n", root.c_str(), journals);
    std::fflush(stdout);
    std::vector<std::string> args{root.string()};
    if (journals > 0) {
        args.push_back("--journals");
        args.push_back(std::to_string(journals));
    }
    const auto made = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, args);
    if (!made.succeeded())
        throw std::runtime_error("make-sample-office failed:\n" + made.standardError + made.standardOutput);
    return folder;
}

void UseStandAloneDataSet(const fs::path& dataFolder)
{
    ConnectMode = ConnectStandAlone;
    SystemDef.HostName.clear();
    SystemDef.DataDir = dataFolder.string();
    SystemDef.DbUser = DefaultDbUser;
    SystemDef.DbPassword = DefaultDbPassword;
}

} // namespace vq::tools
