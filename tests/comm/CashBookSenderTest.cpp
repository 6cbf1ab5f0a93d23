// The marks of the cash entries before a cash-book send, on a copy of a
// sample data set: mode 0 renews every mark (and gives the same marks when
// run again), mode 1 only links the live entries not linked yet, and a
// failure leaves every row as it was.
#include "comm/CashBookSender.h"

#include "CashBookFixture.h"

#include <gtest/gtest.h>

using namespace vq;

namespace {

const std::string Marks = "SELECT REC,RESERVE1,RESERVE2,LINKKEY,LINKKUB,LINKREC,LOCALFLG FROM SIWAKE ORDER BY REC";

} // namespace

class CashBookSenderTest : public test::CashBookFixture {
protected:
    void SetUp() override
    {
        CashBookFixture::SetUp();
        // A deleted cash entry, a cash entry linked by another program, a
        // non-cash entry taken in for its revision counter, and leftovers of
        // an earlier exchange on every row.
        openSql("UPDATE SIWAKE SET RESERVE1=77,RESERVE2=5,LINKREC=0,LOCALFLG=10");
        openSql("UPDATE SIWAKE SET DELFLG=1 WHERE SWKREC=(SELECT MIN(SWKREC) FROM SIWAKE WHERE KCODE='1110')");
        openSql("UPDATE SIWAKE SET LINKKUB=13,LINKKEY='other' WHERE SWKREC=(SELECT MAX(SWKREC) FROM SIWAKE "
                "WHERE KCODE='1110')");
        openSql("UPDATE SIWAKE SET LINKREC=4,LINKKUB=12,LINKKEY='x',COMMENT='counted' WHERE SWKREC=(SELECT MIN(SWKREC) FROM SIWAKE "
                "WHERE TAISHAKU=1 AND KCODE<>'1110' AND R_KCODE<>'1110')");
    }

    std::int32_t run(std::uint8_t afterSend, std::uint8_t mode)
    {
        comm::TCashBookSender sender;
        sender.AfterSend = afterSend;
        sender.Mode = mode;
        sender.Execute();
        return sender.RecomputeResult();
    }

    // Rows of the journal (both rows of an entry) that break the rule.
    std::vector<std::string> breaking(const std::string& where)
    {
        return openRows("SELECT S.REC FROM SIWAKE S JOIN SIWAKE T ON (T.SWKREC=S.SWKREC AND T.TAISHAKU=1) WHERE " +
                        where);
    }
};

TEST_F(CashBookSenderTest, ModeZeroRenewsEveryMarkTheSameWayEachTime)
{
    ASSERT_EQ(AccInf.SysKCode[SysGenkin], "1110");
    EXPECT_EQ(run(0, 0), 1);
    const std::string cash = "(T.KCODE='1110' OR T.R_KCODE='1110')";
    EXPECT_EQ(breaking(cash + " AND T.DELFLG=0 AND NOT (S.RESERVE1=T.REC AND S.RESERVE2=0 AND S.LINKKEY="
                              "CAST(T.REC AS VARCHAR(20)) AND S.LINKKUB=10 AND S.LINKREC=0 AND S.LOCALFLG=0)"),
              std::vector<std::string>{});
    EXPECT_EQ(breaking(cash + " AND T.DELFLG=1 AND NOT (S.RESERVE1=T.REC AND S.LINKKEY='' AND S.LINKKUB=0)"),
              std::vector<std::string>{});
    EXPECT_EQ(openRows("SELECT RESERVE1,RESERVE2,LINKKEY,LINKKUB,LINKREC,LOCALFLG FROM SIWAKE WHERE TAISHAKU=1 "
                       "AND KCODE<>'1110' AND R_KCODE<>'1110' AND LINKKUB=0 AND RESERVE1=0"),
              std::vector<std::string>{"0|0||0|0|0"});
    // Entries that are no cash entries keep what they had.
    EXPECT_EQ(breaking("NOT " + cash + " AND T.COMMENT<>'counted' AND S.RESERVE1<>77"), std::vector<std::string>{});

    const auto first = openRows(Marks);
    EXPECT_EQ(run(0, 0), 1);
    EXPECT_EQ(openRows(Marks), first);
}

TEST_F(CashBookSenderTest, ModeOneLinksOnlyLiveUnlinkedEntries)
{
    for (auto [afterSend, mode] : {std::pair<std::uint8_t, std::uint8_t>{0, 1}, {1, 0}}) {
        SCOPED_TRACE(int(afterSend));
        const auto before = openRows("SELECT REC,RESERVE1,RESERVE2,LINKKEY,LINKKUB,LINKREC FROM SIWAKE WHERE "
                                     "LINKKUB<>0 OR DELFLG=1 ORDER BY REC");
        EXPECT_EQ(run(afterSend, mode), 1);
        EXPECT_EQ(breaking("(T.KCODE='1110' OR T.R_KCODE='1110') AND T.DELFLG=0 AND T.LINKKEY<>'other' AND NOT "
                           "(S.LINKKEY=CAST(T.REC AS VARCHAR(20)) AND S.LINKKUB=10 AND S.RESERVE1=77)"),
                  std::vector<std::string>{});
        // Deleted, already linked and the non-cash entry stay as they were.
        EXPECT_EQ(openRows("SELECT REC,RESERVE1,RESERVE2,LINKKEY,LINKKUB,LINKREC FROM SIWAKE WHERE (LINKKUB<>0 "
                           "AND LINKKUB<>10) OR DELFLG=1 ORDER BY REC"),
                  before);
        openSql("UPDATE SIWAKE SET LINKKUB=0,LINKKEY='' WHERE LINKKUB=10");
    }
}

TEST_F(CashBookSenderTest, WithoutCashEntriesNothingChangesAndTheRunSucceeds)
{
    AccInf.SysKCode[SysGenkin] = "9999";
    openSql("UPDATE SIWAKE SET LINKREC=0");
    const auto cleared = openRows(Marks);
    EXPECT_EQ(run(0, 0), 1);
    EXPECT_EQ(openRows(Marks), cleared);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(CashBookSenderTest, AFailureIsLoggedShownAndRolledBack)
{
    const auto before = openRows(Marks);
    // Another connection holds the last cash entry while the marking runs.
    db::Attachment other = db::attachDatabase({dataFile().string(), "SYSDBA", "masterkey"});
    db::Transaction holder(other);
    holder.start();
    other.execute(holder, "UPDATE SIWAKE SET COMMENT='held' WHERE SWKREC=(SELECT MAX(SWKREC) FROM SIWAKE "
                          "WHERE TAISHAKU=1 AND KCODE='1110' AND LINKKEY<>'other')");

    comm::TCashBookSender sender;
    sender.Mode = 0;
    sender.Execute();
    EXPECT_EQ(sender.RecomputeResult(), -100);
    ASSERT_EQ(sender.SendLog.size(), 1u);
    EXPECT_EQ(sender.SendLog[0].Message.rfind("出納帳データの送信処理に失敗しました。 原因: ", 0), 0u);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(seam_->messages[0].text.rfind("出納帳データの送信処理中にエラーが発生しました。\r\r原因: ", 0), 0u);
    holder.rollback();
    EXPECT_EQ(openRows(Marks), before);
}
