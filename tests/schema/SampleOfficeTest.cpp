// tools/make-sample-office builds an office whose data sets open at data
// version 14.0.0 and carry balanced, non-zero trial balances.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "TempDir.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/Process.h"
#include "platform/RegistryStore.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#ifndef VQ_MAKE_SAMPLE_OFFICE
#error "VQ_MAKE_SAMPLE_OFFICE must name the make-sample-office program"
#endif

using namespace vq;
namespace fs = std::filesystem;

namespace {

struct Totals {
    db::Currency assets = 0, liabilities = 0, profit = 0, movement = 0;
};

// The settlement balance of a data set, summed the way the statement reads
// it: balance-sheet lines by side, the profit-and-loss lines as profit.
Totals settlementTotals(db::Attachment& a, int tax)
{
    db::Transaction tr(a, db::kSnapshot);
    tr.start();
    db::Statement st(a, tr, "SELECT * FROM SP_SISANHYO_KESSAN(:TAX, -1)");
    st.param("TAX").setInt(tax);
    st.execute();
    Totals t;
    while (st.fetch()) {
        const int side = st.field("TAISHAKU").asInt();
        const bool debitNature = side == 1 || side == 4;
        db::Currency net = 0;
        for (int p = 1; p <= 16; ++p) {
            char kar[8], kas[8];
            std::snprintf(kar, sizeof kar, "KAR%02d", p);
            std::snprintf(kas, sizeof kas, "KAS%02d", p);
            net += st.field(kar).asCurrency() - st.field(kas).asCurrency();
            t.movement += st.field(kar).asCurrency();
        }
        const db::Currency closing = st.field("KAISIZAN").asCurrency() + (debitNature ? net : -net);
        const std::string group = st.field("GROUPM1").asString();
        const db::Currency own = debitNature ? closing : -closing;  // debit minus credit
        if (group < "2000")
            t.assets += own;
        else if (group < "4000")
            t.liabilities -= own;
        else
            t.profit -= own;
    }
    tr.commit();
    return t;
}

} // namespace

