#include "dbupdate/steps/z5UserDbUpdate903.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileSteps.h"

namespace vq::z5UserDbUpdate903 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 9;
    rec.Minor1 = 0;
    rec.Minor2 = 3;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "法人全体試算表の科目内訳の取得方法を変更 他";
    rec.Description = "１）法人全体試算表の科目内訳の取得方法を変更しました。";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
}

void RoundKamokuMsBudgets()
{
    ExecDataSql("UPDATE KAMOKU_MS SET BYOSAN=F_ROUND(BYOSAN),BYOSAN2=F_ROUND(BYOSAN2),BYOSAN3=F_ROUND(BYOSAN3)");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(1, 9, 0, 3, NumberedPartFiles("vqzup", 1, 2));
    SkipByMedicalFlag(s, {1}, {2});
    s.PostWork = RoundKamokuMsBudgets;
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate903
