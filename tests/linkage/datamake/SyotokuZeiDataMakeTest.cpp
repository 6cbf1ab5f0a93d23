#include "linkage/datamake/SyotokuZeiDataMake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "linkage/datamake/SyotokuZeiTables.h"

namespace vq::linkage {
namespace {

using Node = TXmlSaveDoc::Node;

std::vector<std::string> childNames(Node node)
{
    std::vector<std::string> names;
    for (Node child : node.children())
        names.emplace_back(child.name());
    return names;
}

std::string text(Node parent, const char* path)
{
    return parent.first_element_by_path(path).child_value();
}

class SyotokuZeiDataMakeTest : public ::testing::Test {
protected:
    SyotokuZeiDataMakeTest() : doc_("1.0", "Shift_JIS") { doc_.CreateRoot("REPORT"); }

    void SetUp() override
    {
        savedEras_ = GengoTable;
        LoadBuiltinEraTable();
    }
    void TearDown() override { GengoTable = savedEras_; }

    Node Make(std::int32_t incomeKind, bool breakdowns, const TSyotokuZeiStatements& statements,
              std::int32_t expected = TSyotokuZeiDataMake::ResultDone)
    {
        TSyotokuZeiDataMake maker;
        maker.IncludeUtiwake = breakdowns ? 1 : 0;
        EXPECT_EQ(maker.MakeData(doc_, incomeKind, 0, statements), expected);
        return doc_.DocumentElement().last_child();  // the DATA just written
    }

