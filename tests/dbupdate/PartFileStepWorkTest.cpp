// The steps whose statements come from the part files of the sql folder:
// data 7.0.0 to 9.0.5 and system 7.0.0 to 12.0.0. Every file they name is
// installed; which files a data set reads; a missing file stops the step;
// the work before and after the scripts on real databases; and the update
// run over all of them for every data kind and the system database.
#include "DbUpdateRunFixture.h"

#include <algorithm>
#include <fstream>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/DbVersionTest.h"
#include "dbupdate/steps/z5SystemDbUpdate700.h"
#include "dbupdate/steps/z5SystemDbUpdate704.h"
#include "dbupdate/steps/z5SystemDbUpdate802.h"
#include "dbupdate/steps/z5SystemDbUpdate904.h"
#include "dbupdate/steps/z5UserDbUpdate700.h"
#include "dbupdate/steps/z5UserDbUpdate704.h"
#include "dbupdate/steps/z5UserDbUpdate802.h"
#include "dbupdate/steps/z5UserDbUpdate803.h"
#include "dbupdate/steps/z5UserDbUpdate902.h"
#include "dbupdate/steps/z5UserDbUpdate904.h"
#include "dbupdate/steps/z5UserDbUpdate905.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/text/EasyEncoder.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

// The files each system step reads, in reading order (the data steps' are
// in data/part-files.txt).
struct StepFiles {
    std::uint8_t mode;
    const char* version;
    std::vector<std::string> files;
};

const std::vector<StepFiles>& stepFiles()
{
    static const std::vector<StepFiles> table = {
        {0, "7.0.0", {"sysup01.sql"}},
        {0, "7.0.4", {"sysup01.sql"}},
        {0, "8.0.0", {"sysup01.sql"}},
        {0, "8.0.2", {"sysup01.sql"}},
        {0, "9.0.4", {}},
        {0, "10.0.4", {"sysup01.sql"}},
        {0, "11.0.1", {"sysup01.sql", "sysup02.sql"}},
        {0, "12.0.0", {"sysup01.sql"}},
    };
    return table;
}

std::string versionText(const TDbUpdateListRec& rec)
{
    return std::to_string(rec.Major) + "." + std::to_string(rec.Minor1) + "." + std::to_string(rec.Minor2);
}

// The folder of a version's part files ("9.0.4" gives 904).
std::string digits(std::string version)
{
    version.erase(std::remove(version.begin(), version.end(), '.'), version.end());
    return version;
}

class PartFileStepWorkTest : public DbUpdateRunFixture {
protected:
    void SetUp() override
    {
        DbUpdateRunFixture::SetUp();
        savedOem_ = OemKind;
        savedInfo_ = AccInf;
        TSystemDef installed;
        InitSystemFolders(installed);
        installedSql_ = installed.SqlDir;
        SystemDef.SqlDir = installedSql_.string();
    }
    void TearDown() override
    {
        OemKind = savedOem_;
        AccInf = savedInfo_;
        DbUpdateRunFixture::TearDown();
    }

    // The data set becomes one of kind as the steps up to at leave it.
    void useData(const std::string& kind, const std::string& at, int edition = 0)
    {
        OemKind = static_cast<std::uint8_t>(edition);
        fs::remove(dataFile());
        buildBaseDatabase(SchemaKind::DataSetBase, dataFile(), {kind, edition, at});
        // What the data module reads of the open data set when it loads it.
        AccInf.DATATYPE = std::stoi(scalar("SELECT DATATYPE FROM ACCDEF1 WHERE REC=1"));
        AccInf.CODETYPE = std::stoi(scalar("SELECT CODETYPE FROM ACCDEF1 WHERE REC=1"));
        AccInf.IsIryou = AccInf.DATATYPE == 3 && AccInf.CODETYPE == 1 ? 1 : 0;
    }
    fs::path systemFile() const { return fs::path(SystemDef.SysDir) / SysDbFileName; }
    void useSystem(const std::string& at, int edition = 0)
    {
        OemKind = static_cast<std::uint8_t>(edition);
        fs::remove(systemFile());
        buildBaseDatabase(SchemaKind::SystemBase, systemFile(), {"", edition, at});
    }
    std::string systemScalar(const std::string& sql)
    {
        db::Attachment a = db::attachDatabase({systemFile().string(), "SYSDBA", ""});
        db::Transaction tr(a, db::kReadCommitted);
        tr.start();
        db::Statement q(a, tr, sql);
        q.execute();
        return q.fetch() ? q.field(std::size_t{0}).asString() : std::string("<none>");
    }
    std::string lastMessage()
    {
        return seam_->messages.empty() ? std::string() : seam_->messages.back().text;
    }

