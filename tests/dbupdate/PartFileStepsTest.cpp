// The data steps whose statements come from part files (3.0.0 to 6.1.3 and
// 10.0.0 to 14.0.0): the files each names (tests/dbupdate/data), installed
// by the build and read by data kind and edition; a missing file ending
// every step with 18; the work each does on the data set before its script;
// the MEMO forms; the 14.0.0 patch; and runs of the real steps by isql over
// data sets of every kind standing in for 2.0.4 and 9.0.5.
#include "DbUpdateRunFixture.h"

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <tuple>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/PartFileStep.h"
#include "dbupdate/steps/z5UserDbUpdate1000.h"
#include "dbupdate/steps/z5UserDbUpdate1001.h"
#include "dbupdate/steps/z5UserDbUpdate1003.h"
#include "dbupdate/steps/z5UserDbUpdate1004.h"
#include "dbupdate/steps/z5UserDbUpdate1005.h"
#include "dbupdate/steps/z5UserDbUpdate1100.h"
#include "dbupdate/steps/z5UserDbUpdate1101.h"
#include "dbupdate/steps/z5UserDbUpdate1110.h"
#include "dbupdate/steps/z5UserDbUpdate1200.h"
#include "dbupdate/steps/z5UserDbUpdate1300.h"
#include "dbupdate/steps/z5UserDbUpdate1303.h"
#include "dbupdate/steps/z5UserDbUpdate1400.h"
#include "dbupdate/steps/z5UserDbUpdate300.h"
#include "dbupdate/steps/z5UserDbUpdate301.h"
#include "dbupdate/steps/z5UserDbUpdate303.h"
#include "dbupdate/steps/z5UserDbUpdate304.h"
#include "dbupdate/steps/z5UserDbUpdate306.h"
#include "dbupdate/steps/z5UserDbUpdate307.h"
#include "dbupdate/steps/z5UserDbUpdate400.h"
#include "dbupdate/steps/z5UserDbUpdate402.h"
#include "dbupdate/steps/z5UserDbUpdate500.h"
#include "dbupdate/steps/z5UserDbUpdate502.h"
#include "dbupdate/steps/z5UserDbUpdate505.h"
#include "dbupdate/steps/z5UserDbUpdate600.h"
#include "dbupdate/steps/z5UserDbUpdate610.h"
#include "dbupdate/steps/z5UserDbUpdate613.h"
#include "dbupdate/steps/z5UserDbUpdate700.h"
#include "dbupdate/steps/z5UserDbUpdate702.h"
#include "dbupdate/steps/z5UserDbUpdate703.h"
#include "dbupdate/steps/z5UserDbUpdate704.h"
#include "dbupdate/steps/z5UserDbUpdate800.h"
#include "dbupdate/steps/z5UserDbUpdate802.h"
#include "dbupdate/steps/z5UserDbUpdate803.h"
#include "dbupdate/steps/z5UserDbUpdate900.h"
#include "dbupdate/steps/z5UserDbUpdate901.h"
#include "dbupdate/steps/z5UserDbUpdate902.h"
#include "dbupdate/steps/z5UserDbUpdate903.h"
#include "dbupdate/steps/z5UserDbUpdate904.h"
#include "dbupdate/steps/z5UserDbUpdate905.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemFolders.h"
#include "platform/Cp932.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

using SchemeFn = TUpdateScheme (*)();

const std::map<std::string, SchemeFn>& schemes()
{
    static const std::map<std::string, SchemeFn> all{
        {"3.0.0", z5UserDbUpdate300::Scheme},   {"3.0.1", z5UserDbUpdate301::Scheme},
        {"3.0.3", z5UserDbUpdate303::Scheme},   {"3.0.4", z5UserDbUpdate304::Scheme},
        {"3.0.6", z5UserDbUpdate306::Scheme},   {"3.0.7", z5UserDbUpdate307::Scheme},
        {"4.0.0", z5UserDbUpdate400::Scheme},   {"4.0.2", z5UserDbUpdate402::Scheme},
        {"5.0.0", z5UserDbUpdate500::Scheme},   {"5.0.2", z5UserDbUpdate502::Scheme},
        {"5.0.5", z5UserDbUpdate505::Scheme},   {"6.0.0", z5UserDbUpdate600::Scheme},
        {"6.1.0", z5UserDbUpdate610::Scheme},   {"6.1.3", z5UserDbUpdate613::Scheme},
        {"7.0.0", z5UserDbUpdate700::Scheme},   {"7.0.2", z5UserDbUpdate702::Scheme},
        {"7.0.3", z5UserDbUpdate703::Scheme},   {"7.0.4", +[] { return z5UserDbUpdate704::Scheme(false); }},
        {"8.0.0", z5UserDbUpdate800::Scheme},   {"8.0.2", z5UserDbUpdate802::Scheme},
        {"8.0.3", z5UserDbUpdate803::Scheme},   {"9.0.0", z5UserDbUpdate900::Scheme},
        {"9.0.1", z5UserDbUpdate901::Scheme},   {"9.0.2", z5UserDbUpdate902::Scheme},
        {"9.0.3", z5UserDbUpdate903::Scheme},   {"9.0.4", z5UserDbUpdate904::Scheme},
        {"9.0.5", z5UserDbUpdate905::Scheme},
        {"10.0.0", z5UserDbUpdate1000::Scheme}, {"10.0.1", z5UserDbUpdate1001::Scheme},
        {"10.0.3", z5UserDbUpdate1003::Scheme}, {"10.0.4", z5UserDbUpdate1004::Scheme},
        {"10.0.5", z5UserDbUpdate1005::Scheme}, {"11.0.0", z5UserDbUpdate1100::Scheme},
        {"11.0.1", z5UserDbUpdate1101::Scheme}, {"11.1.0", z5UserDbUpdate1110::Scheme},
        {"12.0.0", z5UserDbUpdate1200::Scheme}, {"13.0.0", z5UserDbUpdate1300::Scheme},
        {"13.0.3", z5UserDbUpdate1303::Scheme}, {"14.0.0", z5UserDbUpdate1400::Scheme},
    };
    return all;
}

