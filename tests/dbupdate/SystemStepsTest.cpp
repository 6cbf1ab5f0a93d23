// The system steps 0.3.1 to 5.0.0 run by the real isql on the system
// database at its first release, in every edition and connection mode; the
// office's own operator 1 kept by the system-user steps; the names of the
// data places by the length of the system-database folder; the code systems
// of the distributor editions, read from the sql folder of the build tree.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "DbUpdateRunFixture.h"
#include "SchemaDatabase.h"
#include "TempDir.h"
#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/z5SystemDbUpdate500.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/data/DataModule.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
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
        savedInfo_ = AppInfo;
        // The step reads the files the build installed beside the programs.
        TSystemDef installed;
        InitSystemFolders(installed);
        SystemDef.SqlDir = installed.SqlDir;
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
        AppInfo = savedInfo_;
    }

    // The distributor editions' own tag, which their code-system files carry.
    void setEdition(int edition)
    {
        OemKind = static_cast<std::uint8_t>(edition);
        AppInfo.OEM = edition == 0 ? "DRAXON" : "TellmarData";
        AppInfo.VerTest.clear();
    }

    fs::path database() const { return fs::path(SystemDef.SysDir) / SysDbFileName; }

    void buildBase(int edition)
    {
        fs::remove(database());
        buildBaseDatabase(SchemaKind::SystemBase, database(), {"", edition, {}});
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

    // A USERCODE row: "NAME/DATATYPE/CODETYPE", and its INIDAT1 and INIDAT2 lines.
    struct CodeRow {
        std::string head;
        std::vector<std::string> inidat1, inidat2;
    };
    CodeRow codeRow(std::int32_t recNo)
    {
        db::Attachment a = db::attachDatabase({database().string(), "SYSDBA", ""});
        db::Transaction tr(a, db::kReadCommitted);
        tr.start();
        db::Statement q(a, tr,
                        "SELECT COALESCE(NAME,'')||'/'||COALESCE(DATATYPE,0)||'/'||COALESCE(CODETYPE,0),"
                        "INIDAT1,INIDAT2 FROM USERCODE WHERE RECNO=" + std::to_string(recNo));
        q.execute();
        if (!q.fetch())
            return {"<none>", {}, {}};
        return {q.field(std::size_t{0}).asString(), q.field(std::size_t{1}).asLines(),
                q.field(std::size_t{2}).asLines()};
    }

    ScopedRoot vqRoot_;
    TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TDM dm_;
    TSystemDef saved_;
    TAppInfoRec savedInfo_;
    std::uint8_t savedMode_ = 0, savedOem_ = 0;
};

// The lines of an installed code-system file whose kind is k ("1", "2").
std::vector<std::string> linesOfKind(const fs::path& file, const std::string& kind)
{
    std::vector<std::string> lines;
    for (const auto& line : SplitLines(platform::cp932::readFile(file)))
        if (line.rfind(kind + ",", 0) == 0)
            lines.push_back(line);
    return lines;
}

} // namespace

TEST_F(SystemStepsTest, TheFirstReleaseReaches500InEveryEditionAndMode)
{
    for (const int edition : {0, 1, 2}) {
        for (const std::uint8_t mode : {ConnectStandAlone, ConnectClientServer}) {
            SCOPED_TRACE("edition " + std::to_string(edition) + " mode " + std::to_string(mode));
            setEdition(edition);
            ConnectMode = mode;
            buildBase(edition);
            const std::string folder = SystemDef.SysDir + "/Data/0001";
            runSql(database(), "INSERT INTO DATALIST (REC, PASNAME) VALUES (1, '" + folder + "');\n"
                               "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1000, 10, 1);\n");

            EXPECT_EQ(runUpTo(4, 0, 2), "");
            if (mode == ConnectClientServer && edition != 0) {
                // No server here: the data module holds the file as this
                // computer's own, and the code systems go through it.
                TDM::PrepareConnection(dm_.IBDatabaseDEF, database().string());
                dm_.IBDatabaseDEF.connect();
            }
            EXPECT_EQ(z5SystemDbUpdate500::DoUpdate(), UpdateDone);
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

            // The distributor editions load one code system per industry;
            // row 7 has none, and the maker's edition loads none at all.
            const std::map<std::int32_t, std::string> heads = {
                {1, "販売業/1/1"}, {2, "製造業/1/1"},          {3, "建設業/1/1"},
                {4, "運送業/1/1"}, {5, "病院/3/1"},            {6, "その他/1/1"},
                {8, "個人　一般/2/1"}, {9, "個人　不動産/2/2"}, {10, "個人　医業/2/3"},
            };
            const auto files = z5SystemDbUpdate500::CodeSystemFiles();
            ASSERT_EQ(files.size(), heads.size());
            for (const auto& f : files) {
                SCOPED_TRACE(f.File.string());
                const CodeRow row = codeRow(f.RecNo);
                if (edition == 0) {
                    EXPECT_EQ(row.head, "/0/0");
                    continue;
                }
                EXPECT_EQ(row.head, heads.at(f.RecNo));
                EXPECT_EQ(row.inidat1, linesOfKind(f.File, "1"));
                EXPECT_EQ(row.inidat2, linesOfKind(f.File, "2"));
                EXPECT_GT(row.inidat2.size(), 20u);
            }
            EXPECT_EQ(codeRow(7).head, "/0/0");
            EXPECT_FALSE(dm_.IBDatabaseDEF.connected());
        }
    }
}

TEST_F(SystemStepsTest, AMissingCodeSystemFileStopsTheStepBeforeAnythingChanges)
{
    setEdition(1);
    buildBase(1);
    ASSERT_EQ(runUpTo(4, 0, 2), "");
    const DatabaseState before = databaseState(database());

    const fs::path installed = SystemDef.SqlDir;
    const std::string victim = z5SystemDbUpdate500::CodeSystemFiles().back().File.filename().string();
    struct Case {
        std::string what;
        std::function<void(const fs::path& file)> spoil;
    } cases[] = {
        {"removed", [](const fs::path& file) { fs::remove(file); }},
        {"a folder in its place", [](const fs::path& file) {
             fs::remove(file);
             fs::create_directory(file);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path copy = root_.path() / "sql";
        fs::remove_all(copy);
        fs::create_directories(copy);
        fs::copy(installed / "500", copy / "500", fs::copy_options::recursive);
        c.spoil(copy / "500" / victim);
        SystemDef.SqlDir = copy.string();

        EXPECT_EQ(z5SystemDbUpdate500::DoUpdate(), UpdateFileMissing);
        EXPECT_EQ(difference(before, databaseState(database())), "");
        EXPECT_FALSE(dm_.IBDatabaseDEF.connected());
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
