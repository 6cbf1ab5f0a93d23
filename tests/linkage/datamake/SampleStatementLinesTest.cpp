// Every statement line of the sample office's individuals lands on the
// element of the form that bears its own name: the reader places the line
// (by its REC), the element tables name the place, and the caption printed
// on the paper form beside that element must be the line's name. A line on
// a spare element carries its own name into the file instead.
#include <gtest/gtest.h>

#include <map>
#include <pugixml.hpp>
#include <string>

#include "../statements/StatementSampleFixture.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/datamake/LinkageDocument.h"
#include "linkage/datamake/SyotokuZeiTables.h"
#include "linkage/statements/FudosanKessansyoIO.h"
#include "linkage/statements/IppanKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoIO.h"
#include "platform/Cp932.h"

namespace vq::linkage {
namespace {

namespace fs = std::filesystem;
using test::SampleClient;

// The captions the forms print beside their elements (balance-sheet
// elements without their _KISYU/_KIMATU ending).
const std::map<std::string, std::string> kCaptions = {
    // Balance sheets.
    {"GENKIN", "現金"}, {"TOUZAYOKIN", "当座預金"}, {"FUTUUYOKIN", "普通預金"}, {"TEIKIYOKIN", "定期預金"},
    {"SONOTANOYOKIN", "その他の預金"}, {"UKETORITEGATA", "受取手形"}, {"URIKAKEKIN", "売掛金"},
    {"MISYUUTINTAIRYO", "未収賃貸料"}, {"MISYUUKIN", "未収金"}, {"YUUKASYOUKEN", "有価証券"},
    {"TANAOROSISISAN", "棚卸資産"}, {"NOUSANBUTUTO", "農産物等"}, {"MISYUKAKUNOUSANBUTUTO", "未収穫農産物等"},
    {"MISEIJYUKUNOKAJYU", "未成熟の果樹"}, {"HIRYOUSONOTANOTYOZOUHIN", "肥料その他の貯蔵品"},
    {"MAEBARAIKIN", "前払金"}, {"KASITUKEKIN", "貸付金"}, {"TATEMONO", "建物"},
    {"TATEMONOFUZOKUSETUBI", "建物附属設備"}, {"KOUTIKUBUTU", "構築物"}, {"TATEMONO_KOUTIKUBUTU", "建物・構築物"},
    {"KIKAISOUTI", "機械装置"}, {"SYARYOUUNPANGU", "車両運搬具"}, {"SENPAKU", "船舶"},
    {"KOUGUKIGUBIHIN", "工具器具備品"}, {"NOUKIGUTO", "農機具等"}, {"KAJYU_GYUUBATO", "果樹・牛馬等"},
    {"TOTI", "土地"}, {"SYAKUTIKEN", "借地権"}, {"KOUKYOUSISETUFUTANKIN", "公共施設負担金"},
    {"TOTIKAIRYOUJIGYOU_JYUEKISYAFUTANKIN", "土地改良事業受益者負担金"}, {"JIGYOUNUSIKASI", "事業主貸"},
    {"SIHARAITEGATA", "支払手形"}, {"KAIKAKEKIN", "買掛金"}, {"SYUKUNYUUKIN", "借入金"}, {"MIBARAIKIN", "未払金"},
    {"MAIUKEKIN", "前受金"}, {"AZUKARIKIN", "預り金"}, {"HOSYOUKIN_SIKIKIN", "保証金・敷金"},
    {"KASIDAOREHIKIATEKIN", "貸倒引当金"}, {"JIGYOUNUSIKARI", "事業主借"}, {"MOTOIREKIN", "元入金"},
    // Profit and loss, general.
    {"URIAGEKINGAKU", "売上（収入）金額"}, {"KAJISYOUHI", "家事消費等"}, {"ZATUSYUNYU", "雑収入"},
    {"KISYUSYOHINTANAOROSIDAKA", "期首商品棚卸高"}, {"SIIREKINGAKU", "仕入金額"},
    {"KIMATUSYOHINTANAOROSIDAKA", "期末商品棚卸高"}, {"SOZEIKOUKA", "租税公課"}, {"NIZUKURIUNTIN", "荷造運賃"},
    {"SUIDOUKOUNETUHI", "水道光熱費"}, {"RYOHIKOUTUUHI", "旅費交通費"}, {"TUUSINHI", "通信費"},
    {"KOUKOKUSENDENHI", "広告宣伝費"}, {"SETTAIKOUSAIHI", "接待交際費"}, {"SONGAIHOKENRYOU", "損害保険料"},
    {"SYUUZENHI", "修繕費"}, {"SYOUMOUHINHI", "消耗品費"}, {"GENKASHOUKYAKUHI", "減価償却費"},
    {"FUKURIKOUSEIHI", "福利厚生費"}, {"KYUURYOUTINGIN", "給料賃金"}, {"GAICHUUKOUTIN", "外注工賃"},
    {"RISIWARIBIKIRYOU", "利子割引料"}, {"TIDAIYATIN", "地代家賃"}, {"KASIDAOREKIN", "貸倒金"}, {"ZAPPI", "雑費"},
    {"KURIMODOSI_KASIDAOREHIKIATEKIN", "貸倒引当金"}, {"SENJYUUSYAKYUUYO", "専従者給与"},
    {"KURIIRE_KASIDAOREHIKIATEKIN", "貸倒引当金"},
    // Manufacturing cost.
    {"KISYUGENZAIRYOUTANAOROSIDAKA", "期首原材料棚卸高"}, {"GENZAIRYOUSIIREDAKA", "原材料仕入高"},
    {"KIMATUGENZAIRYOUTANAOROSIDAKA", "期末原材料棚卸高"}, {"ROUMUHI", "労務費"}, {"DENNRYOKUHI", "電力費"},
    {"SYUZENHI", "修繕費"}, {"GENKASYOUKYAKUHI", "減価償却費"}, {"KISYUHANSEIHIN", "期首半製品・仕掛品棚卸高"},
    {"KIMATUHANSEIHIN", "期末半製品・仕掛品棚卸高"},
    // Real estate.
    {"TINTAIRYO", "賃貸料"}, {"REIKIN_KENRIKIN_KOUSINRYOU", "礼金・権利金・更新料"}, {"SYAKUNYUUKINRISI", "借入金利子"},
    {"SONOTANOKEIHI", "その他の経費"},
    // Agriculture.
    {"HANBAIKINGAKU", "販売金額"}, {"KAJISYOUHI_JIGYOUSYOUHIKINGAKU", "家事消費・事業消費金額"},
    {"ZASYUUNYUU", "雑収入"}, {"NOUSANBUTUNOTANAOROSIDAKA_KISYU", "農産物の期首棚卸高"},
    {"NOUSANBUTUNOTANAOROSIDAKA_KIMATU", "農産物の期末棚卸高"}, {"SYUBYOUHI", "種苗費"}, {"SOTIKUHI", "素畜費"},
    {"HIRYOUHI", "肥料費"}, {"SIRYOUHI", "飼料費"}, {"NOUGUHI", "農具費"}, {"NOUYAKUEISEIHI", "農薬・衛生費"},
    {"SYOZAIRYOUHI", "諸材料費"}, {"DOURYOKUKOUNETUHI", "動力光熱費"}, {"SAGYOUYOUIRYOUHI", "作業用衣料費"},
    {"NOUGYOUKYOUSAIKAKEKIN", "農業共済掛金"}, {"NIZUKURIUNTINTESUURYOU", "荷造運賃手数料"}, {"KONINHI", "雇人費"},
    {"TIDAI_TINSYAKURYOU", "地代・賃借料"}, {"TOTIKAIRYOUHI", "土地改良費"},
};

// The general statement passes its sales lines over: their movements make
// the monthly table, whose first leaves carry the sales.
const std::map<int, std::string> kGeneralSalesLines = {
    {1, "URIAGEKINGAKU"}, {2, "KAJISYOUHI"}, {3, "ZATUSYUNYU"}};

template <std::size_t Lines, std::size_t Names, class Rows>
std::string carried(const Rows& rows, int rec, const std::array<int, Lines>& index,
                    const std::array<const char*, Names>& names)
{
    for (std::size_t l = 1; l <= Lines; ++l)
        if (rows[static_cast<int>(l)].REC == rec) {
            const int position = index[l - 1];
            return position == NotCarried ? "(line " + std::to_string(l) + " not carried)"
                                          : names[static_cast<std::size_t>(position - 1)];
        }
    return {};
}

template <class Rows>
std::string balanceSheet(const Rows& sisan, const Rows& fusai, int rec,
                         const std::array<const char*, TaisyakuPositions>& names)
{
    for (int l = 1; l <= TaisyakuLines; ++l)
        for (const bool asset : {true, false})
            if ((asset ? sisan : fusai)[l].REC == rec) {
                const auto& at = (asset ? TaisyakuSisanIndex : TaisyakuFusaiIndex)[static_cast<std::size_t>(l - 1)];
                std::string name = names[static_cast<std::size_t>(at.kimatu - 1)];
                return name.substr(0, name.rfind("_KIMATU"));
            }
    return {};
}

pugi::xml_node leafNamed(pugi::xml_node group, const std::string& name)
{
    return group.find_node([&](pugi::xml_node n) { return name == n.name(); });
}

class SampleStatementLinesTest : public test::StatementSampleFixture {};

TEST_F(SampleStatementLinesTest, EachSampleLineLandsBesideItsOwnName)
{
    test::ScopedRoot exportRoot;
    const fs::path file = exportRoot.path() / "linkage.xml";
    for (const SampleClient client :
         {SampleClient::General, SampleClient::HandEntered, SampleClient::RealEstate, SampleClient::Agriculture}) {
        const tools::SampleDataSet set = sample(client);
        SCOPED_TRACE(set.listName);
        open(set);

        TIppanKessansyoIO general;
        TFudosanKessansyoIO estate;
        TNougyouKessansyoIO farm;
        TKojinKessansyoIO& reader = client == SampleClient::RealEstate    ? static_cast<TKojinKessansyoIO&>(estate)
                                    : client == SampleClient::Agriculture ? static_cast<TKojinKessansyoIO&>(farm)
                                                                          : general;
        reader.SetTransaction(dm_.IBTransactionDAT);
        ASSERT_TRUE(reader.Load(0));

        TSyotokuzeiDataExport exp(0, "");
        TakeOpenDataSet(exp);
        WriteLinkageFile(exp, file);
        pugi::xml_document xml;
        ASSERT_TRUE(xml.load_string(platform::cp932::toUtf8(test::readBytes(file)).c_str()));
        const pugi::xml_node group = xml.document_element().child("DATA").first_child();
        ASSERT_TRUE(group);

        for (const tools::SampleLine& line : set.lines) {
            SCOPED_TRACE(line.group + "-" + std::to_string(line.subrec) + " " + line.name);
            std::string element;
            switch (client) {
            case SampleClient::RealEstate:
                element = balanceSheet(estate.Rec.SISAN, estate.Rec.FUSAI, line.rec, FudosanTaisyakuNames);
                if (element.empty())
                    element = carried(estate.Rec.SONEKI, line.rec, FudosanSonekiIndex, FudosanSonekiNames);
                break;
            case SampleClient::Agriculture:
                element = balanceSheet(farm.Rec.SISAN, farm.Rec.FUSAI, line.rec, NougyouTaisyakuNames);
                if (element.empty())
                    element = carried(farm.Rec.SONEKI, line.rec, NougyouSonekiIndex, NougyouSonekiNames);
                break;
            default:
                element = balanceSheet(general.Rec.SISAN, general.Rec.FUSAI, line.rec, IppanTaisyakuNames);
                if (element.empty())
                    element = carried(general.Rec.SONEKI, line.rec, IppanSonekiIndex, IppanSonekiNames);
                if (element.empty())
                    element = carried(general.Rec.SEIZO, line.rec, IppanSeizouIndex, IppanSeizouNames);
                if (element.empty() && line.group == "4100" && kGeneralSalesLines.contains(line.subrec))
                    element = kGeneralSalesLines.at(line.subrec);
                break;
            }
            ASSERT_FALSE(element.empty()) << "the line lands nowhere";
            SCOPED_TRACE(element);
            if (element.find("YOBI") != std::string::npos) {
                EXPECT_NE(line.name, "") << "a spare line without a name of its own";
                const pugi::xml_node name = leafNamed(group, element + "_KAMOKU");
                ASSERT_TRUE(name) << "no name leaf";
                EXPECT_EQ(std::string(name.child_value()), line.name);
                continue;
            }
            const auto caption = kCaptions.find(element);
            ASSERT_NE(caption, kCaptions.end()) << "no caption for the element";
            EXPECT_EQ(line.name, caption->second);
        }
        dm_.CloseAccDat("", 0, 0);
        fs::remove(fs::path(SystemDef.DataDir) / DataDbFileName);
    }
}

} // namespace
} // namespace vq::linkage
