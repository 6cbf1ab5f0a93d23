#include "dbupdate/steps/z5SystemDbUpdate1200.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"

namespace vq::z5SystemDbUpdate1200 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 12;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "仕訳入力の禁止設定";
    rec.Description = "１）仕訳入力を禁止にする設定を追加しました。※対象製品：ヴォルレン財務";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(0, 12, 0, 0, {"sysup01.sql"});
    s.Memo = MemoForm::JoinedTrimmed;
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate1200
