// The journal writer on a sample data set (general business, 2024): rows
// refused with the check's message in both wordings, rows written and seen by
// the trial-balance procedures, update, delete and undelete, and writers
// that meet each other's locks.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "../data/DataModuleFixture.h"
#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/journal/SiwakeWrite.h"
#include "platform/Process.h"
#include "platform/db/DbError.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class SiwakeWriteTest : public test::DataModuleFixture {
protected:
    // One sample office for the suite; each test works on its own copy of
    // the general-business data set.
    static void SetUpTestSuite()
    {
        office_ = new test::TempDir;
        auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {(office_->path() / "office").string()});
        ASSERT_TRUE(run.succeeded()) << run.standardError;
        const char* previousRoot = std::getenv("VQ_ROOT");
        const std::string restoreRoot = previousRoot ? previousRoot : "";
        ::setenv("VQ_ROOT", (office_->path() / "office").c_str(), 1);
        TSystemDef folders;
        InitSystemFolders(folders);
        if (previousRoot)
            ::setenv("VQ_ROOT", restoreRoot.c_str(), 1);
        else
            ::unsetenv("VQ_ROOT");
        sample_ = fs::path(folders.SysDir) / "0001" / DataDbFileName;
    }
    static void TearDownTestSuite()
    {
        delete office_;
        office_ = nullptr;
    }

    void SetUp() override
    {
        DataModuleFixture::SetUp();
        ASSERT_TRUE(fs::exists(sample_));
        folder_ = (root_.path() / "sample").string();
        fs::create_directories(folder_);
        fs::copy_file(sample_, fs::path(folder_) / DataDbFileName);
        ASSERT_TRUE(dm_.fnAccDatConnected("", folder_, 0));
        AccInf = TACCINF{};
        ASSERT_TRUE(dm_.fnGetAccInfo());
        writer_.SetTransaction(dm_.IBTransactionDAT);
        cash_ = userCode("SELECT FIRST 1 USERCODE FROM KAMOKUMST WHERE KNAME = '現金'");
        ASSERT_FALSE(cash_.empty());
        // A profit-and-loss account without sub-accounts that takes the
        // initial tax code on the credit side.
        auto q = std::make_unique<db::Statement>(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT);
        db::TransactionScope scope(dm_.IBTransactionDAT);
        q->setSql("SELECT USERCODE FROM KAMOKUMST WHERE KCODE >= '4000' ORDER BY KCODE");
        q->execute();
        std::vector<std::string> candidates;
        while (q->fetch())
            candidates.push_back(q->field(std::size_t{0}).asString());
        q->close();
        scope.commit();
        for (const auto& code : candidates) {
            TSWKREC rec = goodRow();
            rec.Credit.USERCODE = code;
            std::int32_t c = 0;
            std::string m;
            if (check(rec, c, m)) {
                income_ = code;
                break;
            }
        }
        ASSERT_FALSE(income_.empty());
    }

    std::string userCode(const std::string& sql)
    {
        db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT);
        db::TransactionScope scope(dm_.IBTransactionDAT);
        q.setSql(sql);
        q.execute();
        std::string code = q.fetch() ? q.field(std::size_t{0}).asString() : std::string();
        q.close();
        scope.commit();
        return code;
    }

    // The facility's journal-entry count, which every write moves.
    std::int64_t facilityCount()
    {
        db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT);
        db::TransactionScope scope(dm_.IBTransactionDAT);
        q.setSql("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE = ' '");
        q.execute();
        const std::int64_t count = q.fetch() ? q.field(std::size_t{0}).asInt64() : -1;
        q.close();
        scope.commit();
        return count;
    }

    // The check in its own one-shot transaction, as an import row is checked.
    bool check(TSWKREC& rec, std::int32_t& code, std::string& msg)
    {
        writer_.AutoCommit = 1;
        return writer_.TestSiwake(rec, code, msg);
    }

    TSWKREC goodRow()
    {
        TSWKREC rec;
        writer_.InitSiwakeRec(rec, 0, encodeDate(2024, 3, 15));
        rec.SCODE = " ";
        rec.Debit.USERCODE = cash_;
        rec.Credit.USERCODE = income_;
        rec.KINGAKU = YenToCurrency(1000);
        rec.TEKTEXT = "売上\t入金";
        return rec;
    }

    // Debit and credit of an account in March from the trial-balance procedure.
    std::pair<Currency, Currency> march(const std::string& code)
    {
        db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT);
        db::TransactionScope scope(dm_.IBTransactionDAT);
        q.setSql("SELECT KAR03, KAS03 FROM SP_TB_SCOPE_AMOUNTS(0, '', '', 0, '', '', "
                 "(SELECT KCODE FROM KAMOKUMST WHERE USERCODE = :U), NULL, 0)");
        q.param("U").setString(code);
        q.execute();
        std::pair<Currency, Currency> r{0, 0};
        if (q.fetch())
            r = {q.field(std::size_t{0}).asCurrency(), q.field(1).asCurrency()};
        q.close();
        scope.commit();
        return r;
    }

    static inline test::TempDir* office_ = nullptr;
    static inline fs::path sample_;
    std::string folder_;
    std::string cash_;
    std::string income_;
    TSiwakeWrite writer_;
};

} // namespace

