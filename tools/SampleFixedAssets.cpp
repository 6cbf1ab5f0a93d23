#include "tools/SampleFixedAssets.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "tools/SqlText.h"

namespace vq::tools {

namespace {

std::string n(std::int64_t value) { return std::to_string(value); }

// Four decimals of a value kept in 1/10,000.
std::string decimal4(std::int64_t scaled)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%04lld", static_cast<long long>(scaled / 10000),
                  static_cast<long long>(scaled % 10000));
    return text;
}

// The depreciation expense account of each kind's chart.
const char* expenseAccount(int codeType)
{
    switch (codeType) {
    case 1: return "6220";
    case 2: return "6140";
    case 4: return "6210";
    default: return "";
    }
}

constexpr const char* kPrivateAccount = "1910";   // 事業主貸
constexpr const char* kBankAccount = "1130";      // 普通預金, the client's main bank "001"

bool acquiredIn2024(const SampleFixedAsset& a) { return std::string(a.acquired).rfind("2024-", 0) == 0; }

} // namespace

std::vector<SampleFixedAsset> sampleFixedAssets(int codeType)
{
    // The stored amounts follow the statutory rules year by year from the
    // acquisition (truncating rounding, calendar fiscal years); the
    // depreciation calculator recomputes the same values for 2024.
    switch (codeType) {
    case 1: return {
        {4, "1510", "空調設備", 1, "2009-04-01", 1800000, 21150, 1800000, 15, 670, 1, 21149, 1, 0, 0, 0, 100, "建物附属設備"},
        {5, "1510", "陳列ケース（冷蔵）", 2, "2021-03-01", 700000, 311720, 311720, 8, 2500, 1, 77930, 233790, 0, 0, 0, 100, ""},
        {6, "1530", "ノートパソコン", 4, "2024-02-01", 198000, 0, 198000, 3, 0, 2, 66000, 132000, 0, 0, 0, 70, "一括償却資産"},
        {7, "1530", "複合機（リース）", 6, "2023-07-01", 720000, 660000, 720000, 72, 0, 1, 120000, 540000, 0, 0, 0, 100, "リース期間７２か月"},
        {8, "1530", "耐火金庫", 2, "2005-08-01", 450000, 53810, 53810, 20, 1090, 1, 5865, 47945, 0, 0, 0, 100, ""},
        {9, "1510", "店舗賃借権利金", 3, "2020-07-01", 600000, 180000, 600000, 5, 0, 1, 120000, 60000, 0, 0, 0, 100, "繰延資産"},
        {10, "1530", "防犯カメラ", 5, "2024-09-10", 165000, 0, 165000, 0, 0, 9, 165000, 0, 0, 0, 0, 100, ""},
    };
    case 2: return {
        {2, "1510", "給湯設備", 2, "2017-06-01", 900000, 352603, 352603, 15, 1330, 1, 46896, 305707, 0, 0, 0, 100, ""},
        {3, "1510", "駐車場舗装", 1, "2003-04-01", 2400000, 24004, 2160000, 15, 660, 1, 23999, 5, 0, 0, 0, 100, "アスファルト舗装"},
        {4, "1510", "浴室改修", 2, "2010-09-01", 1200000, 43767, 43767, 15, 1670, 1, 43766, 1, 218835, 0, 0, 100, "建物附属設備"},
        {5, "1510", "物置", 2, "2005-04-01", 800000, 45394, 45394, 15, 1420, 1, 5394, 40000, 0, 0, 0, 100, ""},
        {6, "1510", "エアコン（２０２号室）", 4, "2024-05-01", 180000, 0, 180000, 3, 0, 5, 60000, 120000, 0, 0, 0, 100, "一括償却資産"},
        {7, "1510", "防犯カメラ（リース）", 6, "2022-10-01", 540000, 405000, 540000, 60, 0, 1, 108000, 297000, 0, 0, 0, 100, "リース期間６０か月"},
        {8, "1510", "共同施設負担金", 3, "2022-04-01", 500000, 325000, 500000, 5, 0, 1, 100000, 225000, 0, 0, 0, 100, "繰延資産"},
        {9, "1510", "宅配ボックス", 5, "2024-08-05", 240000, 0, 240000, 0, 0, 8, 240000, 0, 0, 0, 0, 100, ""},
    };
    case 4: return {
        {3, "1520", "コンバイン", 2, "2018-09-01", 4800000, 751619, 751619, 7, 2860, 1, 376937, 374682, 1128556, 0, 0, 100, "４条刈"},
        {4, "1520", "穀物乾燥調製施設", 2, "2011-10-01", 2200000, 142461, 142461, 14, 1790, 1, 71229, 71232, 356148, 0, 0, 100, ""},
        {5, "1510", "農機具倉庫", 1, "2001-04-01", 3000000, 972975, 2700000, 31, 330, 1, 89100, 883875, 0, 0, 0, 100, "鉄骨造"},
        {6, "1520", "管理機", 2, "2006-05-01", 350000, 1, 1, 7, 2800, 1, 0, 1, 0, 0, 0, 100, "備忘価額"},
        {7, "1520", "乗用草刈機", 4, "2023-06-01", 150000, 100000, 150000, 3, 0, 1, 50000, 50000, 0, 0, 0, 100, "一括償却資産"},
        {8, "1510", "鉄骨農舎", 2, "2012-06-01", 1600000, 248499, 248499, 17, 1470, 1, 49819, 198680, 298318, 0, 1, 100, "250%定率法"},
        {9, "1520", "自動給水装置（リース）", 6, "2023-04-01", 900000, 774000, 840000, 60, 0, 1, 168000, 606000, 0, 60000, 0, 100, "リース期間６０か月"},
        {10, "1510", "土地改良負担金", 3, "2021-01-01", 600000, 420000, 600000, 10, 0, 1, 60000, 360000, 0, 0, 0, 100, "繰延資産"},
        {11, "1520", "動力噴霧機", 5, "2024-04-10", 280000, 0, 280000, 0, 0, 4, 280000, 0, 0, 0, 0, 100, ""},
    };
    default: return {};
    }
}

