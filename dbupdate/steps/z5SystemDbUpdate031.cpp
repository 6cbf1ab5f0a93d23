#include "dbupdate/steps/z5SystemDbUpdate031.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate031 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 3;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "共有サーバー機能の追加";
    rec.Description = "共有サーバー機能を追加します。";
}

TUpdateScheme Scheme()
{
    return OldSystemScheme(0, 3, 1, false, "system_0_3_1");
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate031