TEST_F(SiwakeWriteTest, BadRowsAreRefusedWithTheirMessageInBothWordings)
{
    struct Case {
        const char* what;
        void (*change)(TSWKREC&);
        std::int32_t code;
        const char* entry;
        const char* import;
    };
    const Case cases[] = {
        {"a day after the year", [](TSWKREC& r) { r.HIZUKE = encodeDate(2025, 1, 1); }, 1,
         "日付が会計期間外または、決算区分の指定が不正です。", "日付が会計期間外または、決算区分の設定が不正です。"},
        {"a seven-character account", [](TSWKREC& r) { r.Debit.USERCODE = "1234567"; }, 11,
         "借方の科目コードが見つかりません。", "借方の科目コードの設定が不正です。"},
        {"an unknown credit account", [](TSWKREC& r) { r.Credit.USERCODE = "ZZZZ"; }, 21,
         "貸方の科目コードが見つかりません。", "貸方の科目コードの設定が不正です。"},
        {"half a yen", [](TSWKREC& r) { r.KINGAKU = CurrencyScale / 2; }, 31, "金額を入力してください。",
         "金額の設定が不正です。（０円 または null）"},
        {"minus 100 yen", [](TSWKREC& r) { r.KINGAKU = YenToCurrency(-100); }, 31, "マイナス金額は入力できません。",
         "金額にマイナス値が設定されました。"},
        {"ten billion yen", [](TSWKREC& r) { r.KINGAKU = YenToCurrency(10000000000LL); }, 31,
         "金額桁数がオーバーしています。", "金額の設定が不正です。（桁数オーバー）"},
        {"approved", [](TSWKREC& r) { r.SHONIN_HIZUKE = encodeDate(2024, 4, 1); }, 40, "承認済みの仕訳は訂正できません。",
         "承認済みの仕訳が設定されました。"},
    };
    for (std::uint8_t variant : {0, 1}) {
        writer_.MsgVariant = variant;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (variant ? " (import)" : ""));
            TSWKREC rec = goodRow();
            c.change(rec);
            std::int32_t code = 0;
            std::string msg;
            EXPECT_FALSE(check(rec, code, msg));
            EXPECT_EQ(code, c.code);
            EXPECT_EQ(msg, variant ? c.import : c.entry);
        }
    }

    // Audit lock: an audited row is refused to an operator below job level 9.
    AccInf.KANSA_LOCK = 1;
    SystemDef.JIMUSHO = 0;
    SystemDef.JOBLEVEL = 5;
    TSWKREC audited = goodRow();
    audited.CTIME = encodeDate(2024, 4, 1);
    std::int32_t code = 0;
    std::string msg;
    writer_.MsgVariant = 0;
    EXPECT_FALSE(check(audited, code, msg));
    EXPECT_EQ(code, 2);
    EXPECT_EQ(msg, "監査済みの仕訳は訂正できません。");
    SystemDef.JOBLEVEL = 9;
    EXPECT_TRUE(check(audited, code, msg)) << msg;

    // The settlement entry on the last day belongs to period 16.
    TSWKREC closing = goodRow();
    closing.HIZUKE = AccInf.KIMATU;
    closing.KESSAN = 1;
    EXPECT_TRUE(check(closing, code, msg)) << msg;
    EXPECT_EQ(closing.MNUM, 16);
}

