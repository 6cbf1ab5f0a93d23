// Typed settings, blobs and the medical profile of a data set, on a real
// data-set database; and the transaction discipline of the routines.
#include <gtest/gtest.h>

#include "DataModuleFixture.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/MsdHoukoku.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/Statement.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class AccRegTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
    }

    // Rows of a key as "ATYPE|ATEXT" ("<null>" for a null text), read in a
    // transaction of their own.
    std::vector<std::string> rows(const std::string& group, const std::string& code)
    {
        auto q = CreateAccQuery(kAccDat, false);
        db::TransactionScope scope(dm_.IBTransactionDAT);
        q->setSql("SELECT ATYPE,ATEXT FROM ACCREG WHERE AGROUP=:G AND ACODE=:C");
        q->param("G").setString(group);
        q->param("C").setString(code);
        q->execute();
        std::vector<std::string> out;
        while (q->fetch())
            out.push_back(q->field("ATYPE").asString() + "|" +
                          (q->field("ATEXT").isNull() ? "<null>" : q->field("ATEXT").asString()));
        scope.commit();
        return out;
    }
};

} // namespace

TEST_F(AccRegTest, FirstReadInsertsTheDefaultForEachType)
{
    struct Case {
        std::string type, defaultText;
        SettingValue expected;
    } cases[] = {
        {"文字", "個別原価", SettingValue("個別原価")},
        {"文字", "", SettingValue(" ")},
        {"論理", "true", SettingValue(true)},
        {"論理", "", SettingValue(false)},
        {"日付", "2024/04/01", SettingValue(encodeDate(2024, 4, 1))},
        {"日付", "0", SettingValue(0.0)},
        {"整数", "12", SettingValue(std::int32_t{12})},
        {"整数", "x", SettingValue(std::int32_t{0})},
        {"金額", "1234.5", SettingValue::currency(12345000)},
        {"実数", "0.125", SettingValue(0.125)},
        {"日時", "2024/04/01 10:20:30", SettingValue(encodeDateTime(2024, 4, 1, 10, 20, 30))},
        {"不明", "abc", SettingValue("Data Type Error")},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string code = "項目" + std::to_string(n++);
        SettingValue v;
        GetAccReg("試験", code, c.type, c.defaultText, v);
        EXPECT_EQ(v, c.expected) << c.type << " " << c.defaultText;
        EXPECT_EQ(rows("試験", code), std::vector<std::string>{c.type + "|" + c.defaultText});
        // The second read finds the row and adds none.
        SettingValue again;
        GetAccReg("試験", code, c.type, "other", again);
        EXPECT_EQ(again, c.expected);
        EXPECT_EQ(rows("試験", code).size(), 1u);
    }
}

TEST_F(AccRegTest, WritesInTheFormOfTheTypeAndKeepsTheStoredType)
{
    PutAccReg("試験", "日付", "日付", SettingValue(encodeDate(2025, 3, 31)));
    EXPECT_EQ(rows("試験", "日付"), std::vector<std::string>{"日付|2025/03/31"});
    PutAccReg("試験", "日付", "日付", SettingValue(0.0));
    EXPECT_EQ(rows("試験", "日付"), std::vector<std::string>{"日付|"});
    EXPECT_EQ(GetAccRegDate("試験", "日付", "2000/01/01"), 0);

    PutAccReg("試験", "切替", "論理", SettingValue(true));
    PutAccReg("試験", "切替", "整数", SettingValue(std::int32_t{7}));
    EXPECT_EQ(rows("試験", "切替"), std::vector<std::string>{"論理|7"});

    PutAccReg("試験", "金額", "金額", SettingValue::currency(-5000));
    EXPECT_EQ(GetAccRegCurrency("試験", "金額", "0"), -5000);
    EXPECT_EQ(rows("試験", "金額"), std::vector<std::string>{"金額|-0.5"});

    PutAccReg("試験", "大小", "論理", SettingValue("tRuE"));
    EXPECT_TRUE(GetAccRegBool("試験", "大小", "FALSE"));

    PutAccReg("試験", "謎", "謎", SettingValue("x"));
    EXPECT_EQ(rows("試験", "謎"), std::vector<std::string>{"謎|<null>"});

    DeleteAccReg("試験", "謎");
    EXPECT_TRUE(rows("試験", "謎").empty());
}

