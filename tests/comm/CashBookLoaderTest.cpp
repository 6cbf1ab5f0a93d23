// The cash-book import on real databases: a copy of a sample data set is
// the open data set, its cash entries are marked as before a send, and a
// copy of it after the marks plays the client's cash book, changed the way
// the cash-book program changes it. The merge of every class of entry, the
// one transaction over both databases, the account-system check, the
// opening balances and the cash-balance warning, the replacement of the
// data file with its failures, and the log export.
#include "comm/CashBookLoader.h"

#include "CashBookFixture.h"
#include "comm/CashBookSender.h"
#include "foundation/files/FileOperations.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const std::string Columns = "SWKNO,HIZUKE,MNUM,KESSAN,SCODE,KGROUP,KCODE,HCODE,BCODE,KNAME,TAXCODE,TAXUH,TAXDC,NUK,"
                            "ZEI,RIT,R_KGROUP,R_KCODE,R_HCODE,R_BCODE,R_KNAME,R_TAXCODE,R_TAXUH,R_TAXDC,R_NUK,R_ZEI,"
                            "R_RIT,KINGAKU,ZEIGAKU,ZEIRITUNO,AUTCALCU,TAXCALCU,OLDRATE,TEKTEXT";

// A new entry of the cash book (rows rec and rec+1, entry rec) copied from
// the entry template, with its own entry number and marks.
std::string newEntry(int rec, const std::string& templateSwkRec, int delflg, int reserve1, int linkrec)
{
    const std::string cols = Columns.substr(Columns.find(',') + 1);
    return "INSERT INTO SIWAKE (REC,SWKREC,SWKNO,DELFLG,TAISHAKU,RESERVE1,LINKREC," + cols + ") SELECT " +
           std::to_string(rec - 1) + "+TAISHAKU," + std::to_string(rec) + "," + std::to_string(rec) + "," +
           std::to_string(delflg) + ",TAISHAKU," + std::to_string(reserve1) + "," + std::to_string(linkrec) + "," +
           cols + " FROM SIWAKE WHERE SWKREC=" + templateSwkRec + ";\n" +
           "INSERT INTO SIWAKE2 (REC,SWKREC,LINKKEY,LINKKUB,LINKREC) VALUES (" + std::to_string(rec) + "," +
           std::to_string(rec) + ",'',0,0);\n";
}

std::vector<std::int32_t> codes(const comm::TCorvaneSyoriLog& log, bool withBalance = false)
{
    std::vector<std::int32_t> out;
    for (const auto& e : log)
        if (withBalance || e.Code != 201)
            out.push_back(e.Code);
    return out;
}

std::string messages(const comm::TCorvaneSyoriLog& log)
{
    std::string out;
    for (const auto& e : log)
        out += std::to_string(e.Code) + " " + e.Message + "\n";
    return out;
}

} // namespace

class CashBookLoaderTest : public test::CashBookFixture {
protected:
    void SetUp() override
    {
        CashBookFixture::SetUp();
        comm::TCashBookSender marks;
        marks.Mode = 0;
        marks.Execute();
        ASSERT_EQ(marks.RecomputeResult(), 1);
        // Five cash entries against sales, in date order.
        cashEntries_ = openRows("SELECT FIRST 5 SWKREC FROM SIWAKE WHERE TAISHAKU=1 AND KCODE='1110' AND "
                                "R_KCODE='4110' AND DELFLG=0 ORDER BY HIZUKE,SWKNO");
        ASSERT_EQ(cashEntries_.size(), 5u);
        nonCash_ = one(openRows("SELECT FIRST 1 SWKREC FROM SIWAKE WHERE TAISHAKU=1 AND KCODE='6150' AND "
                                "R_KCODE='1130' AND DELFLG=0"));
        ASSERT_FALSE(nonCash_.empty());
    }

    // The cash book as the last send left it: a copy of the open data set
    // with the link rows of the cash-book program.
    fs::path cashBook()
    {
        dm_.IBDatabaseDAT.disconnect();
        const fs::path file = root_.path() / "received" / ("cashbook" + std::to_string(++books_) + ".fdb");
        fs::create_directories(file.parent_path());
        fs::copy_file(dataFile(), file);
        EXPECT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
        // The cash-book program writes 910 where the sample leaves the tax code 0.
        test::runSql(file, "INSERT INTO SIWAKE2 (REC,SWKREC,LINKKEY,LINKKUB,LINKREC) SELECT REC,SWKREC,'',0,0 FROM "
                           "SIWAKE WHERE TAISHAKU=1;\n"
                           "UPDATE SIWAKE SET TAXCODE=910 WHERE TAXCODE=0;\n"
                           "UPDATE SIWAKE SET R_TAXCODE=910 WHERE R_TAXCODE=0;");
        return file;
    }