TEST_F(SiwakeWriteTest, WrittenRowsReachTheTrialBalanceAndComeBack)
{
    const auto cashBefore = march(cash_);
    const auto incomeBefore = march(income_);
    TSWKREC rec = goodRow();
    std::int32_t code = 0;
    std::string msg;
    ASSERT_TRUE(check(rec, code, msg)) << msg;
    EXPECT_EQ(rec.MNUM, 3);
    EXPECT_EQ(rec.TEKTEXT, "売上入金");
    ASSERT_TRUE(CalcSiwakeZei(rec));   // the caller's part: the amounts of both sides
    writer_.AutoCommit = 1;
    const std::int32_t newRec = writer_.PutSiwake(rec);
    EXPECT_GT(newRec, 0);
    EXPECT_EQ(writer_.AutoCommit, 0);
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
    EXPECT_EQ(march(cash_).first - cashBefore.first, YenToCurrency(1000));
    EXPECT_EQ(march(income_).second - incomeBefore.second, YenToCurrency(1000));

    TSWKREC back;
    writer_.AutoCommit = 1;
    writer_.GetSiwake(back, newRec, false);
    EXPECT_EQ(back.REC, newRec);
    EXPECT_EQ(back.Debit.USERCODE, cash_);
    EXPECT_EQ(back.Credit.USERCODE, income_);
    EXPECT_EQ(back.KINGAKU, YenToCurrency(1000));
    EXPECT_EQ(back.TEKTEXT, "売上入金");

    // Update, delete, undelete.
    back.KINGAKU = YenToCurrency(1500);
    ASSERT_TRUE(check(back, code, msg)) << msg;
    ASSERT_TRUE(CalcSiwakeZei(back));
    writer_.AutoCommit = 1;
    EXPECT_EQ(writer_.PutSiwake(back), 0);
    EXPECT_EQ(march(cash_).first - cashBefore.first, YenToCurrency(1500));
    writer_.AutoCommit = 1;
    writer_.DeleteSiwake(back.SWKREC);
    EXPECT_EQ(march(cash_).first, cashBefore.first);
    writer_.AutoCommit = 1;
    EXPECT_EQ(writer_.RestoreSiwake(back.SWKREC), 1);
    EXPECT_EQ(march(cash_).first - cashBefore.first, YenToCurrency(1500));
}

