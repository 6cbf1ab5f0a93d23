// The script runner: isql's verdict by exit code, error lines and time
// limit, the error logs, and what never leaves the run (the password, the
// private folder). Against the fake tool in place of isql, and against a
// real database with isql-fb.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "SchemaDatabase.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "dbupdate/IsqlRunner.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
using vq::test::ScopedEnv;
namespace fs = std::filesystem;

namespace {

class IsqlRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        SystemDef.WinTempDir = (root_ / "tmp").string();
        SystemDef.LogDir = (root_ / "log").string();
        SystemDef.DataDir = (root_ / "data").string();
        SystemDef.DbUser = "SYSDBA";
        SystemDef.DbPassword = "secret-pw";
        for (const auto& dir : {SystemDef.WinTempDir, SystemDef.DataDir})
            fs::create_directories(dir);
        SetIsqlTimeLimit(std::chrono::seconds(60));
    }
    void TearDown() override
    {
        SystemDef = saved_;
        SetIsqlTimeLimit(std::chrono::minutes(30));
    }

    TUpdateScript script() const
    {
        TUpdateScript s;
        s.AddHeader(1);
        s.Add("SELECT 1 FROM RDB$DATABASE;");
        s.Add("EXIT;");
        return s;
    }

    // Runs the script with the fake tool as isql doing commands.
    std::int32_t runFake(const std::string& commands)
    {
        ScopedEnv isql("VQ_ISQL", VQ_FAKE_TOOL);
        ScopedEnv fake("VQ_FAKE_TOOL", commands);
        ScopedEnv log("VQ_FAKE_TOOL_LOG", (root_ / "args.txt").string());
        fs::remove(root_ / "args.txt");
        return ExecIsqlScript(script(), "7.0.4");
    }

    fs::path file(const std::string& name, const std::string& text)
    {
        const fs::path path = root_ / name;
        test::writeBytes(path, text);
        return path;
    }

    std::string errText() const { return test::readBytes(fs::path(SystemDef.LogDir) / "ErrDataup.txt"); }
    std::string errLog() const { return test::readBytes(fs::path(SystemDef.LogDir) / "ErrDataup.log"); }
    bool tempIsEmpty() const { return fs::is_empty(SystemDef.WinTempDir); }

    test::TempDir root_;
    platform::ScopedScriptedInteraction seam_;

private:
    TSystemDef saved_;
};

} // namespace

TEST_F(IsqlRunnerTest, VerdictByExitCodeErrorLinesAndTimeLimit)
{
    const fs::path clean = file("clean.txt", "CONNECT 'x' USER 'SYSDBA';\nSELECT 1 FROM RDB$DATABASE;\nEXIT;\n");
    const fs::path failed = file("failed.txt", "INSERT INTO B VALUES(1);\nStatement failed, SQLSTATE = 42S02\n"
                                               "Dynamic SQL Error\n-Table unknown\n");
    const fs::path parse = file("parse.txt", "Expected end of statement, encountered EOF\n");
    const fs::path words = file("words.txt", "CREATE TABLE ERRORS (A INTEGER);\n/* Error, failed and ERROR in text */\n"
                                             "COMMIT;\n");
    struct Case {
        std::string commands;
        std::int32_t result;
    } cases[] = {
        {"copy-to-arg -o " + clean.string(), 1},
        {"copy-to-arg -o " + words.string(), 1},           // words that name no failure
        {"copy-to-arg -o " + failed.string() + " exit 1", 16},
        {"copy-to-arg -o " + failed.string(), 16},         // an error line with exit code 0
        {"copy-to-arg -o " + parse.string(), 16},
        {"exit 1", 16},                                    // the exit code alone
        {"crash", 16},
    };
    for (const auto& c : cases) {
        seam_->messages.clear();
        EXPECT_EQ(runFake(c.commands), c.result) << c.commands;
        EXPECT_TRUE(tempIsEmpty()) << c.commands;
        if (c.result == 16) {
            ASSERT_EQ(seam_->messages.size(), 1u) << c.commands;
            EXPECT_EQ(seam_->messages[0].text, "Ver 7.0.4のデータベース更新に失敗しました。");
            EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Error);
        } else {
            EXPECT_TRUE(seam_->messages.empty()) << c.commands;
        }
    }

    SetIsqlTimeLimit(std::chrono::milliseconds(500));
    EXPECT_EQ(runFake("hang"), 16);
    EXPECT_NE(platform::cp932::toUtf8(errText()).find("制限時間"), std::string::npos);
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(IsqlRunnerTest, MissingToolGives17)
{
    ScopedEnv isql("VQ_ISQL", (root_ / "no-such-isql").string());
    EXPECT_EQ(ExecIsqlScript(script(), "7.0.4"), 17);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "ISQL.EXEが起動できません。\r処理を中止します。");
    EXPECT_TRUE(tempIsEmpty());
    EXPECT_FALSE(fs::exists(fs::path(SystemDef.LogDir) / "ErrDataup.txt"));
}

