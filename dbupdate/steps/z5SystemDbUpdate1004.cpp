#include "dbupdate/steps/z5SystemDbUpdate1004.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"

namespace vq::z5SystemDbUpdate1004 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 10;
    rec.Minor1 = 0;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "オペレータの種類に承認者を追加";
    rec.Description = "１）オペレータの種類に承認者を追加しました。";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(0, 10, 0, 4, {"sysup01.sql"});
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate1004