    // A copy of the installed sql folder in which each part file is only a
    // comment naming itself, so a script shows what it read.
    void useMarkedSqlFolder()
    {
        const fs::path marked = root_.path() / "marked-sql";
        fs::remove_all(marked);
        for (const auto& entry : fs::recursive_directory_iterator(installedSql_)) {
            if (entry.path().extension() != ".sql")
                continue;
            const fs::path copy = marked / fs::relative(entry.path(), installedSql_);
            fs::create_directories(copy.parent_path());
            std::ofstream(copy) << "/* " << entry.path().filename().string() << " */\r\n";
        }
        SystemDef.SqlDir = marked.string();
    }
    static std::vector<std::string> markers(const TUpdateScript& script)
    {
        std::vector<std::string> read;
        for (const auto& line : script.Lines())
            if (line.rfind("/* vqzup", 0) == 0 || line.rfind("/* sysup", 0) == 0)
                read.push_back(line.substr(3, line.size() - 6));
        return read;
    }

    std::uint8_t savedOem_ = 0;
    TACCINF savedInfo_;
    fs::path installedSql_;
};

} // namespace

TEST_F(PartFileStepWorkTest, EverySystemStepNamesItsFilesAndEveryFileIsInstalled)
{
    const auto list = SystemUpdateSteps();
    for (const auto& step : stepFiles()) {
        SCOPED_TRACE(step.version);
        const auto rec = std::find_if(list.begin(), list.end(),
                                      [&](const TDbUpdateListRec& r) { return versionText(r) == step.version; });
        ASSERT_NE(rec, list.end());
        EXPECT_TRUE(rec->UpdateProc != nullptr && !rec->Title.empty());
        for (const auto& name : step.files)
            EXPECT_TRUE(fs::is_regular_file(installedSql_ / digits(step.version) / name)) << name;
    }
    EXPECT_EQ(z5SystemDbUpdate904::Scheme().PartFiles, stepFiles()[4].files);
    EXPECT_EQ(z5SystemDbUpdate802::Scheme().PartFiles, stepFiles()[3].files);
}