// "01-03,07" -> {1, 2, 3, 7}; "-" -> {}.
std::vector<int> numbers(const std::string& text)
{
    std::vector<int> out;
    if (text == "-")
        return out;
    std::stringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const auto dash = item.find('-');
        const int first = std::stoi(item.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
        for (int i = first; i <= last; ++i)
            out.push_back(i);
    }
    return out;
}

struct TableRow {
    std::string version;
    std::vector<int> files, notMedical, notOther;
    bool ownRules = false;
};

std::vector<TableRow> partFileTable()
{
    std::ifstream in(fs::path(VQ_TEST_DATA_DIR) / "part-files.txt");
    std::vector<TableRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::stringstream fields(line);
        std::string version, files, notMedical, notOther, mark;
        fields >> version >> files >> notMedical >> notOther >> mark;
        rows.push_back({version, numbers(files), numbers(notMedical), numbers(notOther), mark == "+"});
    }
    return rows;
}

std::vector<std::string> names(const std::vector<int>& numbers)
{
    std::vector<std::string> out;
    for (int n : numbers)
        out.push_back(part_file_step::PartName(n));
    return out;
}

std::vector<int> without(const std::vector<int>& all, const std::vector<int>& skipped)
{
    std::vector<int> out;
    for (int n : all)
        if (std::find(skipped.begin(), skipped.end(), n) == skipped.end())
            out.push_back(n);
    return out;
}

std::string digits(const std::string& version)
{
    return std::regex_replace(version, std::regex("\\."), "");
}

class PartFileStepsTest : public DbUpdateRunFixture {
protected:
    void SetUp() override
    {
        DbUpdateRunFixture::SetUp();
        savedAcc_ = AccInf;
        savedOem_ = OemKind;
        TSystemDef def;
        InitSystemFolders(def);
        installed_ = def.SqlDir;
        SystemDef.TempDir = SystemDef.WinTempDir;
        SystemDef.OperatorNo = 1;
        SystemDef.OPNAME = "山田";
    }
    void TearDown() override
    {
        AccInf = savedAcc_;
        OemKind = savedOem_;
        DbUpdateRunFixture::TearDown();
    }

    // Part files that say only which they are, for every step of the table.
    void useMarkedParts()
    {
        const fs::path folder = root_.path() / "marked";
        fs::remove_all(folder);
        for (const auto& row : partFileTable())
            for (int n : row.files)
                writePart(folder, digits(row.version), part_file_step::PartName(n),
                          "\n/* mark " + digits(row.version) + "/" + part_file_step::PartName(n) + " */\n\n");
        SystemDef.SqlDir = folder.string();
    }
    static void writePart(const fs::path& sql, const std::string& digits, const std::string& name,
                          const std::string& utf8)
    {
        fs::create_directories(sql / digits);
        writeBytes(sql / digits / name, platform::cp932::fromUtf8(utf8));
    }
    // The numbers of the marked files a script read, in order.
    static std::vector<int> marks(const TUpdateScript& script)
    {
        std::vector<int> out;
        for (const auto& line : script.Lines())
            if (line.rfind("/* mark ", 0) == 0)
                out.push_back(part_file_step::PartNumber(line.substr(line.find('/', 3) + 1, 11)));
        return out;
    }
    static std::vector<int> read(const TUpdateScheme& scheme)
    {
        TUpdateScript script;
        EXPECT_TRUE(script.Build(scheme));
        return marks(script);
    }