TEST_F(AccRegTest, RoutinesLeaveACallersTransactionAloneAndRollBackOnlyTheirOwn)
{
    // Started by the caller: the routine neither commits nor rolls it back.
    dm_.IBTransactionDAT.start();
    EXPECT_EQ(GetAccRegText("試験", "呼出側", "値"), "値");
    EXPECT_TRUE(dm_.IBTransactionDAT.active());
    // A failing routine (the group is longer than the column) keeps the
    // caller's transaction and the caller's work in it.
    const std::string tooLong(200, 'G');
    EXPECT_THROW(GetAccRegText(tooLong, "x", "y"), db::DbError);
    EXPECT_TRUE(dm_.IBTransactionDAT.active());
    dm_.IBTransactionDAT.rollback();
    EXPECT_TRUE(rows("試験", "呼出側").empty()) << "the caller's rollback undid the insert";

    // Started by the routine: committed on success, rolled back on failure.
    EXPECT_EQ(GetAccRegText("試験", "自前", "値"), "値");
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
    EXPECT_THROW(PutAccReg(tooLong, "x", "文字", SettingValue("y")), db::DbError);
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
    EXPECT_EQ(rows("試験", "自前").size(), 1u);

    // The profile follows the same rule.
    dm_.IBTransactionDAT.start();
    EXPECT_FALSE(HasKikin());
    EXPECT_TRUE(dm_.IBTransactionDAT.active());
    dm_.IBTransactionDAT.rollback();
}

TEST_F(AccRegTest, BlobsRoundTrip)
{
    PutAccRegBlob("Ovidal連動", "設定情報", "メモ", SettingValue("DATA=1\r\n所得区分=2"));
    SettingValue memo;
    GetAccRegBlob("Ovidal連動", "設定情報", "メモ", memo);
    EXPECT_EQ(memo.asString(), "DATA=1\r\n所得区分=2\r\n");

    const std::string image("BM\0\x01\xff\x80image", 11);
    const fs::path source = root_.path() / "logo.bmp";
    test::writeBytes(source, image);
    PutAccRegBlob("画像", "ロゴ", "BMP", SettingValue(source.string()));
    SettingValue first, second;
    GetAccRegBlob("画像", "ロゴ", "", first);
    GetAccRegBlob("画像", "ロゴ", "", second);
    EXPECT_NE(first.asString(), second.asString()) << "every read gets a file of its own";
    EXPECT_EQ(fs::path(first.asString()).extension(), ".bmp");
    EXPECT_EQ(fs::path(first.asString()).parent_path(), fs::path(SystemDef.WinTempDir));
    EXPECT_EQ(test::readBytes(first.asString()), image);

    SettingValue untouched("unchanged");
    GetAccRegBlob("画像", "なし", "", untouched);
    EXPECT_EQ(untouched.asString(), "unchanged");

    // A missing image file fails before anything is written.
    EXPECT_ANY_THROW(PutAccRegBlob("画像", "ロゴ", "JPG", SettingValue((root_.path() / "none.jpg").string())));
    EXPECT_FALSE(dm_.IBTransactionDAT.active());

    ReleaseAccRegImageFiles();
    EXPECT_FALSE(fs::exists(first.asString()));
    EXPECT_FALSE(fs::exists(second.asString()));
}

TEST_F(AccRegTest, MedicalProfile)
{
    SettingValue v;
    GetMsdHoukoku("法人概要", "基金", "文字", "無", v);
    EXPECT_EQ(v.asString(), "無");
    GetMsdHoukoku("法人概要", "基金", "実数", "無", v);
    EXPECT_EQ(v.asString(), "Data Type Error");
    EXPECT_FALSE(HasKikin());
    EXPECT_FALSE(IsZaidanSyakaiTokutei());

    auto q = CreateAccQuery(kAccDat, false);
    db::TransactionScope scope(dm_.IBTransactionDAT);
    q->setSql("UPDATE MSD_HOUKOKU SET MDTEXT1=:T WHERE MDGROUP='法人概要' AND MDCODE=:C");
    for (auto [code, text] : {std::pair{"基金", "有"}, std::pair{"医療法人", "特定"}}) {
        q->param("T").setString(text);
        q->param("C").setString(code);
        q->execute();
    }
    scope.commit();
    EXPECT_TRUE(HasKikin());
    EXPECT_TRUE(IsZaidanSyakaiTokutei());
}
