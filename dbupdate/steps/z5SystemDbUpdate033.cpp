#include "dbupdate/steps/z5SystemDbUpdate033.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate033 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 3;
    rec.Minor2 = 3;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "経営ハルブリンユーザーの追加";
    rec.Description = "経営ハルブリンユーザーを追加します。";
}

TUpdateScheme Scheme()
{
    return OldSystemScheme(0, 3, 3, false, "system_0_3_3");
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate033
