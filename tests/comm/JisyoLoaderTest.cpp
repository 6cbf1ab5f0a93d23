// The dictionary transfer file between two copies of a sample data set:
// every text comes back exactly, headers of another kind or major version
// are refused without a change, files of the first quoting rule still read,
// and the account codes of an entry are resolved against the target.
#include "comm/JisyoLoader.h"

#include "CashBookFixture.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <set>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const char* const DictionaryQueries[] = {
    "SELECT CREC,SCODE,SORTCODE,TEXT,MOVEMENT FROM TEKDICTI ORDER BY CREC",
    "SELECT CREC,KANA,TEXT,SCODE,KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE,KAS_KCODE,KAS_HCODE,KAS_BCODE,"
    "KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,HAIBUN,RTIME FROM TEKDIC ORDER BY CREC,KANA",
    "SELECT CREC,SCODE,SORTCODE,TEXT,MOVEMENT FROM TORDICTI ORDER BY SCODE,CREC",
    "SELECT CREC,KANA,TEXT,TEKTEXT,SCODE,KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE,KAS_KCODE,KAS_HCODE,KAS_BCODE,"
    "KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,RTIME FROM TORDIC ORDER BY CREC,KANA",
};

void writeLines(const fs::path& file, const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    platform::cp932::writeFile(file, text);
}

std::vector<std::string> header(const std::string& version, bool newQuoting = true)
{
    std::vector<std::string> h{"// ファイル種別: 摘要・取引先辞書設定"};
    if (!version.empty())
        h.push_back("// ファイルVer : " + version);
    h.push_back("// データ名    : 試験");
    if (newQuoting)
        h.push_back("// 引用符規則  : 2");
    return h;
}

// A description entry of type, under file header 1 of facility " ".
std::string entry(const std::string& type, const std::string& kana, const std::string& account,
                  const std::string& sub, const std::string& dept, const std::string& tax)
{
    return "\"" + type + "\",1,\" \",\"" + kana + "\",\"text\",\"\",\"" + account + "\",\"" + sub + "\",\"" + dept +
           "\",\"" + tax + "\",\"\",\"\",\"\",\"\",0,0,0,0,0,\"\",";
}

} // namespace

class JisyoLoaderTest : public test::CashBookFixture {
protected:
    fs::path file_ = root_.path() / "vqzjisyo.txt";
};

TEST_F(JisyoLoaderTest, EveryTextComesBackExactlyInAnotherDatabase)
{
    // The reading is cut to 5 bytes on the way in; the sample has one longer.
    openSql("UPDATE TEKDIC SET KANA='ｼﾞｷﾞｮ' WHERE KANA='ｼﾞｷﾞｮｳ'");
    openSql("UPDATE TEKDICTI SET TEXT='引\"用''''符''' WHERE CREC=1");
    openSql("UPDATE TEKDIC SET TEXT='\"現金\"売上''s''''' WHERE KANA='ｹﾞﾝｷﾝ'");
    openSql("INSERT INTO TORDIC (TEKCODE,CREC,KANA,MCODE,TEXT,TEKTEXT,SCODE,\"ROW\",COL,KAR_KCODE,KAR_HCODE,"
            "KAR_BCODE,KAR_TAXCODE,KAS_KCODE,KAS_HCODE,KAS_BCODE,KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,RTIME) "
            "VALUES (0,2,'ｱｵｲ',0,'取''引''''先','摘\"要',' ',0,0,'1130','001',NULL,110,'4110',' ',NULL,0,1,2,3,4,"
            "'2024-05-01 10:20:30')");

    comm::TJisyoLoader out;
    out.SetFileVersion("1.1");
    ASSERT_TRUE(out.ExportDictionaries(file_.string()));

    // A "1.1" file holds the types of its version and is counted by a "1.1" reader.
    comm::TJisyoLoader counter;
    counter.SetFileVersion("1.1");
    std::set<std::string> types;
    for (const auto& line : out.Lines)
        if (line.rfind("//", 0) != 0)
            types.insert(line.substr(0, 5));
    EXPECT_EQ(types, (std::set<std::string>{"\"200\"", "\"202\"", "\"300\"", "\"302\""}));
    counter.Lines = out.Lines;
    EXPECT_EQ(counter.CountRecords(), 4 + 6 + 50 + 1);

    const fs::path received = copyOfSample("received");
    {
        db::Attachment b = db::attachDatabase({received.string(), "SYSDBA", "masterkey"});
        db::Transaction tr(b);
        comm::TJisyoLoader in;
        in.SetDatabase(b);
        in.SetTransaction(tr);
        in.SetFileVersion("1.1");
        ASSERT_TRUE(in.ImportDictionaries(file_.string()));
        EXPECT_FALSE(tr.active());
    }
    for (const char* sql : DictionaryQueries) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(fileRows(received, sql), openRows(sql));
    }
    EXPECT_EQ(one(fileRows(received, "SELECT TEXT FROM TEKDICTI WHERE CREC=1")), "引\"用''符'");
}

