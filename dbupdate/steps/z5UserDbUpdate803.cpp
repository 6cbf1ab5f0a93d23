#include "dbupdate/steps/z5UserDbUpdate803.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"

namespace vq::z5UserDbUpdate803 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 8, 0, 3, DoUpdate, "個人データの予算管理機能強化 他",
                                  "１）個人データの予算管理を強化します。\r２）決算書の個別注記表項目を「法人税のOvidal」へ連動可能にします。");
}

void AddKamokuKoseiGroup()
{
    if (AccInf.DATATYPE != 2)
        return;
    const std::int32_t codeType = AccInf.CODETYPE;
    if (OemKind == 0) {
        if (codeType == 1 || codeType == 3)
            InsertKoseiGroups({{"減価償却費", {"5606", "6202"}},
                               {"短期借入金返済", {"2103"}},
                               {"長期借入金返済", {"2202"}},
                               {"期首期末棚卸", {"5101", "5301", "5401", "5411", "5701", "5801"}}});
        else if (codeType == 2)
            InsertKoseiGroups({{"減価償却費", {"6202"}}, {"短期借入金返済", {"2103"}}, {"長期借入金返済", {"2202"}}});
        else if (codeType == 4)
            InsertKoseiGroups({{"減価償却費", {"6204"}},
                               {"短期借入金返済", {"2103"}},
                               {"長期借入金返済", {"2202"}},
                               {"期首期末棚卸", {"5101", "5301", "6301", "6302"}}});
    } else if ((OemKind == 1 || OemKind == 2)) {
        if (codeType == 1)
            InsertKoseiGroups({{"減価償却費", {"55400", "68400"}},
                               {"短期借入金返済", {"31100"}},
                               {"長期借入金返済", {"37100"}},
                               {"期首期末棚卸", {"49700", "49800", "50800", "50900", "59400", "59500", "59600",
                                                "59300", "59700", "59800", "59900"}}});
        else if (codeType == 2)
            InsertKoseiGroups({{"減価償却費", {"68400"}}, {"短期借入金返済", {"31100"}}, {"長期借入金返済", {"37100"}}});
        else if (codeType == 4)
            InsertKoseiGroups({{"減価償却費", {"68400"}},
                               {"短期借入金返済", {"31100"}},
                               {"長期借入金返済", {"37100"}},
                               {"期首期末棚卸", {"49700", "49800", "69300", "69400"}}});
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
        {"8400", "青申特別控除前所得", BudgetSide::HigherIsGood},
    });
    SetAccountBands("7100", BudgetSide::HigherIsGood);
    SetAccountBands("7200", BudgetSide::LowerIsGood);
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(8, 0, 3, 1);
    s.UsePart = part_file_step::ByDataKind({1}, {});
    s.PostWork = AddKamokuKoseiGroup;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate803