    void setKind(int dataType, int codeType)
    {
        AccInf.DATATYPE = dataType;
        AccInf.CODETYPE = codeType;
        AccInf.IsIryou = dataType == 3 && codeType == 1 ? 1 : 0;
    }

    // The data set becomes one of that kind at version, as the manifest
    // says, with its information loaded as the data selection would.
    void useStandIn(const std::string& kind, int edition, const std::string& version)
    {
        fs::remove(dataFile());
        buildBaseDatabase(SchemaKind::DataSetBase, dataFile(), {kind, edition, version});
        OemKind = static_cast<std::uint8_t>(edition);
        loadAccInf();
    }
    void loadAccInf()
    {
        ASSERT_TRUE(dm_.fnAccDatConnected({}, SystemDef.DataDir, 0));
        dm_.fnGetAccInfo();
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
    }

    // The steps of the data list from the one after `from` up to `to` run.
    int runSteps(const std::string& from, const std::string& to)
    {
        TArrayDbUpdateListRec list = DataUpdateSteps();
        while (!list.empty() && std::to_string(list.back().Major) + "." + std::to_string(list.back().Minor1) + "." +
                                        std::to_string(list.back().Minor2) != to)
            list.pop_back();
        TDbVersionTest state;
        state.FDataList = std::move(list);
        state.SetupUpdateList(1, from);
        TDbUpdateRun run(state);
        const auto first = static_cast<std::size_t>(state.FFirstIndex);
        const int result = run.Execute();
        runReport_.clear();
        for (std::size_t i = 0; i < run.FRowStatus.size(); ++i)
            if (!run.FRowStatus[i].empty() && run.FRowStatus[i] != "完了") {
                const auto& step = state.FDataList[first + i];
                runReport_ += std::to_string(step.Major) + "." + std::to_string(step.Minor1) + "." +
                              std::to_string(step.Minor2) + " " + run.FRowStatus[i] + " ";
            }
        runReport_ += run.FErrInfo.Message + " " + run.FErrInfo.Detail;
        return result;
    }
    std::string runReport_;
    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    bool columnExists(const std::string& table, const std::string& column)
    {
        return scalar("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='" + table +
                      "' AND RDB$FIELD_NAME='" + column + "'") == "1";
    }
    bool triggerExists(const std::string& name)
    {
        return scalar("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME='" + name + "'") == "1";
    }

    // The data-set objects and columns the manifest dates after `after` and
    // up to `upTo` that the data set lacks.
    std::string missingManifestEntries(const std::string& after, const std::string& upTo)
    {
        const auto key = [](const std::string& v) {
            std::stringstream in(v);
            int a = 0, b = 0, c = 0;
            char dot;
            in >> a >> dot >> b >> dot >> c;
            return std::tuple{a, b, c};
        };
        std::ifstream in(schemaDir() / "manifest.txt");
        std::string missing;
        for (std::string line; std::getline(in, line);) {
            std::stringstream fields(line);
            std::string db, kind, name, version;
            fields >> db >> kind >> name >> version;
            if (db != "dataset" || version == "base" || key(version) <= key(after) || key(version) > key(upTo))
                continue;
            bool present = false;
            if (kind == "COLUMN") {
                const auto dot = name.find('.');
                present = columnExists(name.substr(0, dot), name.substr(dot + 1));
            } else if (kind == "TRIGGER") {
                present = triggerExists(name);
            } else if (kind == "TABLE") {
                present = scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='" + name + "'") == "1";
            } else if (kind == "PROCEDURE") {
                present = scalar("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME='" + name + "'") == "1";
            } else if (kind == "INDEX") {
                present = scalar("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME='" + name + "'") == "1";
            } else {
                present = true;   // no kind dated in these steps so far
            }
            if (!present)
                missing += name + " ";
        }
        return missing;
    }

    fs::path installed_;

private:
    TACCINF savedAcc_;
    std::uint8_t savedOem_ = 0;
};

} // namespace

TEST_F(PartFileStepsTest, EveryStepNamesItsFilesAndTheBuildInstallsThem)
{
    const auto table = partFileTable();
    ASSERT_EQ(table.size(), schemes().size());
    SystemDef.SqlDir = installed_.string();
    for (const auto& row : table) {
        SCOPED_TRACE(row.version);
        const TUpdateScheme scheme = schemes().at(row.version)();
        EXPECT_EQ(scheme.PartFiles, names(row.files));
        EXPECT_EQ(part_file_step::MissingPart(scheme), std::nullopt);
        EXPECT_TRUE(scheme.StopOnMissingPart);
    }
}

TEST_F(PartFileStepsTest, FilesReadForMedicalAndOtherData)
{
    useMarkedParts();
    for (const auto& row : partFileTable()) {
        if (row.ownRules)
            continue;
        SCOPED_TRACE(row.version);
        setKind(3, 1);
        EXPECT_EQ(read(schemes().at(row.version)()), without(row.files, row.notMedical)) << "medical";
        setKind(1, 0);
        EXPECT_EQ(read(schemes().at(row.version)()), without(row.files, row.notOther)) << "corporation";
    }
}

