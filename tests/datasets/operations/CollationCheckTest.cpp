#include "datasets/operations/CollationCheck.h"

#include <gtest/gtest.h>

#include "OperationsFixture.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/operations/DataStatusGate.h"

namespace fs = std::filesystem;
using namespace vq;

namespace {

TDataInfomationRec described(const std::string& shougou, const std::string& kishu, const std::string& kimatu,
                             int total = 0, int gassan = 0)
{
    TDataInfomationRec r;
    r.SHOUGOU = shougou;
    r.KISHU = kishu;
    r.KIMATU = kimatu;
    r.TOTALSIWAKE = total;
    r.GASSANKBN = static_cast<std::uint8_t>(gassan);
    return r;
}

class CollationCheckTest : public vq::test::OperationsFixture {};

TEST_F(CollationCheckTest, ThePatternTableRefusesExactlyItsSixPairs)
{
    const int kinds[] = {0, 1, 2, 10};
    std::vector<std::pair<int, int>> refused;
    for (int s : kinds)
        for (int t : kinds)
            if (IsRefusedGassanPattern(s, t))
                refused.emplace_back(s, t);
    EXPECT_EQ(refused, (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 2}, {2, 1}, {10, 1}, {10, 2}}));
}

TEST_F(CollationCheckTest, ARefusedPatternShowsItsFourLinesAndChangesNothing)
{
    const fs::path target = makeDataSet(root_.path() / "t", "合算会社", "2024/01/01", "2024/12/31", 1);
    const auto before = vq::test::snapshotOf(target);
    TCopySource copy;
    EXPECT_EQ(CheckGassanPattern(OpPaste, described("通常", "2024/01/01", "2024/12/31"), target.string(), copy), 0);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0].caption, "警告");
    EXPECT_EQ(notices_[0].mainText,
              "貼り付け先の合算データ区分が妥当ではありません。\rデータリストの空行を選んで処理を行って下さい。");
    EXPECT_EQ(notices_[0].lines.size(), 5u);
    EXPECT_EQ(notices_[0].lines[1], " ①通常データ       を 合算データ（合算本支店データ） へ");
    EXPECT_EQ(notices_[0].lines[4], " ④合算本支店データ を 合算データ へ");
    EXPECT_EQ(vq::test::snapshotOf(target), before);
}

TEST_F(CollationCheckTest, AMissingOrEmptyTargetPassesAndARestoreTakesTheSourceValues)
{
    TCopySource copy;
    const TDataInfomationRec source = described("元会社", "2024/04/01", "2025/03/31", 3, 1);
    EXPECT_EQ(CheckGassanPattern(OpRestore, source, (root_.path() / "new" / "0005").string(), copy), 1);
    EXPECT_TRUE(fs::is_directory(root_.path() / "new" / "0005"));
    EXPECT_EQ(copy.Row.SHOUGOU, "元会社");
    EXPECT_EQ(copy.Row.GASSAN, 1);
    EXPECT_GT(copy.Row.KISHU, 0);
    TCopySource pasted;
    EXPECT_EQ(CheckGassanPattern(OpPaste, source, (root_.path() / "new" / "0005").string(), pasted), 1);
    EXPECT_TRUE(pasted.Row.SHOUGOU.empty());
    EXPECT_EQ(CheckGassanPattern(OpPaste, source, "", pasted), 0);
    EXPECT_TRUE(notices_.empty());
}

TEST_F(CollationCheckTest, DifferencesGiveTheirLinesAndNeedTheAgreement)
{
    ConnectMode = ConnectStandAlone;
    const auto lines = CollationDifferences(OpRestore, described("新会社", "2024/04/01", "2025/03/31", 5),
                                            described("旧会社", "2024/01/01", "2025/03/31", 1234, 1));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "会社名に違いがありました。", "　【復元元】：新会社", "　【復元先】：旧会社",
                         "　注）復元を続行した場合は配下の分散データは削除されます。", "", "",
                         "期首に違いがありました。", "　【復元元】：2024/04/01", "　【復元先】：2024/01/01", "",
                         "仕訳件数(修正・削除仕訳含む)が減っています。", "　【復元元】：5 件", "　【復元先】：1,234 件", ""}));
    // Equal or more journals, same names and dates: nothing to agree to.
    EXPECT_TRUE(CollationDifferences(OpPaste, described("A", "2024/01/01", "2024/12/31", 9),
                                     described("A", "2024/01/01", "2024/12/31", 9)).empty());
    EXPECT_TRUE(CollationDifferences(OpPaste, described("A", "2024/01/01", "2024/12/31", 10),
                                     described("A", "2024/01/01", "2024/12/31", 9)).empty());

    listAnswer_ = 2;
    EXPECT_EQ(CollationCheck(OpPaste, described("A", "2024/01/01", "2024/12/31"), described("B", "2024/01/01", "2024/12/31")), 0);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0].agreement, "データ貼り付け処理の続行に同意します。");
    listAnswer_ = 1;
    EXPECT_EQ(CollationCheck(OpPaste, described("A", "2024/01/01", "2024/12/31"), described("B", "2024/01/01", "2024/12/31")), 1);
    EXPECT_EQ(CollationCheck(OpPaste, described("", "", ""), described("B", "2024/01/01", "2024/12/31")), 0);
    EXPECT_EQ(seam_->messages.back().text, "貼り付け処理元のデータ情報が不正です。\r");
}

TEST_F(CollationCheckTest, StatusChecksReportWhatStopsAnOperation)
{
    const fs::path folder = makeDataSet(root_.path() / "s", "会社");
    TDataInfomationRec info;
    EXPECT_EQ(CheckDataStatus((root_.path() / "none").string(), true, true, info), 0);
    EXPECT_EQ(seam_->messages.back().text, "このフォルダには財務データがありません。\r");
    const std::size_t shown = seam_->messages.size();
    EXPECT_EQ(CheckDataStatus((root_.path() / "none").string(), false, true, info), 1);
    EXPECT_EQ(seam_->messages.size(), shown);

    TDataInfomation writer;
    writer.WriteDataStatus(folder.string(), DataStatusInUse);
    EXPECT_EQ(CheckDataStatus(folder.string(), false, true, info), DataStatusInUse);
    EXPECT_EQ(seam_->messages.back().caption, "選択データの状態");
    EXPECT_EQ(seam_->messages.back().text.rfind("このデータは使用中のため処理が行えません。\r"
                                                "前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。", 0), 0u);
    EXPECT_TRUE(IsAllowedStatus(DataStatusInUse, ConnectClientServer));
    EXPECT_FALSE(IsAllowedStatus(DataStatusInUse, ConnectStandAlone));
    EXPECT_FALSE(IsAllowedStatus(DataStatusFree, 7));

    {
        DataStatusMark mark(folder.string(), DataStatusSaving);
        EXPECT_EQ(infoOf(folder).STATUS, DataStatusSaving);
    }
    EXPECT_EQ(infoOf(folder).STATUS, DataStatusFree);
    EXPECT_EQ(infoOf(folder).OPCODE, 0);
}

} // namespace