    std::unique_ptr<comm::TCashBookLoader> run(const fs::path& received, std::uint8_t textMode, std::uint8_t importMode)
    {
        auto loader = std::make_unique<comm::TCashBookLoader>();
        loader->TextMode = textMode;
        loader->ImportMode = importMode;
        loader->OpenReceivedData(received.string());
        loader->Run();
        EXPECT_TRUE(dm_.IBDatabaseDAT.connected());
        return loader;
    }

    std::string entry(int i) const { return cashEntries_.at(static_cast<std::size_t>(i)); }

    std::vector<std::string> cashEntries_;
    std::string nonCash_;
    int books_ = 0;
};

TEST_F(CashBookLoaderTest, EveryClassOfEntryIsMergedOnceAndASecondMergeChangesNothing)
{
    const fs::path book = cashBook();
    const std::string e1 = entry(0), e2 = entry(1), e3 = entry(2), e4 = entry(3), e5 = entry(4);
    test::runSql(book, "UPDATE SIWAKE SET KINGAKU=KINGAKU+1000,LINKREC=1 WHERE SWKREC IN (" + e1 + "," + e3 + ");\n"
                       "UPDATE SIWAKE SET DELFLG=1 WHERE SWKREC IN (" + e2 + "," + e4 + ");\n" +
                           newEntry(9001, e5, 0, 0, 0) +    // A: made in the cash book
                           newEntry(9003, e5, 0, 0, 2) +    // A: made there and revised twice
                           newEntry(9005, e5, 1, 0, 0) +    // B: made there and deleted
                           newEntry(9007, nonCash_, 0, 0, 1));   // no cash account, but revised
    openSql("UPDATE SIWAKE SET DELFLG=1 WHERE SWKREC IN (" + e3 + "," + e4 + ")");
    const std::string e1Amount = one(openRows("SELECT KINGAKU FROM SIWAKE WHERE SWKREC=" + e1 + " AND TAISHAKU=1"));
    const auto untouched = openRows("SELECT * FROM SIWAKE WHERE SWKREC=" + e5);

    auto first = run(book, 0, 1);
    EXPECT_EQ(first->RecomputeResult(), 1) << messages(first->ImportLog);
    EXPECT_EQ(codes(first->ImportLog), (std::vector<std::int32_t>{11, 12, 11, 1})) << messages(first->ImportLog);
    EXPECT_EQ(first->ImportLog[1].Message.rfind("(仕訳番号:" + e2 + " 日付:", 0), 0u) << first->ImportLog[1].Message;
    EXPECT_NE(first->ImportLog[1].Message.find(") 受信データの削除仕訳が優先されました。"), std::string::npos);

    const std::string live = "SELECT KINGAKU,RESERVE1,RESERVE2,LINKKUB,LOCALFLG FROM SIWAKE WHERE DELFLG=0 AND TAISHAKU=1 AND ";
    // Corrected in the cash book: the open entry now carries the new amount.
    const auto e1Rec = one(fileRows(book, "SELECT REC FROM SIWAKE WHERE TAISHAKU=1 AND SWKREC=" + e1));
    EXPECT_EQ(openRows(live + "LINKKEY='" + e1Rec + "'"),
              std::vector<std::string>{std::to_string(std::stoll(e1Amount) + 1000) + ".0000|" + e1Rec + "|1|10|10"});
    // Deleted in the cash book; deleted here and corrected there: restored and linked.
    EXPECT_EQ(one(openRows("SELECT DELFLG FROM SIWAKE WHERE TAISHAKU=1 AND SWKREC=" + e2)), "1");
    const auto e3Rec = one(fileRows(book, "SELECT REC FROM SIWAKE WHERE TAISHAKU=1 AND SWKREC=" + e3));
    EXPECT_EQ(openRows(live + "LINKKEY='" + e3Rec + "'").size(), 1u);
    EXPECT_EQ(one(openRows("SELECT DELFLG FROM SIWAKE WHERE TAISHAKU=1 AND SWKREC=" + e4)), "1");
    EXPECT_EQ(openRows("SELECT * FROM SIWAKE WHERE SWKREC=" + e5), untouched);
    // New in the cash book: written once, marked with the received REC and revision.
    EXPECT_EQ(openRows("SELECT RESERVE1,RESERVE2,LOCALFLG FROM SIWAKE WHERE DELFLG=0 AND TAISHAKU=1 AND RESERVE1>9000 "
                       "ORDER BY RESERVE1"),
              (std::vector<std::string>{"9001|0|10", "9003|2|10", "9007|1|10"}));

    const std::string snapshot = "SELECT REC,SWKREC,DELFLG,KINGAKU,RESERVE1,RESERVE2,LINKKEY,LINKKUB FROM SIWAKE "
                                 "ORDER BY REC";
    const auto afterFirst = openRows(snapshot);
    auto second = run(book, 0, 1);
    EXPECT_EQ(codes(second->ImportLog), std::vector<std::int32_t>{1}) << messages(second->ImportLog);
    EXPECT_EQ(openRows(snapshot), afterFirst);
}