TEST_F(PartFileStepsTest, FilesReadByDataTypeAndEdition)
{
    useMarkedParts();
    struct Case {
        const char* version;
        int dataType, codeType, edition;
        std::vector<int> read;
    } cases[] = {
        {"5.0.0", 1, 0, 0, {2, 4, 5, 6, 7, 8, 10, 11}},
        {"5.0.0", 1, 0, 1, {2, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"5.0.0", 3, 1, 0, {1, 3, 4, 5, 6, 7, 8, 11}},
        {"5.0.0", 3, 1, 2, {1, 3, 4, 5, 6, 7, 8, 9, 11}},
        {"5.0.5", 2, 1, 0, {1, 2}},
        {"5.0.5", 2, 2, 1, {1, 2}},
        {"5.0.5", 3, 1, 0, {1, 3}},
        {"5.0.5", 1, 0, 0, {1, 2, 4}},
        {"5.0.5", 1, 0, 1, {1, 2, 5}},
        {"5.0.5", 1, 0, 2, {1, 2, 5}},
        // Medical-corporation data other than the medical kind reads as
        // other data.
        {"4.0.2", 3, 2, 0, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " type " + std::to_string(c.dataType) + "/" +
                     std::to_string(c.codeType) + " edition " + std::to_string(c.edition));
        setKind(c.dataType, c.codeType);
        OemKind = static_cast<std::uint8_t>(c.edition);
        EXPECT_EQ(read(schemes().at(c.version)()), c.read);
    }
}

TEST_F(PartFileStepsTest, Step303ChangesTheIncomeLineOfRealEstateDataOnly)
{
    useMarkedParts();
    const std::vector<std::string> lines{"UPDATE EXTERKS SET KNAMELOCK=0", "WHERE KGROUP='4100' AND SUBREC=3;",
                                         "COMMIT;"};
    struct Case {
        int dataType, codeType;
        bool inline_;
    } cases[] = {{2, 2, true}, {2, 1, false}, {1, 0, false}, {3, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dataType) + "/" + std::to_string(c.codeType));
        setKind(c.dataType, c.codeType);
        TUpdateScript script;
        ASSERT_TRUE(script.Build(z5UserDbUpdate303::Scheme()));
        const auto& l = script.Lines();
        const auto at = std::search(l.begin(), l.end(), lines.begin(), lines.end());
        EXPECT_EQ(at != l.end(), c.inline_);
        // Old form: no SET NAMES, the version record last.
        EXPECT_EQ(std::count(l.begin(), l.end(), "SET NAMES SJIS_0208;"), 0);
        EXPECT_EQ(l.end()[-4].rfind("UPDATE ACCVERSION SET MAJOR=3,MINOR1=0,MINOR2=3,MEMO='", 0), 0u);
        if (c.inline_) {
            EXPECT_LT(at - l.begin(), l.end() - l.begin() - 4);
        }
    }
}

TEST_F(PartFileStepsTest, AMissingFileEndsEveryStepWith18BeforeItDoesAnything)
{
    setKind(1, 0);
    const DatabaseState before = databaseState(dataFile());
    const auto steps = DataUpdateSteps();
    for (const auto& row : partFileTable()) {
        SCOPED_TRACE(row.version);
        useMarkedParts();
        // A file this data set would not read, where there is one.
        const int victim = row.notOther.empty() ? row.files.back() : row.notOther.front();
        const fs::path file = fs::path(SystemDef.SqlDir) / digits(row.version) / part_file_step::PartName(victim);
        fs::remove(file);
        if (victim == row.files.front())
            fs::create_directory(file);   // a folder in its place is no file either
        const auto step = std::find_if(steps.begin(), steps.end(), [&](const TDbUpdateListRec& s) {
            return std::to_string(s.Major) + "." + std::to_string(s.Minor1) + "." + std::to_string(s.Minor2) ==
                   row.version;
        });
        ASSERT_NE(step, steps.end());
        ASSERT_TRUE(step->UpdateProc);
        EXPECT_EQ(step->UpdateProc(), UpdateFileMissing);
        EXPECT_FALSE(fs::exists(fs::path(SystemDef.TempDir) / "vqzdataup.sql"));
    }
    EXPECT_EQ(difference(before, databaseState(dataFile())), "");
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
}

