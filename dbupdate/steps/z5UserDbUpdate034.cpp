#include "dbupdate/steps/z5UserDbUpdate034.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate034 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 3;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "特定科目コード取得プログラムの変更 他";
    rec.Description = "特定科目コード取得プログラムを変更します。\r試算表用の当座資産分類コードを変更します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(0, 3, 4, [](TUpdateScript& script) { script.AddSqlText(StepSql("data_0_3_4")); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate034
