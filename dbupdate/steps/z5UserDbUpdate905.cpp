#include "dbupdate/steps/z5UserDbUpdate905.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileSteps.h"

namespace vq::z5UserDbUpdate905 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 9;
    rec.Minor1 = 0;
    rec.Minor2 = 5;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "中期予算作成の一括調整機能の不具合修正";
    rec.Description = "１）中期予算作成の実績調整の一括調整機能の不具合を修正しました。";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
}

void ResetSiwakeDnum()
{
    ExecDataSql("UPDATE SIWAKE SET DNUM=0");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(1, 9, 0, 5, NumberedPartFiles("vqzup", 1, 2));
    SkipByMedicalFlag(s, {1}, {2});
    if (IsDistributorEdition())
        s.PostWork = ResetSiwakeDnum;
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate905
