#include "dbupdate/steps/z5UserDbUpdate012.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate012 {

using old_data_step::AddColumnTest;
using old_data_step::ColumnTest;

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 1;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "当座残高調整表を追加";
    rec.Description = "当座残高調整表用のプロシジャーを作成します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(2, [](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_0_1_2"));
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate012