TEST_F(PartFileStepsTest, TheTriggerStepsAskTheDataSet)
{
    useMarkedParts();
    // 3.0.4 reads its last file only while the account trigger is missing.
    useStandIn("corporation", 0, "3.0.3");
    ASSERT_FALSE(triggerExists("KAMOKUMST_AFTER_UPDATE2"));
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        if (present)
            runSql(dataFile(), "SET TERM ^ ;\nCREATE TRIGGER KAMOKUMST_AFTER_UPDATE2 FOR KAMOKUMST "
                               "ACTIVE AFTER UPDATE POSITION 2 AS BEGIN END^\nSET TERM ; ^\n");
        TUpdateScheme s = z5UserDbUpdate304::Scheme();
        ASSERT_EQ(s.PreWork(), UpdateDone);
        EXPECT_EQ(read(s), (present ? std::vector<int>{1, 2, 3} : std::vector<int>{1, 2, 3, 4}));
        EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
    }

    // 3.0.7 makes the balance-row trigger when it is missing, and keeps one
    // that is there.
    useStandIn("medical", 0, "3.0.6");
    ASSERT_FALSE(triggerExists("KAMOKUSZ_AFTER_DELETE2"));
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(z5UserDbUpdate307::Scheme().PreWork(), UpdateDone);
        EXPECT_TRUE(triggerExists("KAMOKUSZ_AFTER_DELETE2"));
        EXPECT_EQ(scalar("SELECT TRIM(RDB$RELATION_NAME)||RDB$TRIGGER_TYPE||RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS "
                         "WHERE RDB$TRIGGER_NAME='KAMOKUSZ_AFTER_DELETE2'"),
                  "KAMOKU_SZ60");
    }
}

TEST_F(PartFileStepsTest, Step306ChoosesItsFileByTheAccountCountOfMedicalData)
{
    useMarkedParts();
    useStandIn("medical", 0, "3.0.4");
    ASSERT_EQ(AccInf.IsIryou, 1);
    const int have = std::stoi(scalar("SELECT COUNT(*) FROM KAMOKUMST"));
    ASSERT_LT(have, 377);
    runSql(dataFile(), "UPDATE KAMOKUMST SET HOJOSW='○';");
    int added = 0;
    for (const auto& [count, expected] : std::vector<std::pair<int, std::vector<int>>>{
             {377, {1}}, {400, {}}, {567, {2}}}) {
        SCOPED_TRACE(count);
        std::string sql;
        for (; have + added < count; ++added)
            sql += "INSERT INTO KAMOKUMST (KCODE, KNAME, BPFLG) VALUES ('Z" + std::to_string(1000 + added) +
                   "', '追加', 'B');\n";
        runSql(dataFile(), sql);
        TUpdateScheme s = z5UserDbUpdate306::Scheme();
        ASSERT_EQ(s.PreWork(), UpdateDone);
        EXPECT_EQ(read(s), expected);
    }
    // The fixed accounts of tax, carried-forward profit and sundries are
    // switched to '×', the others keep theirs.
    EXPECT_EQ(scalar("SELECT LIST(DISTINCT K.HOJOSW) FROM KAMOKUMST K JOIN ACCDEF2 D ON D.KCODE=K.KCODE "
                     "WHERE D.KNAME IN ('仮払消費税','仮受消費税','前期繰越利益','諸口')"),
              "×");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKUMST WHERE HOJOSW='×'"),
              scalar("SELECT COUNT(DISTINCT KCODE) FROM ACCDEF2 WHERE KNAME IN "
                     "('仮払消費税','仮受消費税','前期繰越利益','諸口')"));

    // General data reads neither file and keeps its switches.
    useStandIn("corporation", 0, "3.0.4");
    runSql(dataFile(), "UPDATE KAMOKUMST SET HOJOSW='○';");
    TUpdateScheme s = z5UserDbUpdate306::Scheme();
    ASSERT_EQ(s.PreWork(), UpdateDone);
    EXPECT_EQ(read(s), std::vector<int>{});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKUMST WHERE HOJOSW<>'○'"), "0");
}

