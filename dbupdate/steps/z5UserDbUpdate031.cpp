#include "dbupdate/steps/z5UserDbUpdate031.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate031 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 3;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "３期比較集計プログラムの更新 他";
    rec.Description = "３期比較集計プログラムを更新します。\r基本情報に通信フォルダー列を追加します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(0, 3, 1, [](TUpdateScript& script) { old_data_step::AddStepSql(script, "data_0_3_1"); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate031
