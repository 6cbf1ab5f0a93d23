// The database-error reporter: its log lines, its messages and its fatal path.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <set>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"
#include "foundation/data/DataModule.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/IscErrorText.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"

using namespace vq;
namespace fs = std::filesystem;
using platform::MessageKind;

namespace {

const std::string kRestart =
    "\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]後、何回かメッセージが表示される場合があります）"
    "\rアプリケーションが終了しましたら再起動して下さい。\r";

class DbErrorReporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.ParentDir = (root_.path() / "parent").string();
        fs::create_directories(SystemDef.LogDir);
        fs::create_directories(SystemDef.ParentDir);
        SystemDef.ComputerName = "TESTPC";
        SystemDef.OPCODE = 100001;
        SystemDef.Serial = "S-123";
        SystemDef.AppVersion = "14.0.0";
        SystemDef.HostName = "dbhost";
        DataVersionText = "14.0.1";
        dm_.IBDatabaseDAT.DatabaseName = "/data/0001/vqacc.fdb";
        seam_->clock = encodeDateTime(2025, 12, 9, 13, 4, 5);
        DbFatalFlag = 0;
        ConnectMode = ConnectStandAlone;
        previousEnd_ = setProgramEndHook([this] { ++ends_; });
    }
    void TearDown() override
    {
        setProgramEndHook(previousEnd_);
        DbFatalFlag = 0;
        ConnectMode = savedMode_;
        DataVersionText.clear();
        SystemDef = saved_;
    }

    fs::path log() const { return fs::path(SystemDef.LogDir) / "ErrFbAccess.log"; }
    fs::path last() const { return fs::path(SystemDef.LogDir) / "ErrFbAccess.txt"; }
    static std::string fileText(const fs::path& p) { return platform::cp932::toUtf8(test::readBytes(p)); }

    test::TempDir root_;
    platform::ScopedScriptedInteraction seam_;
    TDM dm_;
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
    ProgramEndFunc previousEnd_;
    int ends_ = 0;
};

db::DbError lockConflict()
{
    return db::DbError("lock conflict on no wait transaction\nconcurrent transaction number is 12", 335544345, -913,
                       {335544345, 335544878});
}

const std::string kHead = "2025/12/09 13:04:05,TESTPC,100001,Serial=S-123,AppVer=14.0.0,"
                          "DBName=dbhost:/data/0001/vqacc.fdb,DataVer=14.0.1";
const std::string kLockLine = "Error=TDM.fnGetAccInfo [335544345] (-913) （NO WAIT トランザクションのロックが衝突しています）,"
                              "lock conflict on no wait transaction\r\nconcurrent transaction number is 12";

} // namespace

TEST_F(DbErrorReporterTest, WritesTwoLinesPerErrorAndKeepsTheLastAlone)
{
    ReportDbError(lockConflict(), "TDM.fnGetAccInfo", "読み込みに失敗しました。");
    seam_->clock = encodeDateTime(2025, 12, 9, 13, 4, 6);
    ReportDbError(db::DbError("unknown", 335544800, -104, {335544800}), "TDM.other", "");

    const std::string second = "2025/12/09 13:04:06,TESTPC,100001,Serial=S-123,AppVer=14.0.0,"
                               "DBName=dbhost:/data/0001/vqacc.fdb,DataVer=14.0.1\r\n"
                               "Error=TDM.other [335544800] (-104)  ,unknown\r\n";
    EXPECT_EQ(fileText(log()), kHead + "\r\n" + kLockLine + "\r\n" + second);
    EXPECT_EQ(fileText(last()), second);
    // The log is CP932 on disk.
    EXPECT_EQ(test::readBytes(log()), platform::cp932::fromUtf8(fileText(log())));

    ASSERT_EQ(seam_->messages.size(), 1u) << "an empty message shows nothing";
    const auto& shown = seam_->messages.front();
    EXPECT_EQ(shown.kind, MessageKind::Error);
    EXPECT_EQ(shown.buttons, platform::Buttons::Ok);
    EXPECT_EQ(shown.text, "読み込みに失敗しました。\r\r[詳細情報]\rIBXエラーコード:335544345\r"
                          "lock conflict on no wait transaction\rconcurrent transaction number is 12\r"
                          "（NO WAIT トランザクションのロックが衝突しています）");
    EXPECT_EQ(ends_, 0);
    EXPECT_EQ(DbFatalFlag, 0);
}