TEST_F(PartFileStepsTest, Step306WritesTheOpeningBalancesOfConvertedData)
{
    useMarkedParts();
    struct Case {
        int month;
        bool ownersKept;   // the owner's accounts keep their past balance
        bool profitRows;   // profit-and-loss rows are written
        int period;
    } cases[] = {{1, true, false, 0}, {7, false, true, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.month);
        useStandIn("individual", 0, "3.0.4");
        AccInf.CONVERT = 1;
        AccInf.KAISINO = c.month;
        runSql(dataFile(), "UPDATE KAMOKU_SZ SET KAISIZAN=1234;\nUPDATE KAMOKU_PZ SET NUKIZAN=-1, ZEIGAKU=7;");
        const std::string owners = "('" + AccInf.SysKCode[SysJigyounushiKasi] + "','" +
                                   AccInf.SysKCode[SysJigyounushiKari] + "','" + AccInf.SysKCode[SysMotoirekin] + "')";
        const std::string period = std::to_string(c.period);
        // The walk goes by the accounts' groups: balance-sheet accounts
        // first, one of them placed after the profit-and-loss accounts.
        runSql(dataFile(), "UPDATE KAMOKUMST SET GROUPM0=CASE WHEN BPFLG='P' THEN '5000' ELSE '1000' END;\n"
                           "UPDATE KAMOKUMST SET GROUPM0='9000' WHERE KCODE=(SELECT MIN(KCODE) FROM KAMOKUMST "
                           "WHERE BPFLG='B' AND KCODE NOT IN " + owners + ");");
        ASSERT_EQ(z5UserDbUpdate306::Scheme().PreWork(), UpdateDone);

        const auto rows = [&](const std::string& where) {
            const std::string found =
                scalar("SELECT COUNT(*)||':'||COALESCE(MIN(P.NUKIZAN),0)||':'||COALESCE(MAX(P.NUKIZAN),0)||':'||"
                       "COALESCE(MAX(P.ZEIGAKU),0) FROM KAMOKU_PZ P JOIN KAMOKUMST K ON K.KCODE=P.KCODE WHERE P.MNUM=" +
                       period + " AND " + where);
            EXPECT_NE(found.rfind("0:", 0), 0u) << where;
            return found.substr(found.find(':'));
        };
        const std::string written = ":1234.0000:1234.0000:0.0000", kept = ":-1.0000:-1.0000:7.0000";
        EXPECT_EQ(rows("K.BPFLG='B' AND K.GROUPM0='1000' AND K.KCODE NOT IN " + owners), written);
        EXPECT_EQ(rows("K.KCODE IN " + owners), c.ownersKept ? kept : written);
        EXPECT_EQ(rows("K.BPFLG='P'"), c.profitRows ? written : kept);
        EXPECT_EQ(rows("K.GROUPM0='9000'"), c.profitRows ? written : kept);
        // No other period is touched.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_PZ WHERE MNUM<>" + period + " AND NUKIZAN<>-1"), "0");
    }
    EXPECT_EQ(z5UserDbUpdate306::PeriodBefore(4), 4);
    EXPECT_EQ(z5UserDbUpdate306::PeriodBefore(12), 14);
    EXPECT_EQ(z5UserDbUpdate306::PeriodBefore(13), 0);
}

TEST_F(PartFileStepsTest, MemoFormsOfTheNewestSteps)
{
    useMarkedParts();
    SystemDef.OPNAME = "山田";
    const auto memoOf = [](const TUpdateScheme& scheme) {
        TUpdateScript script;
        EXPECT_TRUE(script.Build(scheme));
        const std::string& line = script.Lines()[4];
        const auto start = line.find("MEMO='") + 6;
        return line.substr(start, line.size() - start - 1);
    };
    const std::string padded = memoOf(z5UserDbUpdate1005::Scheme());
    EXPECT_EQ(platform::cp932::fromUtf8(padded).size(), 127u);
    EXPECT_EQ(padded.back(), ' ');
    const std::string trimmed = memoOf(z5UserDbUpdate1100::Scheme());
    EXPECT_EQ(padded.rfind(trimmed, 0), 0u);
    EXPECT_EQ(padded.find_first_not_of(' ', trimmed.size()), std::string::npos);
    EXPECT_NE(trimmed.find(",1,山田,TESTPC"), std::string::npos);
    EXPECT_EQ(memoOf(z5UserDbUpdate1001::Scheme()), trimmed);
    EXPECT_EQ(memoOf(z5UserDbUpdate1000::Scheme()).size(), 19u);   // the date alone

    // An operator name with a quote reaches the data set as it is.
    SystemDef.SqlDir = installed_.string();
    SystemDef.OPNAME = "O'Brien";
    useStandIn("corporation", 0, "10.0.5");
    ASSERT_EQ(z5UserDbUpdate1100::DoUpdate(), UpdateDone) << lastMessage();
    EXPECT_EQ(version(), "11.0.0");
    const std::string memo = scalar("SELECT MEMO FROM ACCVERSION WHERE REC=1");
    EXPECT_NE(memo.find(",1,O'Brien,TESTPC"), std::string::npos) << memo;
}

