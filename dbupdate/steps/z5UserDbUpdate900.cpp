#include "dbupdate/steps/z5UserDbUpdate900.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate900 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 9;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = SystemDef.AppTitle + "１７のデータ形式に変換";
    rec.Description = "１）" + SystemDef.AppTitle + "１７のデータ形式に変換する。";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(1, 9, 0, 0, NumberedPartFiles("vqzup", 1, 5));
    SkipByMedicalFlag(s, {4}, {5});
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate900