TEST_F(DbErrorReporterTest, UnwritableLogFolderStillShowsTheMessage)
{
    test::writeBytes(root_.path() / "blocker", "x");
    SystemDef.LogDir = (root_.path() / "blocker" / "log").string();
    EXPECT_NO_THROW(ReportDbError(lockConflict(), "TDM.fnGetAccInfo", "読み込みに失敗しました。"));
    EXPECT_EQ(seam_->messages.size(), 1u);

    // A lost connection still ends the program.
    EXPECT_NO_THROW(ReportDbError(db::DbError("network", 335544721, -902, {335544721}), "TDM.x", ""));
    EXPECT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(ends_, 1);
}

TEST_F(DbErrorReporterTest, LostConnectionIsReportedOnceAndEndsTheProgram)
{
    ReportDbError(db::DbError("Error reading data from the connection.", 335544726, -902, {335544726}),
                  "TDM.fnGetAccInfo", "");
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text,
              "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。" +
                  kRestart + "\r※注意 共有サーバーのデータ利用時は自動保管されません。\r");
    EXPECT_EQ(seam_->messages[0].kind, MessageKind::Error);
    EXPECT_EQ(DbFatalFlag, 1);
    EXPECT_EQ(ends_, 1);

    const std::string logged = test::readBytes(log());
    ReportDbError(lockConflict(), "TDM.later", "もう一度");
    ReportDbError(db::DbError("network", 335544721, -902, {335544721}), "TDM.later", "");
    EXPECT_EQ(test::readBytes(log()), logged);
    EXPECT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(ends_, 1);
}

// A shut-down database refuses a new attachment; the program's connections
// are not lost. An attachment the shutdown cut off is.
TEST_F(DbErrorReporterTest, ShutDownDatabaseRefusingAnAttachmentIsNoLostConnection)
{
    ReportDbError(db::DbError("database /data/0001/vqacc.fdb shutdown", 335544528, -902, {335544528}),
                  "TDM.fnAccDatConnected", "接続できません。");
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text,
              "接続できません。\r\r[詳細情報]\rIBXエラーコード:335544528\rdatabase /data/0001/vqacc.fdb shutdown\r" +
                  iscErrorText(335544528, -902));
    EXPECT_EQ(DbFatalFlag, 0);
    EXPECT_EQ(ends_, 0);

    ReportDbError(db::DbError("connection shutdown", 335544856, -902, {335544856}), "TDM.fnGetAccInfo", "");
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[1].text.rfind("何らかの原因でネットワークが物理的に切断されている", 0), 0u);
    EXPECT_EQ(DbFatalFlag, 1);
    EXPECT_EQ(ends_, 1);
}

TEST_F(DbErrorReporterTest, InternalConsistencyFailureIsFatalWithoutSharedNoteOnAServer)
{
    ConnectMode = ConnectClientServer;
    ReportDbError(db::DbError("internal consistency check", 335544333, -902, {335544333}), "TDM.x", "何か");
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "（isc 内部のソフトウェア一貫性チェック）" + kRestart);
    EXPECT_EQ(ends_, 1);
}

