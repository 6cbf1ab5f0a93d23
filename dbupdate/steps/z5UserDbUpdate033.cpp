#include "dbupdate/steps/z5UserDbUpdate033.h"

#include <string>
#include <sstream>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/AccInf.h"

namespace vq::z5UserDbUpdate033 {

namespace {

// Account codes as ranges, in the order the statements are written.
constexpr const char* kAssetsAndLiabilities =
    "1101-1105 1112-1116 1122-1125 1127-1130 1132 1141-1143 1145-1147 1201-1206 1301-1311 1320 1401-1412 "
    "1416 1501-1506 1601-1608 1620 1701-1703 2101-2121 2201-2207 2301-2302 3101";
constexpr const char* kCorporateRest =
    " 3111 3201 3401-3402 3202-3203 3301-3306 3314 3313 3309-3312 3315-3317 3501 4101-4110 4115 5101 5201-5210 "
    "5215 5301 5401-5405 5411 5501-5508 5601-5619 5621 5701 5801 6101-6109 6200-6225 6231 7101-7106 7201-7206 "
    "8101-8105 8201-8205 8301-8304 9999";
constexpr const char* kGeneralRest =
    " 3201-3203 3301-3305 4101-4110 4115 5101 5201-5210 5215 5301 5401-5405 5411 5501-5508 5601-5619 5621 5701 "
    "5801 6101-6109 6201-6226 6231 7101-7106 7201-7206 9999";
constexpr const char* kRealEstateRest = " 3201-3203 3301-3305 4101-4110 4115 6101-6109 6201-6226 6231 7202 9999";

enum class List { Corporate, General, RealEstate };

// The readings that differ by list; the others hold for every list. Only
// these are known: the other accounts keep an empty reading.
std::string reading(int code, List list)
{
    switch (code) {
    case 1101: return "genki";
    case 1102: return "touza";
    case 3101: return list == List::Corporate ? "shiho" : "motoi";
    case 4101: return list == List::RealEstate ? "chint" : "uriag";
    case 5101: return "kisyu";
    case 6231: return list == List::RealEstate ? "sonot" : "zappi";
    case 9999: return "syoku";
    default: return "";
    }
}

// Caution and good bands: the assets, capital, revenue and gains should
// grow, the liabilities, costs and losses shrink.
std::string bands(int code)
{
    if (code == 9999)
        return "Halbrin_BadRate=0,Halbrin_BadKind=0,Halbrin_GoodRate=0,Halbrin_GoodKind=0";
    const int head = code / 1000;
    const bool grows = head == 1 || head == 3 || head == 4 || (code >= 7101 && code <= 7106) ||
                       (code >= 8101 && code <= 8105);
    return grows ? "Halbrin_BadRate=0.95,Halbrin_BadKind=0,Halbrin_GoodRate=1.05,Halbrin_GoodKind=1"
                 : "Halbrin_BadRate=1.05,Halbrin_BadKind=1,Halbrin_GoodRate=0.95,Halbrin_GoodKind=0";
}

void addList(TUpdateScript& script, List list, const std::string& ranges)
{
    std::istringstream in(ranges);
    for (std::string range; in >> range;) {
        const auto dash = range.find('-');
        const int first = std::stoi(range.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(range.substr(dash + 1));
        for (int code = first; code <= last; ++code)
            script.Add("UPDATE KAMOKUMST SET KKANA='" + reading(code, list) + "'," + bands(code) + " WHERE KCODE='" +
                       std::to_string(code) + "';");
    }
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 3;
    rec.Minor2 = 3;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "経営ハルブリン機能の追加 他";
    rec.Description = "比較経営分析表の初期値を設定します。\r元入金の繰り入れ計算を更新します。";
}

void AddAccountList(TUpdateScript& script, std::int32_t dataType, std::int32_t codeType)
{
    const std::string common = kAssetsAndLiabilities;
    if (dataType == 1)
        addList(script, List::Corporate, common + kCorporateRest);
    else if (codeType == 1)
        addList(script, List::General, common + kGeneralRest);
    else if (codeType == 2)
        addList(script, List::RealEstate, common + kRealEstateRest);
}

TUpdateScheme Scheme()
{
    const std::int32_t dataType = AccInf.DATATYPE, codeType = AccInf.CODETYPE;
    return old_data_step::Scheme(0, 3, 3, [dataType, codeType](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_0_3_3"));
        AddAccountList(script, dataType, codeType);
        script.Add("COMMIT;");
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate033