TEST_F(CashBookLoaderTest, AFailureInsideTheTransactionLeavesBothDatabasesUnchanged)
{
    // Merge: a new sub-account and a good entry come before an entry the
    // check refuses (a date after the year).
    const fs::path book = cashBook();
    test::runSql(book, "INSERT INTO HOJOMST (KCODE,HCODE,HNAME,BPFLG) VALUES ('1130','003','第三銀行','B');\n" +
                           newEntry(9001, entry(0), 0, 0, 0) + newEntry(9003, entry(4), 0, 0, 0) +
                           "UPDATE SIWAKE SET HIZUKE='2025-01-10' WHERE SWKREC=9003;");
    const std::string everything = "SELECT (SELECT COUNT(*) FROM SIWAKE),(SELECT COUNT(*) FROM HOJOMST),"
                                   "(SELECT SUM(KAR_NUK) FROM KAMOKU_MS),(SELECT HOJO_INS_MODE FROM ACCDEF1) "
                                   "FROM RDB$DATABASE";
    const auto openBefore = openRows(everything);
    const auto bookBefore = fileRows(book, everything);
    auto merge = run(book, 0, 1);
    EXPECT_EQ(merge->RecomputeResult(), -111) << messages(merge->ImportLog);
    EXPECT_EQ(merge->ImportLog.back().Message, "取り込み処理を中止しました。");
    EXPECT_EQ(openRows(everything), openBefore);
    EXPECT_EQ(fileRows(book, everything), bookBefore);

    // Replacement: the dictionaries reach the received database, then its
    // own row is held by another connection.
    const fs::path received = copyOfSample("replacement");
    test::runSql(received, "UPDATE TEKDICTI SET TEXT='受信' WHERE CREC=1;");
    openSql("UPDATE TEKDICTI SET TEXT='本データ' WHERE CREC=1");
    const std::string dictionaries = "SELECT CREC,TEXT FROM TEKDICTI ORDER BY CREC";
    const auto receivedBefore = fileRows(received, dictionaries);
    {
        db::Attachment other = db::attachDatabase({received.string(), "SYSDBA", "masterkey"});
        db::Transaction holder(other);
        holder.start();
        other.execute(holder, "UPDATE ACCDEF1 SET ENTTEXT='held' WHERE REC=1");
        auto replacement = run(received, 1, 0);
        EXPECT_EQ(replacement->RecomputeResult(), -100);
        EXPECT_EQ(replacement->ImportLog.front().Message.rfind("「データリスト名称の更新」に失敗しました。 原因: ", 0), 0u)
            << messages(replacement->ImportLog);
    }
    EXPECT_EQ(fileRows(received, dictionaries), receivedBefore);
    EXPECT_EQ(one(openRows("SELECT TEXT FROM TEKDICTI WHERE CREC=1")), "本データ");
}

