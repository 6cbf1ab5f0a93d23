#include "dbupdate/steps/z5UserDbUpdate901.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"

namespace vq::z5UserDbUpdate901 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 9;
    rec.Minor1 = 0;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "補助の削除処理障害に対応";
    rec.Description = "１）補助の削除処理が適正におこなえるように対応します。";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(1, 9, 0, 1, NumberedPartFiles("vqzup", 1, 1));
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate901