TEST_F(PartFileStepsTest, Step1200RemovesTheToVMenuInTheDistributorEditions)
{
    useMarkedParts();
    setKind(1, 0);
    for (int edition : {0, 1, 2}) {
        SCOPED_TRACE(edition);
        OemKind = static_cast<std::uint8_t>(edition);
        TUpdateScript script;
        ASSERT_TRUE(script.Build(z5UserDbUpdate1200::Scheme()));
        const std::vector<std::string> tail(script.Lines().end() - 6, script.Lines().end());
        if (edition == 0) {
            EXPECT_EQ(tail.back(), "EXIT;");
            EXPECT_EQ(tail[4], "/* mark 1200/vqzup03.sql */");
        } else {
            EXPECT_EQ(tail, (std::vector<std::string>{"", "/* お気に入りメニューからToV(USB)保存／復元レコードを削除 */",
                                                      "DELETE FROM OPMENU", "WHERE (CLASS='QzTovHozn');", "COMMIT;",
                                                      "EXIT;"}));
            EXPECT_EQ(script.Lines().end()[-7], "/* mark 1200/vqzup03.sql */");
        }
        TDbUpdateListRec rec;
        z5UserDbUpdate1200::SetUpdateRec(rec);
        EXPECT_EQ(rec.Title, edition == 0 ? "販売管理ファイルの取り込み対応 他" : "機能強化および不具合修正");
    }
    // The menu rows go on a real data set.
    SystemDef.SqlDir = installed_.string();
    useStandIn("corporation", 1, "11.1.0");
    runSql(dataFile(), "INSERT INTO OPMENU (OPCODE, ROWNO, CLASS, CAPTION) VALUES (100001, 1, 'QzTovHozn', 'ToV');"
                       "INSERT INTO OPMENU (OPCODE, ROWNO, CLASS, CAPTION) VALUES (100001, 2, 'QzOther', '他');");
    ASSERT_EQ(z5UserDbUpdate1200::DoUpdate(), UpdateDone) << lastMessage();
    EXPECT_EQ(scalar("SELECT LIST(CLASS) FROM OPMENU"), "QzOther");
    EXPECT_TRUE(columnExists("ACCDEF1", "READ_ONLY"));
}

TEST_F(PartFileStepsTest, Step1400PatchesDataThatPassed1303WithoutTheMark)
{
    const std::string memo1303 = "2020/01/01 10:00:00,1,山田,PC1";
    struct Case {
        std::string what;
        bool row1303;          // the current row and one of the history are of 13.0.3
        std::string memo;      // their MEMO
        bool field7;           // MEISAI_JYOKEN_RULE has FTEKIYOA_TIKAN_FIELD7
        bool patchFiles;       // the 1300 files are read
        bool mark;             // the mark statements are added
    } cases[] = {
        {"no 13.0.3 row", false, "", true, false, false},
        {"no 13.0.3 row, field missing", false, "", false, false, false},
        {"marked", true, memo1303 + "\r\nv1304=1", false, false, false},
        {"unmarked, field there", true, memo1303, true, false, true},
        {"unmarked, field missing", true, memo1303, false, true, true},
        {"marked otherwise", true, memo1303 + "\nV1304=0", true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SystemDef.SqlDir = installed_.string();
        useStandIn("corporation", 0, c.field7 ? "13.0.0" : "12.0.0");
        // The current row and a row of the history, both of version 13.0.3.
        const std::string memo =
            "'" + std::regex_replace(c.memo, std::regex("\r?\n"), "' || ASCII_CHAR(13) || ASCII_CHAR(10) || '") + "'";
        if (c.row1303)
            runSql(dataFile(), "UPDATE ACCVERSION SET MAJOR=13, MINOR1=0, MINOR2=3, MEMO=" + memo + " WHERE REC=1;\n"
                               "INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (2, 13, 0, 3, " +
                                   memo + ");");
        else
            runSql(dataFile(), "UPDATE ACCVERSION SET MAJOR=13, MINOR1=0, MINOR2=0 WHERE REC=1;");
        useMarkedParts();
        ASSERT_TRUE(dm_.fnAccDatConnected({}, SystemDef.DataDir, 0));
        TUpdateScript script;
        EXPECT_EQ(z5UserDbUpdate1400::AddPatch1304(script), UpdateDone);
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
        EXPECT_EQ(marks(script), (c.patchFiles ? std::vector<int>{1, 2, 3} : std::vector<int>{}));
        const auto& l = script.Lines();
        EXPECT_EQ(std::count(l.begin(), l.end(), "ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE;"), c.mark ? 1 : 0);

        // The whole step on the data set, with the installed files.
        SystemDef.SqlDir = installed_.string();
        if (!c.row1303)
            continue;
        ASSERT_EQ(z5UserDbUpdate1400::DoUpdate(), UpdateDone) << lastMessage();
        EXPECT_EQ(version(), "14.0.0");
        // A marked data set is never patched again.
        EXPECT_EQ(columnExists("MEISAI_JYOKEN_RULE", "FTEKIYOA_TIKAN_FIELD7"), c.field7 || c.patchFiles);
        if (c.mark && c.what == "unmarked, field there") {
            EXPECT_EQ(scalar("SELECT MEMO FROM ACCVERSION WHERE REC=2"), memo1303 + "\r\nV1304=1\r\n");
        } else if (c.mark) {
            EXPECT_NE(scalar("SELECT MEMO FROM ACCVERSION WHERE REC=2").find("V1304=1\r\n"), std::string::npos);
        }
    }
}

TEST_F(PartFileStepsTest, Step1400EndsWith18Or16AndChangesNothing)
{
    useStandIn("corporation", 0, "12.0.0");
    runSql(dataFile(), "UPDATE ACCVERSION SET MAJOR=13, MINOR1=0, MINOR2=3 WHERE REC=1;");
    const DatabaseState before = databaseState(dataFile());
    // A 1300 file the patch needs is missing, its own files are there.
    useMarkedParts();
    fs::remove(fs::path(SystemDef.SqlDir) / "1300" / "vqzup02.sql");
    EXPECT_EQ(z5UserDbUpdate1400::DoUpdate(), UpdateFileMissing);
    EXPECT_EQ(difference(before, databaseState(dataFile())), "");
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());

    // The data set cannot tell whether it needs the patch: the step fails
    // rather than running without it.
    useMarkedParts();
    runSql(dataFile(), "ALTER TABLE ACCVERSION DROP MEMO;");
    const DatabaseState broken = databaseState(dataFile());
    EXPECT_EQ(z5UserDbUpdate1400::DoUpdate(), UpdateFailed);
    EXPECT_EQ(difference(broken, databaseState(dataFile())), "");
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
}