TEST_F(IsqlRunnerTest, ErrorLogsKeepTheLastAndEveryFailureWithoutThePassword)
{
    const fs::path first = file("first.txt", "A;\nStatement failed, SQLSTATE = 42000\n");
    const fs::path second = file("second.txt", "B;\r\nStatement failed, SQLSTATE = 42S02\r\n-Table unknown\r\n");
    const fs::path seen = root_ / "script-seen.sql";
    const fs::path modes = root_ / "modes.txt";
    EXPECT_EQ(runFake("copy-from-arg -i " + seen.string() + " dirmode -i " + modes.string() + " copy-to-arg -o " +
                      first.string()),
              16);
    EXPECT_EQ(errText(), "A;\r\nStatement failed, SQLSTATE = 42000\r\n");
    EXPECT_EQ(runFake("copy-to-arg -o " + second.string()), 16);
    const std::string secondLines = "B;\r\nStatement failed, SQLSTATE = 42S02\r\n-Table unknown\r\n";
    EXPECT_EQ(errText(), secondLines);
    EXPECT_EQ(errLog(), "A;\r\nStatement failed, SQLSTATE = 42000\r\n" + secondLines);

    // The script isql got: CP932, CR LF, the user but not the password, in a
    // folder only this user could enter, gone after the call.
    const std::string seenScript = test::readBytes(seen);
    EXPECT_NE(seenScript.find("USER 'SYSDBA';\r\n"), std::string::npos);
    for (const std::string& text : {seenScript, errText(), errLog(), test::readBytes(root_ / "args.txt")})
        EXPECT_EQ(text.find(SystemDef.DbPassword), std::string::npos);
    EXPECT_EQ(test::readBytes(modes), "700\n");
    const std::string args = test::readBytes(root_ / "args.txt");
    EXPECT_NE(args.find("-ch\nSJIS_0208\n"), std::string::npos);
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(IsqlRunnerTest, RealIsqlConvertsJapaneseWithoutSetNamesAndStopsAtTheFirstError)
{
    const fs::path database = fs::path(SystemDef.DataDir) / DataDbFileName;
    test::buildDatabase(test::SchemaKind::DataSet, database);

    TUpdateScript ok;
    ok.AddHeader(1);
    ok.Add("UPDATE ACCDEF1 SET SHOUGOU='日本語の会社' WHERE REC=1;");
    ok.Add("COMMIT;");
    ok.Add("EXIT;");
    EXPECT_EQ(ExecIsqlScript(ok, "3.0.0"), 1);

    TUpdateScript bad;
    bad.AddHeader(1);
    bad.Add("UPDATE ACCDEF1 SET SHOUGOU='変更前' WHERE REC=1;");
    bad.Add("UPDATE NO_SUCH_TABLE SET A=1;");
    bad.Add("UPDATE ACCDEF1 SET SHOUGOU='変更後' WHERE REC=1;");
    bad.Add("COMMIT;");
    bad.Add("EXIT;");
    EXPECT_EQ(ExecIsqlScript(bad, "3.0.1"), 16);
    EXPECT_NE(errText().find("NO_SUCH_TABLE"), std::string::npos);
    EXPECT_EQ(errText().find(SystemDef.DbPassword), std::string::npos);
    EXPECT_TRUE(tempIsEmpty());

    db::Attachment a = db::attachDatabase({database.string(), "SYSDBA", ""});
    db::Transaction tr(a, db::kReadCommitted);
    tr.start();
    db::Statement q(a, tr, "SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("SHOUGOU").asString(), "日本語の会社");
}