TEST_F(PartFileStepWorkTest, TheDataKindAndTaxCode116ChooseTheFilesRead)
{
    useMarkedSqlFolder();
    struct Case {
        const char* kind;
        bool taxCode116;
        std::vector<std::string> read;
    } cases[] = {
        {"corporation", false, {"vqzup70201.sql", "vqzup70202.sql", "vqzup01.sql", "vqzup02.sql", "vqzup03.sql"}},
        {"corporation", true, {"vqzup01.sql", "vqzup02.sql", "vqzup03.sql"}},
        {"medical", false, {"vqzup70201.sql", "vqzup70202.sql", "vqzup01.sql", "vqzup02.sql", "vqzup04.sql"}},
        {"medical", true, {"vqzup01.sql", "vqzup02.sql", "vqzup04.sql"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + (c.taxCode116 ? " with 116" : ""));
        useData(c.kind, "7.0.3");
        if (c.taxCode116)
            runSql(dataFile(), "INSERT INTO TAXMST (TAX_CODE) VALUES (116);");
        const bool found = z5UserDbUpdate704::CountTaxCode116();
        EXPECT_EQ(found, c.taxCode116);
        TUpdateScript script;
        ASSERT_TRUE(script.Build(z5UserDbUpdate704::Scheme(found)));
        EXPECT_EQ(markers(script), c.read);
        // The version record comes first and is committed at once.
        EXPECT_EQ(script.Lines()[3], "SET NAMES SJIS_0208;");
        EXPECT_EQ(script.Lines()[4].rfind("UPDATE ACCVERSION SET MAJOR=7,MINOR1=0,MINOR2=4,MEMO='", 0), 0u);
        EXPECT_EQ(script.Lines()[6], "COMMIT;");
        EXPECT_EQ(script.Lines().back(), "EXIT;");
    }
}

TEST_F(PartFileStepWorkTest, AMissingFileEndsTheStepsWith18BeforeTheirWork)
{
    // The data steps' files are tried in data/part-files.txt; here the
    // system steps that used to pass over a missing file, and a data step
    // whose work before the script must not run then.
    struct Case {
        const char* kind;   // "" for the system database
        const char* at;
        const char* folder;
        const char* file;
        std::function<std::int32_t()> step;
    } cases[] = {
        {"corporation", "6.1.3", "700", "vqzup04.sql", z5UserDbUpdate700::DoUpdate},
        {"", "5.0.0", "700", "sysup01.sql", z5SystemDbUpdate700::DoUpdate},
        {"", "7.0.0", "704", "sysup01.sql", z5SystemDbUpdate704::DoUpdate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + "/" + c.file);
        useMarkedSqlFolder();
        fs::remove(fs::path(SystemDef.SqlDir) / c.folder / c.file);
        const bool system = std::string(c.kind).empty();
        if (system)
            useSystem(c.at);
        else
            useData(c.kind, c.at);
        const std::string versions = system ? systemScalar("SELECT COUNT(*) FROM VERSION") : version();
        EXPECT_EQ(c.step(), UpdateFileMissing);
        EXPECT_EQ(system ? systemScalar("SELECT COUNT(*) FROM VERSION") : version(), versions);
        EXPECT_FALSE(fs::exists(fs::path(SystemDef.WinTempDir) / "vqzdataup.sql"));
    }
}

TEST_F(PartFileStepWorkTest, TheDataPasswordMovesOnlyWhenItsEncodedFormGivesItBack)
{
    struct Case {
        const char* stored;
        const char* kept;   // the password the data set opens with afterwards
        bool encoded;
    } cases[] = {
        {" abc123　", "abc123", true},
        {"abcdefghij", "abcdefghij", false},   // longer than the encoding holds
        {"ab-12", "ab-12", false},             // outside its letters and digits
        {"　 ", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        useData("corporation", "6.1.3");
        runSql(dataFile(), std::string("DELETE FROM ACCREG WHERE ACODE LIKE 'データパスワード%';"
                                       "INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES "
                                       "('基本設定', 'データパスワード', '文字', '") + c.stored + "');");
        seam_->messages.clear();
        RunInStepDatabase(1, z5UserDbUpdate700::ConvertDataPassword);

        const std::string encoded =
            scalar("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='データパスワードV2'");
        const std::string old = scalar("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='データパスワード'");
        if (c.encoded) {
            TEasyEncodeInfo info;
            info.Key = EasyEncodeKey;
            info.TextLength = 8;
            info.EncodedText = encoded;
            EasyDecode(info);
            EXPECT_EQ(info.PlainText, c.kept);
            EXPECT_EQ(old, "<none>");
            EXPECT_TRUE(seam_->messages.empty());
        } else if (*c.kept) {
            EXPECT_EQ(encoded, "<none>");
            EXPECT_EQ(old, c.stored);
            ASSERT_EQ(seam_->messages.size(), 1u);
            EXPECT_NE(lastMessage().find("データパスワード"), std::string::npos);
        } else {
            EXPECT_EQ(encoded, "<none>");
            EXPECT_EQ(old, "<none>");
        }
        // After the update the data set opens with the same password.
        runSql(dataFile(), "UPDATE ACCVERSION SET MAJOR=14, MINOR1=0, MINOR2=0 WHERE REC=1;");
        ASSERT_TRUE(dm_.fnAccDatConnected({}, SystemDef.DataDir, 0));
        dm_.fnGetAccInfo();
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
        EXPECT_EQ(AccInf.DataPassword, c.kept);
    }
}

TEST_F(PartFileStepWorkTest, ProgramRightsKeepTheLevelTheyWereReadFrom)
{
    struct Case {
        const char* kind;
        std::int32_t level;
        std::vector<std::string> rows;   // LEVELNO PROC_ID PROC_OPTION, by PROC_ID
    } cases[] = {
        {"corporation", 200, {"200 QzHojinKessansyo ", "200 QzSiwake SyoriType=0", "200 QzUtiwake05 ",
                              "200 QzUtiwakeAll "}},
        {"medical", 1200, {"1200 QzMBHokukuKansa ", "1200 QzSiwake SyoriType=0", "1200 QzUtiwake05 ",
                           "1200 QzUtiwakeAll "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        useData(c.kind, "8.0.2");
        const std::string l = std::to_string(c.level);
        // Page 3 menu 8 is free in the general layout; another level is left alone.
        runSql(dataFile(), "DELETE FROM JOBCONTROL2;"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (1, " + l + ", 2, 0);"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (2, " + l + ", 3, " +
                               (c.level == 200 ? "0" : "4") + ");"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (3, " + l + ", 3, 8);"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (4, " + l + ", 4, 4);"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (5, " + l + ", 4, 19);"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (7, " + l + ", 4, 19);"
                           "INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (6, 300, 2, 1);");
        if (c.level == 1200)   // the medical layout has a program at page 3 menu 8
            runSql(dataFile(), "DELETE FROM JOBCONTROL WHERE REC=3;");
        RunInStepDatabase(1, z5UserDbUpdate802::AddJobControl2);
        EXPECT_EQ(scalar("SELECT LIST(R, '|') FROM (SELECT LEVELNO||' '||PROC_ID||' '||PROC_OPTION AS R "
                         "FROM JOBCONTROL2 ORDER BY PROC_ID)"),
                  [&] {
                      std::string all;
                      for (const auto& r : c.rows)
                          all += (all.empty() ? "" : "|") + r;
                      return all;
                  }());
    }
}

TEST_F(PartFileStepWorkTest, BudgetDefaultsFollowTheDataKindAndEdition)
{
    struct Case {
        const char* kind;
        int edition;
        const char* groups;   // KAMOKU_KOSEI_GROUP rows after 8.0.2, 8.0.3 and 9.0.2
        const char* rules;    // HALBRIN_YOJITU_HYOKARULE rows
    } cases[] = {
        {"corporation", 0, "12", "12"}, {"corporation", 1, "19", "12"}, {"individual", 0, "10", "10"},
        {"real-estate", 0, "3", "10"},  {"agriculture", 2, "7", "10"},  {"clinic", 1, "0", "10"},
        {"medical", 0, "0", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useData(c.kind, "9.0.2", c.edition);
        runSql(dataFile(), "DELETE FROM KAMOKU_KOSEI_GROUP; DELETE FROM HALBRIN_YOJITU_HYOKARULE;");
        RunInStepDatabase(1, [] {
            z5UserDbUpdate802::AddKamokuKoseiGroup();
            z5UserDbUpdate803::AddKamokuKoseiGroup();
            z5UserDbUpdate902::AddYojituHyokaRules();
        });
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP"), c.groups);
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM HALBRIN_YOJITU_HYOKARULE"), c.rules);
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP WHERE FHCODE<>' '"), "0");
    }
    EXPECT_EQ(scalar("SELECT FMEISHOU||' '||FBAD_RATE||' '||FBAD_HANI||' '||FGOOD_RATE||' '||FGOOD_HANI "
                     "FROM HALBRIN_YOJITU_HYOKARULE WHERE FGCODE='8280'"),
              "臨時損失 1.0500 1 0.9500 0");
}

TEST_F(PartFileStepWorkTest, SettlementPrintSwitchesComeFromTheOperatorForCorporateData)
{
    SystemDef.ZeroPrint = 1;
    SystemDef.SankakuPlus = 1;
    SystemDef.Reserve2 = 2;
    SystemDef.KessanHanbaihiKumiire = 1;
    SystemDef.KessanTegataSousai = 0;
    const std::string flags = "SELECT ZEROKAMOKUPRINT||ZEROPRINT||SONSHITUSANKAKU||SOTOWAKUKAHEN||"
                              "FUSAINOBUKAIPAGE||HANBAIHIKUMIIRE||TEGATASOSAI FROM KESSAN WHERE REC=1";
    for (const auto& [kind, expected] : {std::pair{"corporation", "1111010"}, std::pair{"individual", "0000000"},
                                         std::pair{"medical", "0101010"}}) {
        SCOPED_TRACE(kind);
        useData(kind, "9.0.4");
        runSql(dataFile(), "UPDATE OR INSERT INTO KESSAN (REC,ZEROKAMOKUPRINT,ZEROPRINT,SONSHITUSANKAKU,SOTOWAKUKAHEN,"
                           "FUSAINOBUKAIPAGE,HANBAIHIKUMIIRE,TEGATASOSAI) VALUES (1,0,1,0,1,0,1,0) MATCHING (REC);");
        RunInStepDatabase(1, z5UserDbUpdate904::CopyKessanPrintFlags);
        EXPECT_EQ(scalar(flags), expected);
    }
}

TEST_F(PartFileStepWorkTest, WorkAfterAScriptThatFailsGives19AndWritesNothing)
{
    // A sql folder whose 9.0.4 files hold only comments: KESSAN lacks the
    // switches the work copies.
    useMarkedSqlFolder();
    useData("corporation", "9.0.3");
    EXPECT_EQ(z5UserDbUpdate904::DoUpdate(), UpdatePostWorkFailed);
    EXPECT_EQ(version(), "9.0.4");   // the script itself ran

    // 9.0.5 clears DNUM only in the distributor editions.
    SystemDef.SqlDir = installedSql_.string();
    for (const int edition : {0, 1}) {
        useData("corporation", "9.0.4", edition);
        runSql(dataFile(), "INSERT INTO SIWAKE (REC, DNUM) VALUES (1, 7);");
        ASSERT_EQ(z5UserDbUpdate905::DoUpdate(), UpdateDone) << lastMessage();
        EXPECT_EQ(scalar("SELECT MAX(DNUM) FROM SIWAKE"), edition == 0 ? "7" : "0");
    }
}

TEST_F(PartFileStepWorkTest, TheSystemStepsConvertTheOfficeRowTheMenuRightsAndTheDictionarySwitches)
{
    useSystem("5.0.0");
    runSql(systemFile(),
           "UPDATE OR INSERT INTO SYSTEMINI (REC, RESERVE1, RESERVE2, SSTR) VALUES "
           "(10, 1, 63, 'NAME=山田会計' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'JYUSHO=東京都' || ASCII_CHAR(13) || "
           "ASCII_CHAR(10) || 'TEL=03-1234') MATCHING (REC);");
    RunInStepDatabase(0, z5SystemDbUpdate700::ConvertSysIni10);
    EXPECT_EQ(SystemDef.OfficeName, "山田会計");
    EXPECT_EQ(SystemDef.OfficeTel, "03-1234");
    EXPECT_EQ(SystemDef.OfficeReserve3, 1);
    EXPECT_EQ(systemScalar("SELECT RESERVE1||' '||RESERVE2||' '||RESERVE3||' '||RESERVE4||' '||"
                           "REPLACE(SSTR, ASCII_CHAR(13), '|') FROM SYSTEMINI WHERE REC=10"),
              "1 63 1 0 NAME=山田会計|JYUSHO=東京都|TEL=03-1234|");

    // Menu rights: the general and the medical layout, a free position passed over.
    useSystem("8.0.0");
    runSql(systemFile(), "DELETE FROM JOBCONTROL;"
                         "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (100, 1, 0);"
                         "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (100, 9, 19);"
                         "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1100, 1, 0);");
    ASSERT_EQ(z5SystemDbUpdate802::DoUpdate(), UpdateDone) << lastMessage();
    EXPECT_EQ(systemScalar("SELECT COUNT(*) FROM JOBCONTROL2"), "2");
    EXPECT_EQ(systemScalar("SELECT COUNT(*) FROM JOBCONTROL2 WHERE LEVELNO=1100"), "1");
    EXPECT_EQ(systemScalar("SELECT COUNT(*) FROM JOBCONTROL2 WHERE PROC_ID=''"), "0");

    // Dictionary switches of two operators.
    useSystem("8.0.2");
    runSql(systemFile(), "DELETE FROM SYSREG WHERE SCODE LIKE '摘要%' OR SCODE LIKE '取引先%';"
                         "UPDATE OR INSERT INTO SYSDEF (OPCODE, DICTEKAUTO, DICTORAUTO) VALUES (100001, 0, 2) "
                         "MATCHING (OPCODE);"
                         "UPDATE OR INSERT INTO SYSDEF (OPCODE, DICTEKAUTO, DICTORAUTO) VALUES (100002, 1, 0) "
                         "MATCHING (OPCODE);"
                         "INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100002, '取引先項目の入力区分', "
                         "'整数', '1');");
    RunInStepDatabase(0, z5SystemDbUpdate904::ConvertDicInputSettings);
    const auto row = [this](int opCode, const std::string& field) {
        std::string all;
        for (const std::string kind : {"辞書開く", "連想開く", "自動開く", "入力なし"})
            all += systemScalar("SELECT STEXT FROM SYSREG WHERE OPCODE=" + std::to_string(opCode) + " AND SCODE='" +
                                field + "＿" + kind + "区分'");
        return all;
    };
    EXPECT_EQ(row(100001, "摘要"), "1000");
    EXPECT_EQ(row(100001, "取引先"), "0110");
    EXPECT_EQ(row(100002, "摘要"), "1010");
    EXPECT_EQ(row(100002, "取引先"), "1001");
}

TEST_F(PartFileStepWorkTest, EveryDataKindRunsFrom613To905)
{
    struct Case {
        const char* kind;
        int edition;
    } cases[] = {{"corporation", 0}, {"individual", 0}, {"real-estate", 0}, {"clinic", 0},
                 {"agriculture", 0}, {"medical", 0},    {"corporation", 1}, {"individual", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useData(c.kind, "6.1.3", c.edition);
        runSql(dataFile(), "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES "
                           "('基本設定', 'データパスワード', '文字', 'pw42') MATCHING (AGROUP, ACODE);");
        TDbVersionTest state;
        TArrayDbUpdateListRec list = DataUpdateSteps();
        list.resize(49);   // up to 9.0.5
        ASSERT_EQ(versionText(list.back()), "9.0.5");
        state.FDataList = std::move(list);
        state.SetupUpdateList(1, "6.1.3");
        TDbUpdateRun run(state);
        EXPECT_EQ(run.Execute(), platform::ResultOk) << lastMessage();
        EXPECT_EQ(std::vector<std::string>(run.FRowStatus.size(), TDbUpdateRun::StatusText(UpdateDone)),
                  run.FRowStatus);
        EXPECT_EQ(version(), "9.0.5");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM ACCREG WHERE ACODE='データパスワードV2'"), "1");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM HALBRIN_YOJITU_HYOKARULE"),
                  std::string(c.kind) == "individual" || std::string(c.kind) == "real-estate" ||
                          std::string(c.kind) == "clinic" || std::string(c.kind) == "agriculture"
                      ? "10"
                      : "12");
    }
}

TEST_F(PartFileStepWorkTest, TheSystemDatabaseRunsFrom500To1200InEveryEdition)
{
    for (const int edition : {0, 1}) {
        SCOPED_TRACE("edition " + std::to_string(edition));
        useSystem("5.0.0", edition);
        runSql(systemFile(), "DELETE FROM GENGO WHERE GSIGN='R';"
                             "INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (100, 1, 1);");
        GengoTable.clear();
        TDbVersionTest state;
        state.SetupUpdateList(0, "5.0.0");
        TDbUpdateRun run(state);
        EXPECT_EQ(run.Execute(), platform::ResultOk) << lastMessage();
        EXPECT_EQ(std::vector<std::string>(run.FRowStatus.size(), TDbUpdateRun::StatusText(UpdateDone)),
                  run.FRowStatus);
        EXPECT_EQ(systemScalar("SELECT LIST(MAJOR||'.'||MINOR1||'.'||MINOR2, ' ') FROM (SELECT * FROM VERSION "
                               "WHERE MAJOR>=7 ORDER BY REC)"),
                  "7.0.0 7.0.4 8.0.0 8.0.2 9.0.4 10.0.4 11.0.1 12.0.0");
        EXPECT_EQ(systemScalar("SELECT COUNT(*) FROM JOBCONTROL2 WHERE LEVELNO=100"), "1");
        EXPECT_EQ(systemScalar("SELECT COUNT(READ_ONLY) + COUNT(CLOUD) FROM DATALIST"),
                  systemScalar("SELECT 2 * COUNT(*) FROM DATALIST"));
        // The long MEMO of the newest steps.
        EXPECT_NE(systemScalar("SELECT MEMO FROM VERSION WHERE MAJOR=12").find(",TESTPC"), std::string::npos);
        // The era table read again after 11.0.1 holds the new era.
        ASSERT_FALSE(GengoTable.empty());
        EXPECT_EQ(GengoTable.front().GNAME, "令和");
    }
}
