#include "tools/BenchOffice.h"

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "tools/BenchArgs.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
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

int RunDataSetBench(int argc, char** argv, const char* name, const std::function<void(BenchDataSet&)>& body)
{
    BenchArgs o;
    o.root = fs::temp_directory_path() / (std::string("vq-") + name);
    o.count = 5;
    if (!ParseBenchArgs(argc, argv, "--runs", o)) {
        std::fprintf(stderr, "usage: %s [DIR] [--journals N] [--runs N]\n", name);
        return 2;
    }
    try {
        const fs::path root = fs::absolute(o.root).lexically_normal();
        const fs::path folder = SampleBenchDataSet(root, o.journals, SystemDef);
        platform::ScopedScriptedInteraction seam;
        UseStandAloneDataSet(folder);
        BenchDataSet bench{root, folder, static_cast<int>(o.count), *seam};
        body(bench);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", name, e.what());
        return 1;
    }
}

} // namespace vq::tools