// Another connection holds the March totals of an entry's credit account, as
// another writer in the facility would; inside one transaction a row of
// April is written and then the entry is changed. The change meets the lock
// halfway through (its debit side already moved) and waits: when the holder
// lets go it is written once, when the lock stays it fails and leaves
// nothing. Either way the earlier row is as the caller was told: kept in
// its transaction, never silently dropped.
TEST_F(SiwakeWriteTest, AWriteWaitsForAHeldLockAndNeverDropsTheRowsBeforeIt)
{
    enum Owner { CallerNoWait, CallerWaiting, Writer };
    struct Case {
        const char* what;
        Owner owner;
        bool released;   // the holder lets go after 300 ms, else after the write gave up
    };
    const Case cases[] = {
        {"the data module's own transaction, lock released", CallerNoWait, true},
        {"a waiting transaction of the caller, lock released", CallerWaiting, true},
        {"the writer's own transaction, lock released", Writer, true},
        {"the data module's own transaction, lock kept", CallerNoWait, false},
        {"a waiting transaction of the caller, lock kept", CallerWaiting, false},
        {"the writer's own transaction, lock kept", Writer, false},
    };
    db::Transaction waiting(dm_.IBDatabaseDAT.attachment(), {db::Isolation::ReadCommitted, false, true, 1});
    writer_.LockWait = 1;
    std::int32_t code = 0;
    std::string msg;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writer_.SetTransaction(dm_.IBTransactionDAT);
        TSWKREC entry = goodRow();
        ASSERT_TRUE(check(entry, code, msg)) << msg;
        ASSERT_TRUE(CalcSiwakeZei(entry));
        writer_.AutoCommit = 1;
        ASSERT_GT(writer_.PutSiwake(entry), 0);
        const auto cashBefore = march(cash_);

        db::Attachment other;
        other.attach({dm_.IBDatabaseDAT.DatabaseName, "SYSDBA", "masterkey"});
        db::Transaction holding(other);
        holding.start();
        db::Statement hold(other, holding,
                           "UPDATE KAMOKU_MS SET KAS_NUK = KAS_NUK WHERE MNUM = 3 AND KCODE = "
                           "(SELECT KCODE FROM KAMOKUMST WHERE USERCODE = :U)");
        hold.param("U").setString(income_);
        hold.execute();
        std::jthread release;
        if (c.released)
            release = std::jthread([&holding] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                holding.rollback();
            });

        db::Transaction& tr = c.owner == CallerWaiting ? waiting : dm_.IBTransactionDAT;
        writer_.SetTransaction(tr);
        if (c.owner != Writer)
            tr.start();
        TSWKREC first = goodRow();
        first.HIZUKE = encodeDate(2024, 4, 10);
        ASSERT_TRUE(check(first, code, msg)) << msg;
        ASSERT_TRUE(CalcSiwakeZei(first));
        writer_.AutoCommit = c.owner == Writer ? 1 : 0;
        const std::int32_t firstRec = writer_.PutSiwake(first);
        ASSERT_GT(firstRec, 0);

        TSWKREC change;
        writer_.AutoCommit = c.owner == Writer ? 1 : 0;
        writer_.GetSiwake(change, entry.REC, false);
        change.KINGAKU = YenToCurrency(2000);
        ASSERT_TRUE(CalcSiwakeZei(change));
        writer_.AutoCommit = c.owner == Writer ? 1 : 0;
        const auto started = std::chrono::steady_clock::now();
        bool failed = false;
        try {
            EXPECT_EQ(writer_.PutSiwake(change), 0);
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.isLockConflict()) << e.what();
            failed = true;
        }
        EXPECT_EQ(failed, !c.released);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        // Whatever the outcome, the transaction the caller started is still
        // its own to end, with the first row in it.
        EXPECT_EQ(tr.active(), c.owner != Writer);
        TSWKREC back;
        writer_.AutoCommit = c.owner == Writer ? 1 : 0;
        writer_.GetSiwake(back, firstRec, false);
        EXPECT_EQ(back.REC, firstRec);

        if (c.owner != Writer) {
            if (failed)
                tr.rollback();
            else
                tr.commit();
        }
        if (release.joinable())
            release.join();
        holding.rollback();
        writer_.SetTransaction(dm_.IBTransactionDAT);
        writer_.AutoCommit = 1;
        writer_.GetSiwake(back, firstRec, false);
        const bool firstKept = back.REC == firstRec;
        EXPECT_EQ(firstKept, !failed || c.owner == Writer);
        // The change counts once: March's cash debit moves by 1,000 yen.
        EXPECT_EQ(march(cash_).first - cashBefore.first, failed ? 0 : YenToCurrency(1000));
    }
}

// Two importers in their own processes write into one facility at once,
// each in its own transactions of a few rows; every row an importer was
// told was written is there afterwards, and nothing else was added.
TEST_F(SiwakeWriteTest, TwoImportersInOneFacilityKeepEveryRowTheyWereToldWasWritten)
{
    for (const char* mode : {"nowait", "wait"}) {
        SCOPED_TRACE(mode);
        const fs::path work = root_.path() / (std::string("import-") + mode);
        fs::create_directories(work);
        const std::int64_t countBefore = facilityCount();

        const auto importer = [&](const std::string& name) {
            return std::async(std::launch::async, [=, this] {
                platform::ProcessOptions options;
                options.timeLimit = std::chrono::seconds(60);
                return platform::runProcess(VQ_JOURNAL_IMPORT,
                                            {folder_, cash_, income_, mode, work.string(), name}, options);
            });
        };
        auto a = importer("a");
        auto b = importer("b");
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!(fs::exists(work / "a.ready") && fs::exists(work / "b.ready")) &&
               std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ofstream(work / "go").put('\n');
        std::vector<std::int32_t> told;
        for (auto* run : {&a, &b}) {
            const platform::ProcessResult result = run->get();
            ASSERT_TRUE(result.succeeded()) << result.standardError;
            std::istringstream lines(result.standardOutput);
            std::size_t rows = 0;
            for (std::string line; std::getline(lines, line);)
                if (line.rfind("failed ", 0) != 0) {
                    told.push_back(std::stoi(line));
                    ++rows;
                }
            EXPECT_GT(rows, 0u) << result.standardOutput;
        }

        for (std::int32_t rec : told) {
            TSWKREC back;
            writer_.AutoCommit = 1;
            writer_.GetSiwake(back, rec, false);
            EXPECT_EQ(back.REC, rec) << "row " << rec << " was reported written but is gone";
            EXPECT_EQ(back.DELFLG, 0);
        }
        EXPECT_EQ(facilityCount() - countBefore, static_cast<std::int64_t>(told.size()));
    }
}