std::string sampleFixedAssetSql(const SampleFixedAsset& a)
{
    char kanri[16];
    std::snprintf(kanri, sizeof kanri, "%04d", a.rec);
    return "INSERT INTO KS_SISAN (REC, SCODE, KANRI, KCODE, MEISYOU, SURYO, GSHOUHOU, SYUTODATE, SYUTOKIN, "
           "KISOKIN, KISYUMISYOUKIN, TAIYOUYY, SYOURITU, SYOUKIKANSTR, SYOUKIKANEND, FUTUSYOUKIN, WARISYOUKIN, "
           "SYOUKINKEI, MATUMISYOUKIN, KAITEISYUTOKUKAGAKU, ZANKAHOSYOUGAKU, TEIRITU250, JIGYOUWARIAI_NEW, "
           "TRANSKBN, TEKIYO) VALUES (" +
           n(a.rec) + ", ' ', '" + kanri + "', '" + a.account + "', " + sqlText(a.name) + ", 1, " + n(a.method) +
           ", '" + a.acquired + "', " + n(a.cost) + ", " + n(a.base) + ", " + n(a.opening) + ", " + n(a.life) +
           ", " + decimal4(a.rate) + ", " + n(a.fromMonth) + ", 12, " + n(a.amount) + ", 0, " + n(a.amount) +
           ", " + n(a.closing) + ", " + n(a.revisedCost) + ", " + n(a.guarantee) + ", " + n(a.teiritu250) + ", " +
           n(a.share) + ", 0, " + sqlText(a.remarks) + ");";
}

void addSampleFixedAssets(SampleDataSet& set)
{
    // The three clients by their office codes, so that further data sets of
    // the same kinds keep registers of their own.
    const bool sampleClient = (set.dataCode == "0001" && set.codeType == 1) ||
                              (set.dataCode == "0002" && set.codeType == 2) ||
                              (set.dataCode == "0003" && set.codeType == 4);
    const auto assets = sampleClient ? sampleFixedAssets(set.codeType) : std::vector<SampleFixedAsset>{};
    if (assets.empty())
        return;
    int lastRec = 0;
    for (const auto& a : assets) {
        set.extraSql.push_back(sampleFixedAssetSql(a));
        lastRec = std::max(lastRec, a.rec);
        const std::string name = a.name;
        if (acquiredIn2024(a)) {
            const int month = std::stoi(std::string(a.acquired).substr(5, 2));
            const int day = std::stoi(std::string(a.acquired).substr(8, 2));
            set.entries.push_back({month, day, false, a.account, "", kBankAccount, "001", a.cost, TaxKind::None,
                                   "取得：" + name});
        } else {
            auto account = std::find_if(set.accounts.begin(), set.accounts.end(),
                                        [&](const SampleAccount& s) { return s.code == a.account; });
            if (account == set.accounts.end())
                throw std::logic_error("sample fixed asset on an account the chart lacks: " + std::string(a.account));
            account->opening += a.opening;
        }
        if (a.amount == 0)
            continue;
        // The private share of the depreciation goes to 事業主貸, as the
        // books of an individual keep it.
        const std::int64_t expense = a.amount * a.share / 100;
        set.entries.push_back({12, 31, true, expenseAccount(set.codeType), "", a.account, "", expense,
                               TaxKind::None, "減価償却費（" + name + "）"});
        if (a.amount > expense)
            set.entries.push_back({12, 31, true, kPrivateAccount, "", a.account, "", a.amount - expense,
                                   TaxKind::None, "減価償却費の家事分（" + name + "）"});
    }
    set.extraSql.push_back("ALTER SEQUENCE KSSISAN_GEN RESTART WITH " + n(lastRec) + ";");
}

} // namespace vq::tools
