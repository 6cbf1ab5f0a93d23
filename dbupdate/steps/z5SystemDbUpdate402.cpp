#include "dbupdate/steps/z5SystemDbUpdate402.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/RunState.h"

namespace vq::z5SystemDbUpdate402 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 4;
    rec.Minor1 = 0;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "データ選択でデータの破損検証";
    rec.Description = "１）データ選択でデータの破損を検証する機能が追加されます。";
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = OldSystemScheme(4, 0, 2, true, "");
    s.After = [](TUpdateScript& script) {
        if (OemKind == 0)
            AddDataListUpdate(script);
        script.AddSqlText(StepSql("system_4_0_2"));
    };
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate402