TEST_F(JisyoLoaderTest, HeadersAreCheckedAndOldFilesStillRead)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        bool taken;
        const char* title;   // of header 1 afterwards
    };
    auto withTitle = [](std::vector<std::string> h, const std::string& title) {
        h.push_back("\"200\",1,\" \",1,\"" + title + "\",0,");
        h.push_back(entry("202", "ｱ", "1110", " ", "", "0"));
        return h;
    };
    std::vector<std::string> otherKind = withTitle(header("1.1"), "x");
    otherKind[0] = "// ファイル種別: 仕訳辞書設定";
    const Case cases[] = {
        {"another kind", otherKind, false, "売上"},
        {"major version 2", withTitle(header("2.0"), "x"), false, "売上"},
        {"no record of the dictionaries", header("1.1"), false, "売上"},
        {"a later minor version", withTitle(header("1.2"), "a'|'|b"), true, "a''b"},
        {"no version line", withTitle(header(""), "c''d"), true, "c\"d"},
        {"the first quoting rule", withTitle(header("1.1", false), "e''f'g"), true, "e\"f'g"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = openRows(DictionaryQueries[1]);
        writeLines(file_, c.lines);
        comm::TJisyoLoader in;
        in.SetFileVersion("1.1");
        EXPECT_EQ(in.ImportDictionaries(file_.string()), c.taken);
        EXPECT_EQ(one(openRows("SELECT TEXT FROM TEKDICTI WHERE CREC=1")), c.title);
        if (!c.taken)
            EXPECT_EQ(openRows(DictionaryQueries[1]), before);
        else
            EXPECT_EQ(openRows("SELECT KANA FROM TEKDIC"), std::vector<std::string>{"ｱ"});
    }
    comm::TJisyoLoader in;
    EXPECT_THROW(in.ImportDictionaries((root_.path() / "missing.txt").string()), std::system_error);
    EXPECT_FALSE(in.ImportDictionaries("  "));
}

TEST_F(JisyoLoaderTest, AccountCodesAreResolvedAgainstTheTarget)
{
    // The target knows the bank account 1130 under the user code 1135.
    openSql("UPDATE KAMOKUMST SET USERCODE='1135' WHERE KCODE='1130'");
    struct Case {
        const char* kana;
        std::string line;
        const char* stored;   // KAR_KCODE|KAR_HCODE|KAR_BCODE|KAR_TAXCODE
    };
    const Case cases[] = {
        {"ｱ", entry("202", "ｱ", "1135", "001", " ", "110"), "1130|001| |110"},
        {"ｲ", entry("202", "ｲ", "1130", "001", " ", "110"), "<null>|<null>|<null>|110"},
        {"ｳ", entry("201", "ｳ", "1130", "001", " ", "110"), "1130|001| |110"},
        {"ｴ", entry("202", "ｴ", "1135", "999", " ", ""), "1130|<null>| |910"},
        {"ｵ", entry("202", "ｵ", "1135", "001", "77", "x"), "1130|001|<null>|910"},
        {"ｶ", entry("302", "ｶ", "1135", "001", " ", "0"), nullptr},   // a customer entry
    };
    std::vector<std::string> lines = header("1.2");
    lines.push_back("\"200\",1,\" \",1,\"一\",0,");
    for (const auto& c : cases)
        lines.push_back(c.line);
    // An entry whose header is not in the file, and a header beyond the rows.
    lines.push_back("\"202\",9,\" \",\"ｷ\",\"t\",\"\",\"1110\",\"\",\"\",\"0\",\"\",\"\",\"\",\"\",0,0,0,0,0,\"\",");
    lines.push_back("\"200\",2,\" \",2,\"二\",0,");
    lines.push_back("\"200\",3,\" \",3,\"三\",0,");
    lines.push_back("\"200\",4,\" \",4,\"四\",0,");
    lines.push_back("\"200\",5,\" \",5,\"五\",0,");
    lines.push_back("\"202\",5,\" \",\"ｸ\",\"t\",\"\",\"1110\",\"\",\"\",\"0\",\"\",\"\",\"\",\"\",0,0,0,0,0,\"\",");
    writeLines(file_, lines);

    comm::TJisyoLoader in;
    in.Target = 1;
    ASSERT_TRUE(in.ImportDictionaries(file_.string()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kana);
        const auto stored = openRows(std::string("SELECT KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE FROM TEKDIC "
                                                 "WHERE KANA='") + c.kana + "'");
        EXPECT_EQ(one(stored), c.stored ? c.stored : "");
    }
    EXPECT_EQ(openRows("SELECT KANA FROM TEKDIC WHERE KANA IN ('ｷ','ｸ')"), std::vector<std::string>{});
    EXPECT_EQ(openRows("SELECT TEXT FROM TEKDICTI ORDER BY SORTCODE"),
              (std::vector<std::string>{"一", "二", "三", "四"}));
}
