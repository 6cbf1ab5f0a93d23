// The My Number store: the password check, the audit-log rows and their
// texts, two rows of one instant, and the log carried into a restored data
// set of the same company only.
#include <gtest/gtest.h>

#include "../data/DataModuleFixture.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/MyNumberIO.h"
#include "platform/Cp932.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class MyNumberIOTest : public test::DataModuleFixture {};

// A clock that moves on by a millisecond at every reading.
class TickingInteraction : public platform::ScriptedInteraction {
public:
    double now() override
    {
        clock += 1.0 / 86400000.0;
        return clock;
    }
};

} // namespace

TEST_F(MyNumberIOTest, PasswordCheck)
{
    TMyNumberIO io;
    SystemDef.MYNUMBER_ADM = 0;
    EXPECT_TRUE(io.CheckPassword("secret"));
    EXPECT_TRUE(seam_->inputs.empty());

    SystemDef.MYNUMBER_ADM = 1;
    EXPECT_FALSE(io.CheckPassword(""));
    seam_->inputAnswers = {"wrong", " secret　"};
    EXPECT_TRUE(io.CheckPassword("secret"));
    ASSERT_EQ(seam_->inputs.size(), 2u);
    EXPECT_EQ(seam_->inputs[0], "マイナンバー管理パスワードを入力して下さい。");
    EXPECT_EQ(seam_->inputs[1], "正しいパスワードを入力して下さい。");
    ASSERT_EQ(seam_->inputRequests.size(), 2u);
    const auto& first = seam_->inputRequests[0];
    EXPECT_TRUE(first.password);
    EXPECT_EQ(first.maxLength, 8);
    EXPECT_EQ(first.keyFilter, 30);
    EXPECT_FALSE(first.promptAlert);
    EXPECT_EQ(first.hint, "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                          "3回続けて失敗すると呼出し元の画面に戻ります。");
    EXPECT_TRUE(seam_->inputRequests[1].promptAlert);

    seam_->inputs.clear();
    seam_->inputAnswers = {"a", "b", "c"};
    EXPECT_FALSE(io.CheckPassword("secret"));
    EXPECT_EQ(seam_->inputs.size(), 3u);

    seam_->inputs.clear();
    seam_->inputAnswers = {"a", std::nullopt, "secret"};
    EXPECT_FALSE(io.CheckPassword("secret"));   // cancelled on the second try
    EXPECT_EQ(seam_->inputs.size(), 2u);
}

TEST_F(MyNumberIOTest, LogRowTexts)
{
    struct Case {
        std::uint8_t state;
        const char* proc;
        const char* comment;
    };
    const Case cases[] = {
        {6, "データ送信", "マイナンバー情報を含むデータが送信されました。"},
        {6, "データ保存", "マイナンバー情報を含むデータが保存されました。"},
        {7, "データ受信", "マイナンバー情報を含むデータが受信されました。"},
        {8, "データ送信", "マイナンバー情報を含めずにデータが送信されました。"},
        {3, "画面", "マイナンバー情報が削除されました。"},
        {9, "画面", "マイナンバー管理パスワードを既定値に設定しました。"},
        {10, "画面", "マイナンバー管理パスワードを変更しました。"},
    };
    for (const auto& c : cases) {
        TMyNumberLogRec rec;
        TMyNumberIO::MakeLogRec(rec, c.state, c.proc);
        EXPECT_EQ(rec.FCOMMENT, c.comment) << static_cast<int>(c.state) << c.proc;
        EXPECT_EQ(rec.FSTATE, c.state);
    }
    // A computer name of 70 bytes whose 60th byte starts a double-byte
    // character is cut to 59 bytes, never halving it.
    SystemDef.ComputerName = std::string(59, 'A');
    for (int i = 0; i < 5; ++i)
        SystemDef.ComputerName += "端";
    SystemDef.ComputerName += "B";
    TMyNumberLogRec rec;
    TMyNumberIO::MakeLogRec(rec, 4, "画面");
    EXPECT_EQ(rec.FHOST, std::string(59, 'A'));
}

TEST_F(MyNumberIOTest, TwoRowsOfOneInstantAndTheMergeIntoTheSameCompanyOnly)
{
    ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    TMyNumberIO io;
    auto previous = platform::installInteraction(std::make_unique<TickingInteraction>());
    TMyNumberLogRec first, second;
    TMyNumberIO::MakeLogRec(first, 4, "画面");
    TMyNumberIO::MakeLogRec(second, 5, "画面");
    first.FHIZUKE = second.FHIZUKE = 46000.5;   // written in the same instant
    io.AddLog(first);
    io.AddLog(second);
    EXPECT_GT(second.FHIZUKE, first.FHIZUKE);
    io.LoadLog(0);
    EXPECT_EQ(io.LogCount, 2);
    platform::installInteraction(std::move(previous));
    EXPECT_TRUE(seam_->messages.empty());
    dm_.CloseAccDat("", 0, 0);

    // Carried into another data set: only when it is the same company.
    const fs::path other = root_.path() / "data" / "0002";
    fs::create_directories(other);
    test::buildDatabase(test::SchemaKind::DataSet, other / DataDbFileName);
    test::runSql(dataFile(), "UPDATE ACCDEF1 SET SHOUGOU = '番号商店' WHERE REC = 1;\n");
    test::runSql(other / DataDbFileName, "UPDATE ACCDEF1 SET SHOUGOU = '別の商店' WHERE REC = 1;\n");
    io.LoadLogFrom("", dataFile().string());
    ASSERT_EQ(io.Shougou, "番号商店");
    io.MergeLogInto("", (other / DataDbFileName).string());
    TMyNumberIO reader;
    reader.LoadLogFrom("", (other / DataDbFileName).string());
    EXPECT_EQ(reader.LogCount, 0);

    test::runSql(other / DataDbFileName, "UPDATE ACCDEF1 SET SHOUGOU = '番号商店' WHERE REC = 1;\n");
    io.MergeLogInto("", (other / DataDbFileName).string());
    io.MergeLogInto("", (other / DataDbFileName).string());   // twice: nothing doubled
    reader.LoadLogFrom("", (other / DataDbFileName).string());
    EXPECT_EQ(reader.LogCount, io.LogCount);
}
