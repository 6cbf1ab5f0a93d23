// The system steps 0.3.1 to 5.0.0 run by the real isql on the system
// database at its first release, in every edition and connection mode; the
// office's own operator 1 kept by the system-user steps; the names of the
// data places by the length of the system-database folder.
#include <gtest/gtest.h>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/z5SystemDbUpdate500.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

class SystemStepsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        savedOem_ = OemKind;
        SystemDef.SysDir = (root_.path() / "sys").string();
        SystemDef.WinTempDir = SystemDef.TempDir = (root_.path() / "tmp").string();
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.HostName.clear();
        SystemDef.GoGlobal = 0;
        SystemDef.DbUser = "VORLEN";
        SystemDef.DbPassword = "secret-pw";
        SystemDef.ComputerName = "TESTPC";
        for (const auto& dir : {SystemDef.SysDir, SystemDef.WinTempDir, SystemDef.LogDir})
            fs::create_directories(dir);
    }
    void TearDown() override
    {
        SystemDef = saved_;
        ConnectMode = savedMode_;
        OemKind = savedOem_;
    }

    fs::path database() const { return fs::path(SystemDef.SysDir) / SysDbFileName; }

    void buildBase(int edition)
    {
        fs::remove(database());
        buildBaseDatabase(SchemaKind::SystemBase, database(), {"", edition});
    }

    // Runs the system steps up to last in order; the versions of the steps
    // that did not give 1.
    std::string runUpTo(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
    {
        std::string failed;
        for (const auto& step : SystemUpdateSteps()) {
            if (IsNewerStep(step.Major, step.Minor1, step.Minor2, major, minor1, minor2))
                break;
            const std::int32_t result = step.UpdateProc ? step.UpdateProc() : -1;
            if (result != 1)
                failed += std::to_string(step.Major) + "." + std::to_string(step.Minor1) + "." +
                          std::to_string(step.Minor2) + "=" + std::to_string(result) + " ";
        }
        return failed;
    }

    std::string scalar(const std::string& sql)
    {
        db::Attachment a = db::attachDatabase({database().string(), "SYSDBA", ""});
        db::Transaction tr(a, db::kReadCommitted);
        tr.start();
        db::Statement q(a, tr, sql);
        q.execute();
        return q.fetch() ? q.field(std::size_t{0}).asString() : std::string("<none>");
    }

    TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0, savedOem_ = 0;
};

} // namespace

TEST_F(SystemStepsTest, TheFirstReleaseReaches500InEveryEditionAndMode)
{
    for (const int edition : {0, 1, 2}) {
        for (const std::uint8_t mode : {ConnectStandAlone, ConnectClientServer}) {
            SCOPED_TRACE("edition " + std::to_string(edition) + " mode " + std::to_string(mode));
            OemKind = static_cast<std::uint8_t>(edition);
            ConnectMode = mode;
            buildBase(edition);
            const std::string folder = SystemDef.SysDir + "/Data/0001";
            runSql(database(), "INSERT INTO DATALIST (REC, PASNAME) VALUES (1, '" + folder + "');\n"
                               "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1000, 10, 1);\n");

            EXPECT_EQ(runUpTo(5, 0, 0), "");
            EXPECT_EQ(scalar("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM VERSION "
                             "WHERE REC=(SELECT MAX(REC) FROM VERSION)"),
                      "5.0.0");
            EXPECT_EQ(scalar("SELECT COUNT(*) FROM VERSION"), "11");
            // The folder keeps its letter case in client/server mode too.
            EXPECT_EQ(scalar("SELECT PASNAME FROM DATALIST WHERE REC=1"), folder);
            // The data selection reads these columns in every edition.
            EXPECT_EQ(scalar("SELECT DATA_STATUS||'/'||YOBI1||'/'||DATACODE FROM DATALIST WHERE REC=1"), "0//");
            EXPECT_EQ(scalar("SELECT COUNT(DATA_STATUS) FROM CHILD_SERVERDATALIST"), "0");
            // Pages of the medical levels rotate; level 1000 is left alone.
            EXPECT_EQ(scalar("SELECT PAGENO FROM JOBCONTROL WHERE LEVELNO=1200 AND MENUNO=1 AND PAGENO>2"), "11");
            EXPECT_EQ(scalar("SELECT PAGENO FROM JOBCONTROL WHERE LEVELNO=1000"), "10");
            EXPECT_EQ(scalar("SELECT OPNAME||'/'||PASWORD FROM OPERATOR WHERE GROUPID=10000 AND OPCODE=1"),
                      "システムユーザー/");
            EXPECT_EQ(scalar("SELECT COUNT(*) FROM USERCODE WHERE RECNO BETWEEN 11 AND 20"), "10");
            EXPECT_EQ(scalar("SELECT COUNT(*) FROM GENGO"), "4");
            EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATAPLACEMAN"), "100");
            EXPECT_EQ(scalar("SELECT ORDERKBN||' '||PATH FROM DATAPLACEMAN WHERE REC=99"),
                      "100 " + SystemDef.SysDir + "99");
            EXPECT_EQ(scalar("SELECT STEXT FROM SYSREG WHERE OPCODE=100000002 AND SCODE='試算表集計出力区分'"),
                      edition == 0 ? "0" : "1");
            // The slot procedure of the standard place numbers after the list's last row.
            EXPECT_EQ(scalar("SELECT MAX(PATHNAME) FROM SP_DATALIST_INSERT(0, '/srv/data', 3)"), "/srv/data/0003");
        }
    }
}

TEST_F(SystemStepsTest, AnOfficesOwnOperatorOneIsKeptWithItsPassword)
{
    buildBase(0);
    runSql(database(), "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS, JIMUSHO, "
                       "OKINIIRI, KANSA) VALUES (10000, 1, '見本　所長', 9, 'boss', '', 1, 0, 0);\n");
    EXPECT_EQ(runUpTo(0, 3, 3), "");
    EXPECT_EQ(scalar("SELECT OPNAME||'/'||PASWORD||'/'||JIMUSHO FROM OPERATOR WHERE GROUPID=10000 AND OPCODE=1"),
              "見本　所長/boss/1");
    EXPECT_EQ(scalar("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM VERSION WHERE REC=(SELECT MAX(REC) FROM VERSION)"),
              "0.3.3");
}

TEST_F(SystemStepsTest, TheStandardPlaceIsNamedAfterAFolderOfAtMost40Bytes)
{
    const std::string forty = "/srv/" + std::string(35, 'a');
    const std::string wide = "/srv/事務所/" + std::string(26, 'b');   // 5 + 6 + 1 + 26 = 38 bytes
    struct Case {
        std::string folder, name;
    } cases[] = {
        {forty, forty},
        {forty + "a", "標準の場所"},
        {wide + "bb", wide + "bb"},
        {wide + "bbb", "標準の場所"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        SystemDef.SysDir = c.folder;
        TUpdateScript script;
        z5SystemDbUpdate500::AddDataPlaceRows(script);
        ASSERT_EQ(script.Lines().size(), 101u);
        EXPECT_EQ(script.Lines()[0],
                  "INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(00,01,'" + c.name + "','" + c.folder + "');");
        EXPECT_EQ(script.Lines()[99],
                  "INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(99,100,'','" + c.folder + "99');");
    }
}
