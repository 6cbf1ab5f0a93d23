#include "dbupdate/steps/z5UserDbUpdate802.h"

#include <cstdio>
#include <set>
#include <vector>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/data/DataModule.h"

namespace vq::z5UserDbUpdate802 {

namespace {

struct ProcAt {
    std::int32_t page, menu;
    const char* id;
    const char* option;
};

// The positions of the old menu pages of a data set.
constexpr ProcAt kGeneralProcs[] = {
    {0, 0, "QzHalbrin1", ""}, {0, 1, "QzYojituHendoPL", ""}, {0, 10, "QzHikakuSuiihyo", ""},
    {0, 19, "QzTusinSettei", ""},
    {1, 0, "QzSimulation", ""}, {1, 1, "QzGetujiHikakuGraph", ""}, {1, 2, "QzSankiHikakuGraph", ""},
    {1, 3, "QzSankiKamokuGraph", ""}, {1, 4, "QzKeieiBunseki2", ""}, {1, 5, "QzSogoHikakuPL", ""},
    {1, 6, "QzYojitutaihi", ""}, {1, 7, "QzYosoku2", ""}, {1, 8, "QzGetujiHikaku", ""},
    {1, 9, "QzSankiHikaku", ""}, {1, 10, "QzBumonHikakuBL", ""}, {1, 11, "QzSikinguri", ""},
    {1, 12, "QzSitenHikakuBL", ""}, {1, 19, "QzZenkamoku2", ""},
    {2, 0, "QzSiwake", "SyoriType=0"}, {2, 1, "QzMonitor", ""}, {2, 2, "QzMotocho", "SyoriType=0"},
    {2, 3, "QzSisanhyo", ""},
};
constexpr ProcAt kGeneralPage3[] = {
    {3, 0, "QzHojinKessansyo", ""}, {3, 1, "QzCashFlow", ""}, {3, 2, "QzIkkatuPrint", ""},
    {3, 3, "QzGaikyosyo", ""}, {3, 5, "QzKojinKessansyo", ""}, {3, 6, "QzGenkaSyokyaku", ""},
    {3, 7, "QzTouzaChoseihyo", ""}, {3, 10, "QzTaxSinkokusyo", ""}, {3, 11, "QzTaxUtiwakesyo", ""},
    {3, 12, "QzTaxSyukeihyo", ""}, {3, 13, "QzTaxSisanhyo", ""}, {3, 15, "QzTaxSinkokusyoSyusei", ""},
};
constexpr ProcAt kMedicalPage3[] = {
    {3, 0, "QzMBKessansyo", ""}, {3, 1, "QzMBKessansyoSisetsu", ""}, {3, 2, "QzMBHokukuJigyo", ""},
    {3, 3, "QzMBHokukuZaisan", ""}, {3, 4, "QzMBHokukuKansa", ""}, {3, 5, "QzCashFlow", ""},
    {3, 6, "QzIkkatuPrint", ""}, {3, 7, "QzGaikyosyo", ""}, {3, 8, "QzGenkaSyokyaku", ""},
    {3, 9, "QzTouzaChoseihyo", ""}, {3, 10, "QzTaxSinkokusyo", ""}, {3, 11, "QzTaxUtiwakesyo", ""},
    {3, 12, "QzTaxSyukeihyo", ""}, {3, 13, "QzTaxSisanhyo", ""}, {3, 15, "QzTaxSinkokusyoSyusei", ""},
};
constexpr ProcAt kDistributorProcs[] = {
    {2, 17, "QzKobetuIchiranhyo", ""}, {2, 18, "QzKobetuMeisaihyo", ""}, {2, 19, "QzKobetuMotocho", ""},
};

template <std::size_t N>
bool find(const ProcAt (&table)[N], std::int32_t page, std::int32_t menu, std::string& id, std::string& option)
{
    for (const auto& p : table) {
        if (p.page == page && p.menu == menu) {
            id = p.id;
            option = p.option;
            return true;
        }
    }
    return false;
}

bool isMedicalCorporation()
{
    return AccInf.DATATYPE == 3;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 8;
    rec.Minor1 = 0;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "予算管理機能強化";
    rec.Description = "１）法人データの予算管理を強化します。";
    if ((OemKind == 1 || OemKind == 2)) {
        rec.Title = "不具合修正";
        rec.Description = "１）不具合を修正（詳しくはＨＰで確認ください）";
    }
}

void AddKamokuKoseiGroup()
{
    if (AccInf.DATATYPE != 1)
        return;
    if (OemKind == 0) {
        InsertKoseiGroups({{"法人税等", {"8301", "8302"}},
                           {"減価償却費", {"5606", "6204"}},
                           {"短期借入金返済", {"2103"}},
                           {"長期借入金返済", {"2202"}},
                           {"期首期末棚卸", {"5101", "5301", "5401", "5411", "5701", "5801"}}});
    } else if ((OemKind == 1 || OemKind == 2)) {
        InsertKoseiGroups({{"法人税等", {"98100", "98300", "98400", "98500"}},
                           {"減価償却費", {"55400", "68400"}},
                           {"短期借入金返済", {"31100"}},
                           {"長期借入金返済", {"37100"}},
                           {"期首期末棚卸", {"49700", "49800", "50800", "50900", "59400", "59500", "59600", "59300",
                                            "59700", "59800", "59900"}}});
    }
    InsertYojituHyokaRules({
        {"4800", "売上", BudgetSide::HigherIsGood},
        {"5100", "変動費", BudgetSide::LowerIsGood},
        {"5400", "限界利益", BudgetSide::HigherIsGood},
        {"5600", "人件費", BudgetSide::LowerIsGood},
        {"5700", "固定費", BudgetSide::LowerIsGood},
        {"6200", "営業利益", BudgetSide::HigherIsGood},
        {"7180", "営業外収益", BudgetSide::HigherIsGood},
        {"7280", "営業外費用", BudgetSide::LowerIsGood},
        {"7300", "経常利益", BudgetSide::HigherIsGood},
        {"8180", "特別利益", BudgetSide::HigherIsGood},
        {"8280", "特別損失", BudgetSide::LowerIsGood},
        {"8290", "税引前当期純利益", BudgetSide::HigherIsGood},
    });
    SetAccountBands("7100", BudgetSide::HigherIsGood);
    SetAccountBands("7200", BudgetSide::LowerIsGood);
    SetAccountBands("8100", BudgetSide::HigherIsGood);
    SetAccountBands("8200", BudgetSide::LowerIsGood);
}

bool JobControl2ProcId(std::int32_t pageNo, std::int32_t menuNo, bool medical, std::string& procId,
                       std::string& procOption)
{
    procId.clear();
    procOption.clear();
    if (pageNo == 3)
        return medical ? find(kMedicalPage3, pageNo, menuNo, procId, procOption)
                       : find(kGeneralPage3, pageNo, menuNo, procId, procOption);
    if (pageNo == 4 && ((menuNo >= 0 && menuNo <= 16) || menuNo == 19)) {
        char id[16];
        std::snprintf(id, sizeof id, "QzUtiwake%02d", menuNo + 1);
        procId = menuNo == 19 ? "QzUtiwakeAll" : id;
        return true;
    }
    if (find(kGeneralProcs, pageNo, menuNo, procId, procOption))
        return true;
    return (OemKind == 1 || OemKind == 2) && find(kDistributorProcs, pageNo, menuNo, procId, procOption);
}

void AddJobControl2()
{
    const bool medical = isMedicalCorporation();
    const std::int32_t level = medical ? 1200 : 200;
    struct Position {
        std::int32_t page, menu;
    };
    std::vector<Position> positions;
    {
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                        "SELECT LEVELNO,PAGENO,MENUNO FROM JOBCONTROL WHERE LEVELNO=:LEVELNO ORDER BY PAGENO,MENUNO");
        q.param("LEVELNO").setInt(level);
        q.execute();
        while (q.fetch())
            positions.push_back({q.field("PAGENO").asInt(), q.field("MENUNO").asInt()});
    }
    db::Statement insert(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                         "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION) VALUES(:LEVELNO,:PROC_ID,:PROC_OPTION)");
    // JOBCONTROL may hold a position twice; JOBCONTROL2 keys a program once.
    std::set<std::string> written;
    for (const auto& p : positions) {
        std::string id, option;
        if (!JobControl2ProcId(p.page, p.menu, medical, id, option) || !written.insert(id).second)
            continue;
        insert.param("LEVELNO").setInt(level);
        insert.param("PROC_ID").setString(id);
        insert.param("PROC_OPTION").setString(option);
        insert.execute();
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(8, 0, 2, 6);
    s.PartFiles.insert(s.PartFiles.begin(), part_file_step::PartName(7));
    s.UsePart = part_file_step::ByDataKind({1, 2}, {3, 4});
    s.PostWork = [] {
        AddKamokuKoseiGroup();
        AddJobControl2();
    };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate802