TEST_F(PartFileStepsTest, TheRunBringsEveryDataKindThroughTheSteps)
{
    SystemDef.SqlDir = installed_.string();
    struct Case {
        const char* kind;
        int edition;
    } cases[] = {{"corporation", 0}, {"individual", 0}, {"real-estate", 0}, {"clinic", 0},
                 {"agriculture", 0}, {"medical", 0},    {"corporation", 1}, {"medical", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useStandIn(c.kind, c.edition, "2.0.4");
        ASSERT_NE(missingManifestEntries("2.0.4", "14.0.0"), "");
        ASSERT_EQ(runSteps("2.0.4", "14.0.0"), UpdateDone) << runReport_;
        EXPECT_EQ(version(), "14.0.0");
        EXPECT_EQ(missingManifestEntries("2.0.4", "14.0.0"), "");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_SZ WHERE KISHU_KOMI IS DISTINCT FROM KAISIZAN "
                         "OR KISHU_NUKI IS DISTINCT FROM KAISIZAN"),
                  "0");

        useStandIn(c.kind, c.edition, "9.0.5");
        ASSERT_NE(missingManifestEntries("9.0.5", "14.0.0"), "");
        ASSERT_EQ(runSteps("9.0.5", "14.0.0"), UpdateDone) << runReport_;
        EXPECT_EQ(version(), "14.0.0");
        EXPECT_EQ(missingManifestEntries("9.0.5", "14.0.0"), "");
        EXPECT_EQ(scalar("SELECT COALESCE(READ_ONLY,-1)||','||COALESCE(CLOUD_LINE,-1) FROM ACCDEF1 WHERE REC=1"),
                  "0,0");
    }
}

TEST_F(PartFileStepsTest, TheNewestStepsShareOneTitleInTheDistributorEditions)
{
    SystemDef.AppTitle = "ヴォルレン財務";
    for (const std::uint8_t edition : {0, 1, 2}) {
        SCOPED_TRACE("edition " + std::to_string(edition));
        OemKind = edition;
        for (const auto& rec : DataUpdateSteps()) {
            if (rec.Major < 3 || (rec.Major >= 7 && rec.Major <= 9))
                continue;
            SCOPED_TRACE(std::to_string(rec.Major) + "." + std::to_string(rec.Minor1) + "." + std::to_string(rec.Minor2));
            EXPECT_EQ(rec.BackupFlag, 1);
            EXPECT_TRUE(rec.UpdateProc);
            const bool shared = rec.Major >= 10 && edition != 0;
            EXPECT_EQ(rec.Title == "機能強化および不具合修正", shared) << rec.Title;
            EXPECT_EQ(rec.Description == "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）", shared);
        }
        const auto list = DataUpdateSteps();
        const auto at = [&](int major, int minor1, int minor2) {
            return *std::find_if(list.begin(), list.end(), [&](const TDbUpdateListRec& r) {
                return r.Major == major && r.Minor1 == minor1 && r.Minor2 == minor2;
            });
        };
        EXPECT_EQ(at(5, 0, 0).Title, "ヴォルレン財務１３のデータ形式に変換");
        EXPECT_EQ(at(6, 0, 0).Description, "１）ヴォルレン財務１４のデータ形式に変換します。\r"
                                           "２）過年度残高に税込・税抜額の記録が可能になります。\r"
                                           "３）法人・個人データの製造原価報告書に外注費ブロックを追加します。");
        EXPECT_EQ(at(6, 1, 0).Title, "ヴォルレン財務１４ 消費税改正版のデータ形式に変換 他");
    }
}