TEST(SampleOffice, BuildsAnOfficeWithThreeDataSetsOfVersion14)
{
    test::TempDir dir;
    const fs::path root = dir / "office";
    auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {root.string()});
    ASSERT_TRUE(run.succeeded()) << run.standardError;

    // The office is where the programs look for it with VQ_ROOT at its root.
    const char* previousRoot = std::getenv("VQ_ROOT");
    const std::string restoreRoot = previousRoot ? previousRoot : "";
    ::setenv("VQ_ROOT", root.c_str(), 1);
    TSystemDef def;
    InitSystemFolders(def);
    const fs::path registryFile = platform::folders::registryFile();
    if (previousRoot)
        ::setenv("VQ_ROOT", restoreRoot.c_str(), 1);
    else
        ::unsetenv("VQ_ROOT");
    const fs::path dataRoot = def.DataRootDir;
    const fs::path dataFolder = def.SysDir;
    EXPECT_TRUE(fs::is_directory(dataRoot / "ini"));
    EXPECT_TRUE(fs::is_directory(dataRoot / "log"));
    platform::IniFile local(def.IniFileName);
    EXPECT_EQ(local.readString("LOCAL", "SYSDIR"), dataFolder.string());
    EXPECT_EQ(local.readString("APPLICATION", "CONNECT"), "0");
    platform::RegistryStore registry(registryFile);
    EXPECT_EQ(registry.readString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version").value_or(""), "14.0.0");
    EXPECT_FALSE(registry.readString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product").value_or("").empty());

    db::Attachment sys;
    sys.attach({(dataFolder / "vqaccdef.fdb").string(), "SYSDBA", ""});
    {
        db::Transaction tr(sys);
        tr.start();
        db::Statement ops(sys, tr, "SELECT COUNT(*) FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE >= 10");
        ops.execute();
        ASSERT_TRUE(ops.fetch());
        EXPECT_GE(ops.field(std::size_t{0}).asInt(), 1);

        db::Statement list(sys, tr,
                           "SELECT REC, PASNAME, DATATYPE, CODETYPE, VER_MAJOR, VER_MINOR1, VER_MINOR2 FROM DATALIST "
                           "WHERE GROUPID = 10000 AND ENTTEXT <> '' ORDER BY REC");
        list.execute();
        std::vector<int> codeTypes;
        std::vector<int> dataTypes;
        while (list.fetch()) {
            SCOPED_TRACE(list.field("PASNAME").asString());
            dataTypes.push_back(list.field("DATATYPE").asInt());
            EXPECT_EQ(list.field("VER_MAJOR").asInt() * 100 + list.field("VER_MINOR1").asInt() * 10 +
                          list.field("VER_MINOR2").asInt(),
                      1400);
            EXPECT_TRUE(fs::exists(fs::path(list.field("PASNAME").asString()) / "vqacc.fdb"));
            EXPECT_TRUE(fs::exists(fs::path(list.field("PASNAME").asString()) / "vqacc.ini"));
            codeTypes.push_back(list.field("CODETYPE").asInt());
        }
        // Three individuals, the medical corporation (statement kind 1) and
        // the bakery whose statement was entered by hand.
        EXPECT_EQ(dataTypes, (std::vector<int>{2, 2, 2, 3, 2}));
        EXPECT_EQ(codeTypes, (std::vector<int>{1, 2, 4, 1, 1}));
    }

    for (const char* folder : {"0001", "0002", "0003", "0005"}) {
        SCOPED_TRACE(folder);
        db::Attachment data;
        data.attach({(dataFolder / folder / "vqacc.fdb").string(), "SYSDBA", ""});
        {
            db::Transaction tr(data);
            tr.start();
            db::Statement version(data, tr, "SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC = 1");
            version.execute();
            ASSERT_TRUE(version.fetch());
            EXPECT_EQ(version.field("MAJOR").asInt(), 14);
            EXPECT_EQ(version.field("MINOR1").asInt() + version.field("MINOR2").asInt(), 0);
        }
        for (int tax : {0, 1}) {
            SCOPED_TRACE(tax);
            const Totals t = settlementTotals(data, tax);
            EXPECT_GT(t.movement, 0);
            EXPECT_GT(t.assets, 0);
            EXPECT_GT(t.profit, 0);
            // The balance sheet closes: assets = liabilities, capital and the profit.
            EXPECT_EQ(t.assets - t.liabilities, t.profit);
        }
    }

    // A second run into the same folder touches nothing.
    sys.detach();
    const auto before = fs::last_write_time(dataFolder / "vqaccdef.fdb");
    const std::string settings = test::readBytes(def.IniFileName);
    auto again = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {root.string()});
    EXPECT_FALSE(again.succeeded());
    EXPECT_EQ(fs::last_write_time(dataFolder / "vqaccdef.fdb"), before);
    EXPECT_EQ(test::readBytes(def.IniFileName), settings);
}

namespace {

// make-sample-office started in the background, with its own temporary and
// runtime folders so that anything it leaves in them shows.
pid_t startInBackground(const std::vector<std::string>& args, const fs::path& tmp, const fs::path& runtime)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("TMPDIR", tmp.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::unsetenv("FIREBIRD");
        std::vector<char*> argv{const_cast<char*>(VQ_MAKE_SAMPLE_OFFICE)};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::execv(VQ_MAKE_SAMPLE_OFFICE, argv.data());
        ::_exit(127);
    }
    return pid;
}

// Processes whose command line names the office: the tool's children.
int processesNaming(const fs::path& root)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (cmdline.find(root.string()) != std::string::npos)
            ++count;
    }
    return count;
}

std::vector<fs::path> filesUnder(const fs::path& dir)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (!entry.is_directory())
            files.push_back(entry.path());
    return files;
}

} // namespace