    TXmlSaveDoc doc_;

private:
    TGengoArray savedEras_;
};

TKojinKessansyoRec generalStatement()
{
    TKojinKessansyoRec rec;
    for (int l = 1; l <= 45; ++l)
        rec.SONEKI[l].KINGAKU = YenToCurrency(1000 + l);
    rec.SONEKI[25].KNAME = "研修費";
    rec.SONEKI[26].KNAME = "あいうえおかきくけこさ";  // 22 bytes: cut after ten characters
    for (int m = 1; m <= 16; ++m)
        rec.TUKIBETU[m] = {YenToCurrency(100 * m), YenToCurrency(10 * m)};
    for (int l = 1; l <= 25; ++l) {
        rec.SISAN[l] = {l, "資産" + std::to_string(l), YenToCurrency(l), YenToCurrency(100 + l)};
        rec.FUSAI[l] = {l, "負債" + std::to_string(l), YenToCurrency(-l), YenToCurrency(-100 - l)};
    }
    for (int l = 1; l <= 26; ++l) {
        rec.SEIZO[l].KINGAKU = YenToCurrency(500 + l);
        rec.SEIZO[l].KNAME = "製造" + std::to_string(l);
    }
    rec.KYUYO[1] = {"山田太郎", 35, 12, YenToCurrency(3000000), YenToCurrency(500000), 0, YenToCurrency(120000)};
    rec.KYUYO[6] = {"3人", 99, 30, YenToCurrency(4000000), 0, 0, YenToCurrency(1000)};
    rec.KYUYO[7] = {"合計", 0, 42, YenToCurrency(7000000), 0, 0, 0};
    rec.GYOUSHUKUBUN = 1;
    rec.KOUJOKUBUN = 2;
    rec.NOTE[1] = std::string(100, 'n');
    rec.AO_KANYU = "商店会";
    return rec;
}

TEST_F(SyotokuZeiDataMakeTest, GeneralStatementSectionsAndBreakdownsInOrder)
{
    const TKojinKessansyoRec rec = generalStatement();
    TSyotokuZeiStatements statements;
    statements.Ippan = &rec;
    const Node data = Make(1, true, statements);

    ASSERT_STREQ(data.name(), "DATA");
    EXPECT_EQ(childNames(data), std::vector<std::string>{"EIGYOUSYOTOKU"});
    const Node group = data.first_child();
    EXPECT_EQ(childNames(group),
              (std::vector<std::string>{"SONEKIKEISANSYO", "TUKIBETUURIAGESHIIRE", "TAISYAKUTAISYOUHYO", "SEIZOUGENKA",
                                        "KYUURYOUTINGIN", "SENJUUSYA", "KASIDAOREKURIIRE", "AOIROKOUJO",
                                        "RISIWARIBIKIRYOU", "TIDAIYATIN", "ZEIRISIHOUSYUU", "TOKUSYUJIJOU",
                                        "OTHER"}));

    const Node soneki = group.child("SONEKIKEISANSYO");
    EXPECT_EQ(childNames(soneki).size(), 45u);
    EXPECT_EQ(text(soneki, "URIAGEKINGAKU"), "1001");
    EXPECT_EQ(text(soneki, "KIMATUSYOHINTANAOROSIDAKA"), "1005");  // line 5; the subtotal line 4 is not carried
    EXPECT_EQ(text(soneki, "SOZEIKOUKA"), "1008");
    EXPECT_EQ(text(soneki, "ZAPPI"), "1031");
    EXPECT_EQ(text(soneki, "KURIMODOSI_KASIDAOREHIKIATEKIN"), "1034");
    EXPECT_EQ(text(soneki, "KURIIRE_YOBI2"), "1041");
    EXPECT_EQ(text(soneki, "KEIHI_YOBI1_KAMOKU"), "研修費");
    EXPECT_EQ(text(soneki, "KEIHI_YOBI2_KAMOKU"), "あいうえおかきくけこ");
    EXPECT_STREQ(soneki.last_child().name(), "KURIIRE_YOBI2_KAMOKU");

    const Node seizou = group.child("SEIZOUGENKA");
    EXPECT_EQ(childNames(seizou).size(), 28u);
    EXPECT_EQ(text(seizou, "KIMATUGENZAIRYOUTANAOROSIDAKA"), "504");
    EXPECT_EQ(text(seizou, "KIMATUHANSEIHIN"), "525");
    EXPECT_EQ(text(seizou, "SEIZOUKEIHI_YOBI8_KAMOKU"), "製造19");

    const Node salaries = group.child("KYUURYOUTINGIN");
    EXPECT_EQ(childNames(salaries),
              (std::vector<std::string>{"KYUURYOU_UTIWAKE", "KYUURYOU_UTIWAKE", "KYUURYOU_UTIWAKE", "KYUURYOU_UTIWAKE",
                                        "KYUURYOU_UTIWAKE", "SONOTA_NINBUN", "SONOTA_JUUJITUKISUU", "SONOTA_KYUURYOU",
                                        "SONOTA_SYOUYO", "SONOTA_GENSENZEIGAKU"}));
    const Node first = salaries.first_child();
    EXPECT_STREQ(first.attribute("COUNT").value(), "1");
    EXPECT_STREQ(first.next_sibling().attribute("COUNT").value(), "2");
    EXPECT_EQ(childNames(first), (std::vector<std::string>{"SIMEI", "NENREI", "JUUJITUKISUU", "KYUURYOU", "SYOUYO",
                                                           "GENSENZEIGAKU"}));
    EXPECT_EQ(text(first, "KYUURYOU"), "3000000");
    EXPECT_EQ(text(first.next_sibling(), "NENREI"), "");  // an empty slot gives empty leaves
    EXPECT_EQ(text(salaries, "SONOTA_NINBUN"), "3人");
    EXPECT_EQ(text(salaries, "SONOTA_JUUJITUKISUU"), "30");

    EXPECT_EQ(text(group, "KASIDAOREKURIIRE/IKKATU_KURIIRERITU"), "2");
    EXPECT_EQ(text(group, "AOIROKOUJO/AOIROKOUJO_SENTAKU"), "1");
    EXPECT_EQ(childNames(group.child("TOKUSYUJIJOU")),
              (std::vector<std::string>{"TOKUSYUJIJOU1", "TOKUSYUJIJOU2", "TOKUSYUJIJOU3", "TOKUSYUJIJOU4",
                                        "TOKUSYUJIJOU5"}));
    EXPECT_EQ(text(group, "TOKUSYUJIJOU/TOKUSYUJIJOU1"), std::string(80, 'n'));
    EXPECT_EQ(text(group, "OTHER/KANYUUDANTAIMEI"), "商店会");
}

TEST_F(SyotokuZeiDataMakeTest, ReducedRatePartOnlyWhenTheStatementReportsIt)
{
    TKojinKessansyoRec rec = generalStatement();
    TSyotokuZeiStatements statements;
    statements.Ippan = &rec;

    rec.K8_KISAI = 0;
    Node monthly = Make(1, false, statements).first_element_by_path("EIGYOUSYOTOKU/TUKIBETUURIAGESHIIRE");
    EXPECT_EQ(childNames(monthly).size(), 28u);
    EXPECT_EQ(text(monthly, "URIAGEKINGAKU12"), "1200");
    EXPECT_EQ(text(monthly, "ZATUSYUNYU"), "1400");
    EXPECT_EQ(text(monthly, "SIIREKINGAKU1"), "10");
    EXPECT_EQ(text(monthly, "URIAGE_UTI_KEIGENZEIRITU"), "");
    EXPECT_EQ(text(monthly, "SIIRE_UTI_KEIGENZEIRITU"), "");

    rec.K8_KISAI = 1;
    monthly = Make(1, false, statements).first_element_by_path("EIGYOUSYOTOKU/TUKIBETUURIAGESHIIRE");
    EXPECT_EQ(text(monthly, "URIAGE_UTI_KEIGENZEIRITU"), "1600");
    EXPECT_EQ(text(monthly, "SIIRE_UTI_KEIGENZEIRITU"), "160");
}

TEST_F(SyotokuZeiDataMakeTest, BalanceSheetCarriesTwentyFourLinesPerSide)
{
    const TKojinKessansyoRec rec = generalStatement();
    TSyotokuZeiStatements statements;
    statements.Ippan = &rec;
    const Node balance = Make(2, false, statements).first_element_by_path("SONOTASYOTOKU/TAISYAKUTAISYOUHYO");

    const std::vector<std::string> names = childNames(balance);
    ASSERT_EQ(names.size(), 93u + 21u);
    for (std::size_t p = 0; p < 93; ++p)
        EXPECT_EQ(names[p], IppanTaisyakuNames[p]);
    EXPECT_EQ(text(balance, "GENKIN_KISYU"), "1");
    EXPECT_EQ(text(balance, "GENKIN_KIMATU"), "101");
    EXPECT_EQ(text(balance, "JIGYOUNUSIKASI_KIMATU"), "124");     // no opening element for line 24
    EXPECT_EQ(text(balance, "SIHARAITEGATA_KISYU"), "-1");
    EXPECT_EQ(text(balance, "JIGYOUNUSIKARI_KIMATU"), "-122");
    EXPECT_EQ(text(balance, "MOTOIREKIN_KISYU"), "-23");
    EXPECT_EQ(text(balance, "KOUJYOMAESYOTOKUKINNGAKU_KIMATU"), "-124");
    EXPECT_EQ(text(balance, "SISAN_YOBI1_KAMOKU"), "資産17");
    EXPECT_EQ(text(balance, "FUSAISIHON_YOBI7_KAMOKU"), "負債13");
    EXPECT_EQ(text(balance, "FUSAISIHON_YOBI8_KAMOKU"), "負債15");
    EXPECT_EQ(text(balance, "FUSAISIHON_YOBI14_KAMOKU"), "負債21");
    // Line 25, the totals, appears nowhere.
    for (Node leaf : balance.children())
        EXPECT_STRNE(leaf.child_value(), "125");
}

TEST_F(SyotokuZeiDataMakeTest, BusinessAndOtherIncomeDifferOnlyInTheGroupName)
{
    const TKojinKessansyoRec rec = generalStatement();
    TSyotokuZeiStatements statements;
    statements.Ippan = &rec;
    Make(1, true, statements);
    Make(2, true, statements);
    // A second MakeData appends a second DATA.
    EXPECT_EQ(childNames(doc_.DocumentElement()), (std::vector<std::string>{"DATA", "DATA"}));

    const std::string bytes = doc_.SaveToBytes();
    const std::size_t business = bytes.find("<EIGYOUSYOTOKU>");
    const std::size_t other = bytes.find("<SONOTASYOTOKU>");
    ASSERT_NE(business, std::string::npos);
    ASSERT_NE(other, std::string::npos);
    const std::string first = bytes.substr(business + 15, bytes.find("</EIGYOUSYOTOKU>") - business - 15);
    const std::string second = bytes.substr(other + 15, bytes.find("</SONOTASYOTOKU>") - other - 15);
    EXPECT_EQ(first, second);
}

TEST_F(SyotokuZeiDataMakeTest, WithoutBreakdownsOnlySectionsAndOther)
{
    const TKojinKessansyoRec general;
    TSyotokuZeiStatements statements;
    statements.Ippan = &general;
    Node group = Make(1, false, statements).first_child();
    EXPECT_EQ(childNames(group), (std::vector<std::string>{"SONEKIKEISANSYO", "TUKIBETUURIAGESHIIRE",
                                                           "TAISYAKUTAISYOUHYO", "SEIZOUGENKA", "OTHER"}));
    // A zero statement writes every element, each empty.
    for (Node leaf : group.child("TAISYAKUTAISYOUHYO").children())
        EXPECT_STREQ(leaf.child_value(), "") << leaf.name();
    EXPECT_EQ(childNames(group.child("SEIZOUGENKA")).size(), 28u);

    const TFudosanKessansyoRec fudosan;
    const TFudosanSyotokuRecArray list;
    statements = {};
    statements.Fudosan = &fudosan;
    statements.FudosanList = &list;
    group = Make(3, false, statements).first_child();
    EXPECT_STREQ(group.name(), "FUDOUSANSYOTOKU");
    EXPECT_EQ(childNames(group), (std::vector<std::string>{"SONEKIKEISANSYO", "TAISYAKUTAISYOUHYO"}));

    const TNougyouKessansyoRec nougyou;
    statements = {};
    statements.Nougyou = &nougyou;
    group = Make(4, false, statements).first_child();
    EXPECT_STREQ(group.name(), "NOUGYOUSYOTOKU");
    EXPECT_EQ(childNames(group), (std::vector<std::string>{"SONEKIKEISANSYO", "TAISYAKUTAISYOUHYO", "OTHER"}));
}

TEST_F(SyotokuZeiDataMakeTest, UnknownIncomeKindWritesAnEmptyData)
{
    const TKojinKessansyoRec rec;
    TSyotokuZeiStatements statements;
    statements.Ippan = &rec;
    const Node data = Make(5, true, statements, TSyotokuZeiDataMake::ResultNoIncomeKind);
    EXPECT_STREQ(data.name(), "DATA");
    EXPECT_TRUE(data.first_child().empty());
}

TEST_F(SyotokuZeiDataMakeTest, MissingStatementOfTheIncomeKindIsRefused)
{
    const TKojinKessansyoRec rec;
    TSyotokuZeiStatements statements;
    statements.Ippan = &rec;
    TSyotokuZeiDataMake maker;
    EXPECT_THROW(maker.MakeData(doc_, 3, 0, statements), std::logic_error);
    EXPECT_THROW(maker.MakeData(doc_, 4, 0, statements), std::logic_error);
    EXPECT_TRUE(doc_.DocumentElement().first_child().empty());  // nothing written
}

TEST_F(SyotokuZeiDataMakeTest, RealEstateRentalListAndBreakdowns)
{
    TFudosanKessansyoRec rec;
    for (int l = 1; l <= 23; ++l)
        rec.SONEKI[l].KINGAKU = YenToCurrency(2000 + l);
    rec.SONEKI[3].KNAME = "駐車場収入";
    rec.KOUJOKUBUN = 0;
    rec.FUSAIRISI = YenToCurrency(12345);
    rec.SENJYU[1] = {"山田花子", "妻", 40, 12, YenToCurrency(1200000), 0, 0, 0};
    rec.NOTE[25] = "二十五";
    rec.NOTE[26] = "書かれない";
    TFudosanSyotokuRecArray list(1200);
    list[0].KUBUN = "貸家";
    list[0].MENSEKI = 455000;  // 45.5 m2
    list[0].FTINSYAKU_KAISI = encodeDate(2020, 4, 1);
    list[0].NENGAKU = YenToCurrency(960000);
    list[1].MENSEKI = 12345670;  // 1234.567 m2
    list[999].YOUTO = "千件目";
    list[1000].YOUTO = "書かれない";

    TSyotokuZeiStatements statements;
    statements.Fudosan = &rec;
    statements.FudosanList = &list;
    const Node group = Make(3, true, statements).first_child();

    EXPECT_EQ(childNames(group),
              (std::vector<std::string>{"SONEKIKEISANSYO", "TAISYAKUTAISYOUHYO", "FUDOUSANSYUUNYUU", "KYUURYOUTINGIN",
                                        "SENJUUSYA", "TIDAIYATIN", "KARIIREKINRISI", "ZEIRISIHOUSYUU",
                                        "TOKUSYUJIJOU"}));
    const Node soneki = group.child("SONEKIKEISANSYO");
    EXPECT_EQ(childNames(soneki).size(), 17u + 8u);
    EXPECT_EQ(text(soneki, "SOZEIKOUKA"), "2005");
    EXPECT_EQ(text(soneki, "SENJYUUSYAKYUUYO"), "2020");
    EXPECT_EQ(text(soneki, "SYUUNYUUKINGAKU_YOBI_KAMOKU"), "駐車場収入");
    EXPECT_EQ(text(soneki, "AOIROKOUJO_SENTAKU"), "3");
    EXPECT_EQ(text(soneki, "FUSAIRISIGAKU"), "12345");

    const Node rentals = group.child("FUDOUSANSYUUNYUU");
    EXPECT_EQ(childNames(rentals).size(), 1000u);
    const Node first = rentals.first_child();
    EXPECT_EQ(childNames(first).size(), 16u);
    EXPECT_EQ(text(first, "KASIYA_KASITI"), "貸家");
    EXPECT_EQ(text(first, "KEIYAKUKIKAN_FROM"), "202004");
    EXPECT_EQ(text(first, "KEIYAKUKIKAN_TO"), "");
    EXPECT_EQ(text(first, "KASITUKEMENSEKI"), " 45.50");
    EXPECT_EQ(text(first, "TINTAIRYOU_NENGAKU"), "960000");
    EXPECT_EQ(text(first.next_sibling(), "KASITUKEMENSEKI"), "1234.57");
    EXPECT_EQ(text(first.next_sibling().next_sibling(), "KASITUKEMENSEKI"), "  0.00");
    EXPECT_STREQ(rentals.last_child().attribute("COUNT").value(), "1000");
    EXPECT_EQ(text(rentals.last_child(), "YOUTO"), "千件目");

    const Node senjuusya = group.child("SENJUUSYA");
    EXPECT_EQ(childNames(senjuusya), (std::vector<std::string>{"SIMEI", "ZOKUGARA", "NENREI", "JUUJITUKISUU",
                                                               "KYUURYOU", "SYOUYO", "GENSENZEIGAKU"}));
    EXPECT_EQ(text(senjuusya, "ZOKUGARA"), "妻");
    EXPECT_EQ(childNames(group.child("KARIIREKINRISI")).size(), 3u);
    EXPECT_EQ(childNames(group.child("TIDAIYATIN").first_child()).size(), 12u);
    EXPECT_EQ(childNames(group.child("TOKUSYUJIJOU")).size(), 25u);
    EXPECT_EQ(text(group, "TOKUSYUJIJOU/TOKUSYUJIJOU25"), "二十五");
}

TEST_F(SyotokuZeiDataMakeTest, RealEstateWithoutRentalsWritesEmptyRows)
{
    const TFudosanKessansyoRec rec;
    const TFudosanSyotokuRecArray list;
    TSyotokuZeiStatements statements;
    statements.Fudosan = &rec;
    statements.FudosanList = &list;
    const Node rentals = Make(3, true, statements).first_element_by_path("FUDOUSANSYOTOKU/FUDOUSANSYUUNYUU");
    EXPECT_EQ(childNames(rentals).size(), 1000u);
    for (Node leaf : rentals.first_child().children())
        EXPECT_STREQ(leaf.child_value(), "") << leaf.name();  // the area too
}

TEST_F(SyotokuZeiDataMakeTest, AgricultureBreakdowns)
{
    TNougyouKessansyoRec rec;
    for (int l = 1; l <= 48; ++l)
        rec.SONEKI[l].KINGAKU = YenToCurrency(3000 + l);
    rec.FUSAIRISI = YenToCurrency(777);
    rec.TAHATA[1].KUBUN1 = "米";
    rec.TAHATA[1].SYUUKAKURYO = 125000;  // 12.5
    rec.TIKUSAN[1].KISHU_SURYO = YenToCurrency(9);
    rec.YATOININ[1] = {"臨時", 0, YenToCurrency(5000), 0, 0, 0};
    rec.YATOININ[4] = {"その他", 20, YenToCurrency(6000), 0, 0, 0};
    rec.KAJYU[1] = {"梨", "", "H20", "4", "", YenToCurrency(100000), 0, 0, 0, 0, 0, YenToCurrency(50000), 0};
    rec.KAJYU[2] = {"牛", "", "R02", "5", "10", 0, 0, 0, 0, 0, 0, 0, 0};
    rec.KEISANHOUHOU[4] = "計算";
    rec.KURIIRE3 = YenToCurrency(99);
    rec.AO_YAGO = "山田農園";

    TSyotokuZeiStatements statements;
    statements.Nougyou = &rec;
    const Node group = Make(4, true, statements).first_child();
    EXPECT_EQ(childNames(group),
              (std::vector<std::string>{"SONEKIKEISANSYO", "TAISYAKUTAISYOUHYO", "SYUUNYUUKINGAKU",
                                        "NOUSANBUTUIGAITANAOROSI", "YATOININHI", "SENJUUSYA", "KAJUGYUUBAHIYOU",
                                        "TINSYAKURYOU", "RISIWARIBIKIRYOU", "ZEIRISIHOUSYUU", "KASIDAOREKURIIRE",
                                        "AOIROKOUJO", "TOKUSYUJIJOU", "OTHER"}));
    const Node soneki = group.child("SONEKIKEISANSYO");
    EXPECT_EQ(childNames(soneki).size(), 38u + 9u);
    EXPECT_EQ(text(soneki, "KAJYUGYUUBATONOIKUSEIHIYOU"), "3034");
    EXPECT_EQ(text(soneki, "KURIIRE_YOBI2"), "3044");
    EXPECT_EQ(text(soneki, "NIKUYOUGYUU_TOKUREI"), "777");

    const Node income = group.child("SYUUNYUUKINGAKU");
    EXPECT_EQ(childNames(income).size(), 6u + 3u + 3u + 3u + 3u);
    EXPECT_EQ(text(income, "TAHATA_UTIWAKE/SYUUKAKURYOU"), "13");
    const Node livestock = income.find_child_by_attribute("TIKUSANBUTU_UTIWAKE", "COUNT", "1");
    EXPECT_EQ(childNames(livestock).size(), 6u);  // no stock on the form
    EXPECT_EQ(childNames(group.child("NOUSANBUTUIGAITANAOROSI")).size(), 5u + 5u + 8u + 3u);

    const Node labour = group.child("YATOININHI");
    EXPECT_EQ(text(labour, "YATOININHI_UTIWAKE/NISSUU"), "");
    EXPECT_EQ(text(labour, "YATOININHI_UTIWAKE/GENKIN"), "5000");
    EXPECT_EQ(text(labour, "SONOTA_NISSUU"), "20");

    const Node growing = group.child("KAJUGYUUBAHIYOU");
    const Node pear = growing.first_child();
    EXPECT_EQ(text(pear, "SYUTOKU_NENGAPPI"), "");  // no day
    EXPECT_EQ(text(pear, "KURIKOSIGAKU"), "100000");
    EXPECT_EQ(text(pear, "SYUTOKUKAGAKU"), "50000");
    EXPECT_EQ(text(pear.next_sibling(), "SYUTOKU_NENGAPPI"), "20200510");
    EXPECT_EQ(text(growing, "KEISANHOUHOU4"), "計算");

    EXPECT_EQ(childNames(group.child("KASIDAOREKURIIRE")),
              (std::vector<std::string>{"KOBETU_KURIIREGAKU", "IKKATU_KURIIREGOUKEIGAKU", "IKKATU_KURIIREGAKU"}));
    EXPECT_EQ(childNames(group.child("TOKUSYUJIJOU")).size(), 10u);
    EXPECT_EQ(text(group, "OTHER/NOUENMEI"), "山田農園");
}

} // namespace
} // namespace vq::linkage