TEST_F(DbErrorReporterTest, TrialBalanceReportWritesItsOwnFiles)
{
    ReportFbError(db::DbError("Dynamic SQL Error\nTable unknown", 335544569, -204, {335544569}), "集計に失敗しました。");
    const std::string expected = "集計に失敗しました。\r\nErrCode<335544569>  SQLCODE<-204>\r\nDynamic SQL Error\r\n"
                                 "Table unknown\r\n\r\n（動的SQL エラー）\r\nPG_VERSION[14.0.0]\r\nDB_VERSION[14.0.1]\r\n"
                                 "Serial[S-123]\r\nServer[dbhost]\r\nDatabaseName[/data/0001/vqacc.fdb]\r\n"
                                 "2025/12/09 13:04:05\r\nTESTPC\r\n100001\r\n";
    EXPECT_EQ(fileText(fs::path(SystemDef.ParentDir) / "FB_ERROR.TXT"), expected);
    ReportFbError(db::DbError("x", 335544569, -204, {335544569}), "集計");
    EXPECT_EQ(fileText(fs::path(SystemDef.ParentDir) / "FB_ERROR.LOG").substr(0, expected.size()), expected);
    EXPECT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(ends_, 0);
}

// Lines of a log file as text, cut at CR LF.
std::vector<std::string> logLines(const fs::path& file)
{
    const std::string text = platform::cp932::toUtf8(test::readBytes(file));
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// Two programs of an office report errors into the same logs at the same
// moment: every record of both reaches both logs, whole.
TEST_F(DbErrorReporterTest, TwoProcessesReportingAtOnceLoseNoRecord)
{
    constexpr int kWriters = 2;
    constexpr int kReports = 300;
    // The size of one trial-balance record, measured apart from the shared logs.
    const std::string shared = SystemDef.ParentDir;
    SystemDef.ParentDir = (root_.path() / "one").string();
    fs::create_directories(SystemDef.ParentDir);
    ReportFbError(db::DbError("x", 335544569, -204, {335544569}), "集計 W0-0");
    const std::size_t fbRecordLines = logLines(fs::path(SystemDef.ParentDir) / "FB_ERROR.LOG").size();
    SystemDef.ParentDir = shared;

    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> writers;
    for (int w = 1; w <= kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // Both start when the gate opens, so their reports overlap.
            ::close(gate[1]);
            char c;
            [[maybe_unused]] const ssize_t n = ::read(gate[0], &c, 1);
            for (int i = 0; i < kReports; ++i) {
                const std::string name = "W" + std::to_string(w) + "-" + std::to_string(i);
                ReportDbError(db::DbError(name, 335544345, -913, {335544345}), "TDM." + name, "");
                ReportFbError(db::DbError(name, 335544569, -204, {335544569}), "集計 " + name);
            }
            ::_exit(0);
        }
        writers.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::set<std::string> expected;
    for (int w = 1; w <= kWriters; ++w)
        for (int i = 0; i < kReports; ++i)
            expected.insert("W" + std::to_string(w) + "-" + std::to_string(i));

    // ErrFbAccess.log: a head line and an error line per report.
    const std::vector<std::string> db = logLines(log());
    ASSERT_EQ(db.size(), 2 * expected.size());
    std::set<std::string> seen;
    for (std::size_t i = 0; i < db.size(); i += 2) {
        EXPECT_EQ(db[i], kHead) << i;
        const std::string& error = db[i + 1];
        ASSERT_EQ(error.rfind("Error=TDM.", 0), 0u) << error;
        seen.insert(error.substr(10, error.find(' ') - 10));
    }
    EXPECT_EQ(seen, expected);

    // FB_ERROR.LOG: records of several lines, each one whole.
    const std::vector<std::string> fb = logLines(fs::path(SystemDef.ParentDir) / "FB_ERROR.LOG");
    ASSERT_EQ(fb.size(), fbRecordLines * expected.size());
    seen.clear();
    for (std::size_t i = 0; i < fb.size(); i += fbRecordLines) {
        ASSERT_EQ(fb[i].rfind("集計 ", 0), 0u) << fb[i];
        EXPECT_EQ(fb[i + 1], "ErrCode<335544569>  SQLCODE<-204>") << i;
        EXPECT_EQ(fb[i + 2], fb[i].substr(std::string("集計 ").size())) << i;
        EXPECT_EQ(fb[i + fbRecordLines - 1], "100001") << i;
        seen.insert(fb[i + 2]);
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(DbErrorReporterTest, MessageDetailAndCommaMessage)
{
    struct Case {
        std::string msg, detail;
        std::optional<std::string> shown;
    } cases[] = {
        {"", "", std::nullopt},
        {"失敗", "", "失敗"},
        {"", "why", "\r\r[詳細情報]\rwhy"},
        {"失敗", "why", "失敗\r\r[詳細情報]\rwhy"},
    };
    for (const auto& c : cases) {
        seam_->messages.clear();
        ShowMessageDetail(c.msg, c.detail, MessageKind::Warning);
        if (!c.shown) {
            EXPECT_TRUE(seam_->messages.empty());
            continue;
        }
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text, *c.shown);
        EXPECT_EQ(seam_->messages[0].kind, MessageKind::Warning);
    }

    seam_->messages.clear();
    ShowCommaMessage("一,二,,四", MessageKind::Information);
    ShowCommaMessage("a,b//c,d", MessageKind::Information);
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[0].text, "一\r二\r\r四\r");
    EXPECT_EQ(seam_->messages[1].text, "a\rb\r");
}

TEST(IscErrorText, TableRows)
{
    struct Case {
        std::int32_t code, sql;
        std::string text;
    } cases[] = {
        {335544321, 0, "（算術式の例外，数値のオーバーフロー，文字列の切り捨てのいずれかが発生しました）"},
        {335544335, 0, "（データベースファイルが破損している可能性があります"},
        {335544354, 0, "（データベースキーが無効です）"},
        {335544579, 0, "（内部エラー）"},
        {335544634, 0, "（未知のトークンを指定しました）"},
        {335544450, 0, " "},
        {335544379, 0, " "},
        {335544721, -902, " "},
        {335544788, -901, "（操作を実行することができません。データベースのSYSDBAか所有者のどちらかでなければなりません。）"},
        {335544788, -902, " "},
        {336330817, -902, "（ディレクトリ名・データーベスに全角文字は使用できません。）"},
        {336330817, -901, " "},
        {336330766, 0, "（データベースの上書きはできません。）"},
    };
    for (const auto& c : cases) {
        std::string text;
        GetIscErrorText(c.code, c.sql, text);
        EXPECT_EQ(text, c.text) << c.code;
    }
    // Every code of the table has a bracketed text.
    for (std::int32_t code : {335544323, 335544506, 335544701}) {
        const std::string text = iscErrorText(code, 0);
        EXPECT_EQ(text.rfind("（", 0), 0u) << code;
    }
}

// Every text of the table is in Japanese: kana or kanji inside the brackets
// (bar the one code whose message is the server's argument alone), and the
// argument markers are kept.
TEST(IscErrorText, TextsAreJapanese)
{
    auto japanese = [](const std::string& text) {
        // Kana and the common kanji lie in E3..E9 of UTF-8; the brackets do not.
        return std::any_of(text.begin(), text.end(), [](char c) {
            const auto b = static_cast<unsigned char>(c);
            return b >= 0xE3 && b <= 0xE9;
        });
    };
    int withText = 0;
    for (std::int32_t code = 335544321; code <= 335544701; ++code) {
        const std::string text = iscErrorText(code, 0);
        if (text == " ")
            continue;
        ++withText;
        EXPECT_EQ(text.rfind("（", 0), 0u) << code;
        if (code != 335544335) {
            ASSERT_GE(text.size(), 3u);
            EXPECT_EQ(text.substr(text.size() - 3), "）") << code;
        }
        if (code != 335544382) {
            EXPECT_TRUE(japanese(text)) << code << " " << text;
        }
    }
    EXPECT_EQ(withText, 364); // 365 codes with a text in this range, one of them a blank
    EXPECT_EQ(iscErrorText(335544395, 0), "（テーブル @1 は定義されていません）");
    EXPECT_EQ(iscErrorText(335544390, 0), "（BLR の構文エラーです：オフセット @2 で @1 を期待しましたが、@3 がありました）");
}