// Killed in the middle, the tool leaves its half-made databases and scratch
// files in the office's build folder only, its children end with it, and a
// second run finishes the office.
TEST(SampleOffice, KilledRunLeavesOnlyItsBuildFolderAndARerunFinishes)
{
    test::TempDir dir;
    const fs::path root = dir / "事務所";
    const fs::path tmp = dir / "tmp";
    const fs::path runtime = dir / "run";
    fs::create_directories(tmp);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    const fs::path data = root / "common" / "draxon" / "zeverivurev" / "data";
    const fs::path build = root / "make-sample-office.build";

    // Killed once the second data set is being made.
    const pid_t tool = startInBackground({root.string(), "--journals", "2000"}, tmp, runtime);
    ASSERT_GT(tool, 0);
    bool reached = false;
    // Generous: the whole suite may be running beside it.
    for (int i = 0; i < 6000 && !reached; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        reached = fs::exists(data / "0001" / "vqacc.fdb") && fs::exists(build / "dataset-0002.sql");
    }
    ::kill(tool, SIGKILL);
    ::waitpid(tool, nullptr, 0);
    ASSERT_TRUE(reached) << "the first data set never appeared";

    int left = processesNaming(root);
    for (int i = 0; i < 100 && left > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        left = processesNaming(root);
    }
    EXPECT_EQ(left, 0) << "children of the killed tool still run";
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(fs::exists(data / "vqaccdef.fdb"));
    EXPECT_FALSE(fs::exists(data / "0002" / "vqacc.fdb"));
    EXPECT_FALSE(fs::exists(data / "0003" / "vqacc.fdb"));
    for (const auto& file : filesUnder(data))
        EXPECT_EQ(file.filename().string().find(".building"), std::string::npos) << file;
    EXPECT_TRUE(filesUnder(tmp).empty()) << ::testing::PrintToString(filesUnder(tmp));

    // The rerun keeps the finished data set and makes the rest.
    const auto kept = fs::last_write_time(data / "0001" / "vqacc.fdb");
    const pid_t rerun = startInBackground({root.string(), "--journals", "2000"}, tmp, runtime);
    int status = 0;
    ::waitpid(rerun, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::exists(data / "vqaccdef.fdb"));
    EXPECT_TRUE(fs::exists(root / ".complete"));   // what scripts/run looks for
    EXPECT_FALSE(fs::exists(build));
    EXPECT_EQ(fs::last_write_time(data / "0001" / "vqacc.fdb"), kept);
    for (const char* folder : {"0001", "0002", "0003"}) {
        SCOPED_TRACE(folder);
        platform::IniFile info(data / folder / "vqacc.ini");
        EXPECT_GT(info.readInteger("DATAINFO", "SIWAKE", 0), 2000);
        db::Attachment a;
        a.attach({(data / folder / "vqacc.fdb").string(), "SYSDBA", ""});
        db::Transaction tr(a);
        tr.start();
        db::Statement q(a, tr, "SELECT COUNT(*) FROM SIWAKE");
        q.execute();
        ASSERT_TRUE(q.fetch());
        EXPECT_EQ(q.field(std::size_t{0}).asInt(), 2 * info.readInteger("DATAINFO", "SIWAKE", 0));
    }
    EXPECT_TRUE(filesUnder(tmp).empty()) << ::testing::PrintToString(filesUnder(tmp));
}

TEST(SampleOffice, JournalsBeyondWhatTheDiskHoldsAreRefused)
{
    // A disk too small for the largest office: the temporary folder's, or
    // else the shared-memory one, which is often smaller.
    constexpr double kLargest = 10000000.0 * 3 * 2048;
    auto freeBytes = [](const fs::path& p) {
        struct statvfs fsInfo {};
        if (::statvfs(p.c_str(), &fsInfo) != 0)
            return kLargest * 2;
        return static_cast<double>(fsInfo.f_bavail) * static_cast<double>(fsInfo.f_frsize);
    };
    test::TempDir dir;
    fs::path office = dir / "office";
    if (freeBytes(dir.path()) > kLargest) {
        if (!fs::is_directory("/dev/shm") || freeBytes("/dev/shm") > kLargest)
            GTEST_SKIP() << "every disk at hand would hold the largest office";
        office = fs::path("/dev/shm") / ("vq-office-" + std::to_string(::getpid()));
    }
    auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {office.string(), "--journals", "10000000"});
    EXPECT_FALSE(run.succeeded());
    EXPECT_NE(run.standardError.find("this machine holds at most --journals"), std::string::npos) << run.standardError;
    EXPECT_FALSE(fs::exists(office / "make-sample-office.build"));
    auto beyond = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {office.string(), "--journals", "10000001"});
    EXPECT_FALSE(beyond.succeeded());
    EXPECT_NE(beyond.standardError.find("--journals takes a whole number"), std::string::npos) << beyond.standardError;
    if (office.parent_path() == "/dev/shm")
        fs::remove_all(office);
}
