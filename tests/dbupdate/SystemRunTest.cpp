// The update run in system mode from the system database of the first
// release to 5.0.0, the way the update dialog starts it: held for itself,
// backed up, the steps in order, the backup deleted. In every edition, on
// this computer's own file and through the database server.
#include <gtest/gtest.h>

#include <functional>

#include "DbUpdateRunFixture.h"
#include "ServerOfficeFixture.h"
#include "dbupdate/DbUpdateRun.h"
#include "dbupdate/DbVersionTest.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/SystemFolders.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

// Edition, installed sql folder and application information as the run of
// one edition sees them; put back afterwards.
class EditionScope {
public:
    EditionScope()
    {
        TSystemDef installed;
        InitSystemFolders(installed);
        SystemDef.SqlDir = installed.SqlDir;
    }
    ~EditionScope()
    {
        OemKind = oem_;
        AppInfo = info_;
    }
    EditionScope(const EditionScope&) = delete;
    EditionScope& operator=(const EditionScope&) = delete;

    // The distributor editions' code-system files carry their own tag.
    static void set(int edition)
    {
        OemKind = static_cast<std::uint8_t>(edition);
        AppInfo.OEM = edition == 0 ? "DRAXON" : "TellmarData";
        AppInfo.VerTest.clear();
    }

private:
    std::uint8_t oem_ = OemKind;
    TAppInfoRec info_ = AppInfo;
};

using Query = std::function<std::string(const std::string&)>;

// One run from the first release to 5.0.0 on the system database that
// scalar reads; the data set below the system folder keeps its letter case.
void runTo500(int edition, const fs::path& database, const Query& scalar,
              const std::function<void(const fs::path&)>& prepare, platform::ScriptedInteraction& seam)
{
    SCOPED_TRACE("edition " + std::to_string(edition));
    EditionScope::set(edition);
    fs::remove(database);
    buildBaseDatabase(SchemaKind::SystemBase, database, {"", edition, {}});
    prepare(database);
    const std::string folder = SystemDef.SysDir + "/Data/MixedCase0001";
    runSql(database, "INSERT INTO DATALIST (REC, PASNAME) VALUES (1, '" + folder + "');\n"
                     "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1000, 10, 1);\n");

    TDbVersionTest state;
    state.FSystemList.resize(10);   // 0.3.1 to 5.0.0
    state.SetupUpdateList(0, "0.3.0");
    ASSERT_EQ(state.FFirstIndex, 0);
    TDbUpdateRun run(state);
    EXPECT_EQ(run.Execute(), platform::ResultOk)
        << (seam.messages.empty() ? std::string() : seam.messages.back().text);
    EXPECT_TRUE(run.FUpdated);
    EXPECT_EQ(std::vector<std::string>(run.FRowStatus.size(), TDbUpdateRun::StatusText(UpdateDone)),
              run.FRowStatus);
    EXPECT_FALSE(fs::exists(run.FBackupFile));
    EXPECT_TRUE(seam.messages.empty());

    EXPECT_EQ(scalar("SELECT LIST(MAJOR||'.'||MINOR1||'.'||MINOR2, ' ') FROM "
                     "(SELECT MAJOR, MINOR1, MINOR2 FROM VERSION ORDER BY REC)"),
              "0.3.0 0.3.1 0.3.2 0.3.3 1.0.1 3.0.0 3.0.5 3.0.7 4.0.0 4.0.2 5.0.0");
    EXPECT_EQ(scalar("SELECT PASNAME FROM DATALIST WHERE REC=1"), folder);
    EXPECT_EQ(scalar("SELECT DATA_STATUS||'/'||YOBI1||'/'||DATACODE||'/'||UPDATE_LOCK FROM DATALIST WHERE REC=1"),
              "0///0");
    EXPECT_EQ(scalar("SELECT PAGENO FROM JOBCONTROL WHERE LEVELNO=1000"), "10");
    EXPECT_EQ(scalar("SELECT PAGENO FROM JOBCONTROL WHERE LEVELNO=1200 AND MENUNO=1 AND PAGENO>2"), "11");
    EXPECT_EQ(scalar("SELECT OPNAME||'/'||PASWORD FROM OPERATOR WHERE GROUPID=10000 AND OPCODE=1"),
              "システムユーザー/");
    EXPECT_EQ(scalar("SELECT COUNT(*)||' '||MAX(ORDERKBN) FROM DATAPLACEMAN"), "100 100");
    EXPECT_EQ(scalar("SELECT PATH FROM DATAPLACEMAN WHERE REC=0"), SystemDef.SysDir);
    EXPECT_EQ(scalar("SELECT STEXT FROM SYSREG WHERE OPCODE=100000002 AND SCODE='試算表集計出力区分'"),
              edition == 0 ? "0" : "1");
    EXPECT_EQ(scalar("SELECT NAME FROM USERCODE WHERE RECNO=1"), edition == 0 ? "" : "販売業");
}

std::string queryOne(const std::string& database, const std::string& user, const std::string& password,
                     const std::string& sql)
{
    db::Attachment a = db::attachDatabase({database, user, password});
    db::Transaction tr(a, db::kReadCommitted);
    tr.start();
    db::Statement q(a, tr, sql);
    q.execute();
    return q.fetch() ? q.field(std::size_t{0}).asString() : std::string("<none>");
}

class SystemRunTest : public DbUpdateRunFixture {};

class SystemRunOnServer : public ServerOfficeFixture {};

} // namespace

TEST_F(SystemRunTest, TheFirstReleaseReaches500OnThisComputersFile)
{
    EditionScope scope;
    const fs::path database = fs::path(SystemDef.SysDir) / SysDbFileName;
    for (const int edition : {0, 1, 2})
        runTo500(edition, database,
                 [&](const std::string& sql) { return queryOne(database.string(), "SYSDBA", "", sql); },
                 [](const fs::path&) {}, *seam_);
}

TEST_F(SystemRunOnServer, TheFirstReleaseReaches500ThroughTheServer)
{
    EditionScope scope;
    const fs::path database = fs::path(SystemDef.SysDir) / SysDbFileName;
    const auto declare = [&](const fs::path& file) {
        runSql(server_ + ":" + file.string(), readBytes(schemaDir() / "server" / "system-file-routines.sql"));
    };
    for (const int edition : {0, 1, 2})
        runTo500(edition, database,
                 [&](const std::string& sql) {
                     return queryOne(server_ + ":" + database.string(), SystemDef.DbUser, SystemDef.DbPassword, sql);
                 },
                 declare, *seam_);
}