TEST_F(CashBookLoaderTest, TheAccountSystemIsCheckedBeforeAnyChange)
{
    struct Case {
        const char* what;
        const char* sql;
        std::vector<std::int32_t> codes;
    };
    const Case cases[] = {
        {"facilities managed there", "UPDATE ACCDEF1 SET SITEN=1;", {-106, -103}},
        {"an account renumbered there", "UPDATE KAMOKUMST SET USERCODE='6299' WHERE KCODE='6210';", {-104, -103}},
        {"sub-accounts switched on there", "UPDATE KAMOKUMST SET HOJOSW='○' WHERE KCODE='6210';", {-105, -103}},
        {"an account not used there", "UPDATE KAMOKUMST SET USE=0 WHERE KCODE='6210';", {101, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path book = cashBook();
        test::runSql(book, std::string(c.sql) + "\n" + newEntry(9001, entry(0), 0, 0, 0));
        auto loader = run(book, 0, 1);
        EXPECT_EQ(codes(loader->ImportLog), c.codes) << messages(loader->ImportLog);
        const bool merged = c.codes.back() == 1;
        EXPECT_EQ(openRows("SELECT REC FROM SIWAKE WHERE TAISHAKU=1 AND RESERVE1=9001").size(), merged ? 1u : 0u);
        if (merged) {
            EXPECT_EQ(loader->ImportLog.back().Message,
                      "取り込み処理が成功しました。 （次回の送信時は、マスター送信を行って下さい。）");
        }
        openSql("DELETE FROM SIWAKE WHERE RESERVE1=9001");
    }
}

TEST_F(CashBookLoaderTest, OpeningBalancesAndTheCashBalanceWarning)
{
    // The interactive receive compares the balances and still commits.
    const fs::path same = cashBook();
    EXPECT_EQ(codes(run(same, 0, 1)->ImportLog, true), std::vector<std::int32_t>{1});
    const fs::path other = cashBook();
    test::runSql(other, "UPDATE KAMOKU_SZ SET KISHU_KOMI=KISHU_KOMI+500 WHERE KCODE='1110';\n" +
                            newEntry(9001, entry(0), 0, 0, 0));
    auto warned = run(other, 0, 1);
    EXPECT_EQ(codes(warned->ImportLog, true), (std::vector<std::int32_t>{201, 1})) << messages(warned->ImportLog);
    EXPECT_EQ(warned->RecomputeResult(), 1);
    EXPECT_EQ(openRows("SELECT REC FROM SIWAKE WHERE TAISHAKU=1 AND RESERVE1=9001").size(), 1u);

    // The data receive takes the cash opening balances; a cash book older
    // than version 6 has only KAISIZAN.
    struct Case {
        const char* version;
        const char* expected;   // KAISIZAN|KISHU_KOMI|KISHU_NUKI
    };
    for (const Case& c : {Case{"14", "0.0000|300.0000|200.0000"}, Case{"5", "0.0000|100.0000|100.0000"}}) {
        SCOPED_TRACE(c.version);
        const fs::path book = cashBook();
        test::runSql(book, "UPDATE KAMOKU_SZ SET KAISIZAN=100,KISHU_KOMI=300,KISHU_NUKI=200 WHERE KCODE='1110';\n"
                           "UPDATE ACCVERSION SET MAJOR=" + std::string(c.version) + ";");
        auto loader = run(book, 1, 1);
        EXPECT_EQ(loader->RecomputeResult(), 1) << messages(loader->ImportLog);
        EXPECT_EQ(openRows("SELECT KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ WHERE KCODE='1110'"),
                  std::vector<std::string>{c.expected});
    }
}

TEST_F(CashBookLoaderTest, TheReplacementTakesOverDictionariesAndNameThenReplacesTheFile)
{
    const fs::path received = copyOfSample("replacement");
    test::runSql(received, "UPDATE ACCDEF1 SET ENTTEXT='受信',PASWORD='secret',WEB_HOLDER='ID9';\n"
                           "UPDATE TEKDICTI SET TEXT='受信' WHERE CREC=1;\n"
                           "INSERT INTO ACCREG (AGROUP,ACODE,ATYPE,ATEXT) VALUES ('基本設定','合算データ数','整数','2');");
    openSql("UPDATE TEKDICTI SET TEXT='本''s\"データ' WHERE CREC=1");
    openSql("UPDATE ACCDEF1 SET ENTTEXT='本データ' WHERE REC=1");

    auto loader = run(received, 1, 0);
    EXPECT_EQ(loader->RecomputeResult(), 1) << messages(loader->ImportLog);
    EXPECT_EQ(codes(loader->ImportLog), std::vector<std::int32_t>{1});
    EXPECT_FALSE(fs::exists(fs::path(dataFile()).replace_extension(".f00")));
    EXPECT_TRUE(fs::exists(received));
    // The open data set's file is now the received one, with the open one's
    // dictionaries and name and without its communication ID.
    EXPECT_EQ(openRows("SELECT ENTTEXT,PASWORD,WEB_HOLDER FROM ACCDEF1"), std::vector<std::string>{"本データ||"});
    EXPECT_EQ(one(openRows("SELECT TEXT FROM TEKDICTI WHERE CREC=1")), "本's\"データ");
    // (Reopening the data set writes the setting's default back.)
    EXPECT_NE(one(openRows("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='合算データ数'")), "2");
    EXPECT_EQ(openRows("SELECT (SELECT COUNT(*) FROM OPLICENSE),(SELECT COUNT(*) FROM OPDEFSISETU) FROM RDB$DATABASE"),
              std::vector<std::string>{"0|0"});
    // The dictionary file went with its private folder.
    for (const auto& dir : {SystemDef.TempDir, SystemDef.WinTempDir}) {
        if (!dir.empty() && fs::exists(dir)) {
            for (const auto& e : fs::directory_iterator(dir))
                EXPECT_EQ(e.path().filename().string().find("vqzjisyo"), std::string::npos) << e.path();
        }
    }

    // The window-less replacement of a cash-book receive runs no step; a
    // missing received file fails the connection.
    EXPECT_EQ(codes(run(received, 0, 0)->ImportLog), std::vector<std::int32_t>{});
    auto missing = run(root_.path() / "none.fdb", 1, 0);
    EXPECT_EQ(missing->RecomputeResult(), -100);
    EXPECT_EQ(missing->ImportLog.at(0).Message, "会計データの接続に失敗しました。");
}

TEST_F(CashBookLoaderTest, AFailedReplacementKeepsTheDataSetAndFailsTheRun)
{
    // The server's file operations, played here with chosen failures.
    struct Case {
        const char* what;
        bool copyFails;
        bool moveBackFails;
        bool dataInPlace;
        bool keptCopy;
    };
    const Case cases[] = {
        {"the copy fails", true, false, true, false},
        {"the copy and the move back fail", true, true, false, true},
    };
    const fs::path data = dataFile();
    const fs::path kept = fs::path(data).replace_extension(".f00");
    const fs::path received = copyOfSample("replacement");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dm_.IBDatabaseDAT.disconnect();
        const std::string original = test::readBytes(data);
        auto previous = InstallServerFileOperation([&](const std::string& op, const std::string& a, const std::string& b) {
            std::error_code ec;
            if (op == "FEXIST")
                return fs::exists(a);
            if (op == "FDEL")
                return fs::remove(a, ec);
            if (op == "FCOPY") {
                if ((c.copyFails && a == received.string()) || (c.moveBackFails && a == kept.string()))
                    return false;
                return fs::copy_file(a, b, fs::copy_options::overwrite_existing, ec);
            }
            return false;
        });
        const auto savedMode = ConnectMode;
        ConnectMode = 1;
        comm::TCashBookLoader loader;
        loader.ImportMode = 0;
        loader.OpenReceivedData(received.string());
        loader.AddEntry(comm::SyoriInfo, 1, "取り込み処理が成功しました。");
        loader.ReplaceDataFile();
        ConnectMode = savedMode;
        InstallServerFileOperation(previous);

        EXPECT_EQ(loader.RecomputeResult(), -100);
        EXPECT_EQ(loader.ImportLog.back().Message, "受信データの移行処理後のコピーに失敗しました。");
        EXPECT_TRUE(fs::exists(received));
        EXPECT_EQ(fs::exists(data), c.dataInPlace);
        EXPECT_EQ(fs::exists(kept), c.keptCopy);
        EXPECT_TRUE(test::readBytes(c.dataInPlace ? data : kept) == original);
        if (!c.dataInPlace)
            fs::rename(kept, data);
        EXPECT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    }
}

TEST_F(CashBookLoaderTest, TheLogIsExportedInBothForms)
{
    comm::TCashBookLoader loader;
    loader.AddEntry(comm::SyoriWarning, 11, "訂正");
    loader.AddEntry(comm::SyoriInfo, 1, "成功");
    EXPECT_EQ(loader.LogFileText(comm::LogCsv), "'警告','11','訂正',\r\n\r\n'情報','1','成功',\r\n\r\n");
    EXPECT_EQ(loader.LogFileText(comm::LogText), "警告\t11\t訂正\t\r\n\r\n情報\t1\t成功\t\r\n\r\n");
    const fs::path file = root_.path() / "現金出納帳の受信ログ.txt";
    loader.SaveLog(file.string(), comm::LogText);
    EXPECT_EQ(test::readBytes(file), platform::cp932::fromUtf8(loader.LogFileText(comm::LogText)));
}
