#include "dbupdate/steps/z5UserDbUpdate013.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate013 {

using old_data_step::AddColumnTest;
using old_data_step::ColumnTest;

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 1;
    rec.Minor2 = 3;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "監査処理機能を追加";
    rec.Description = "監査処理用のテーブルを作成します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(3, [](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_0_1_3"));
        AddColumnTest(script, ColumnTest::SdaiHasuu3);
        AddColumnTest(script, ColumnTest::KessanKikan);
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate013
