#include "dbupdate/steps/z5UserDbUpdate903.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate903 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 9, 0, 3, DoUpdate, "法人全体試算表の科目内訳の取得方法を変更 他",
                                  "１）法人全体試算表の科目内訳の取得方法を変更しました。");
}

void RoundKamokuMsBudgets()
{
    ExecDataSql("UPDATE KAMOKU_MS SET BYOSAN=F_ROUND(BYOSAN),BYOSAN2=F_ROUND(BYOSAN2),BYOSAN3=F_ROUND(BYOSAN3)");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(9, 0, 3, 2);
    s.UsePart = part_file_step::ByDataKind({1}, {2});
    s.PostWork = RoundKamokuMsBudgets;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate903
