#include "dbupdate/steps/z5SystemDbUpdate307.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate307 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 3;
    rec.Minor1 = 0;
    rec.Minor2 = 7;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "処理コントロールデータの改修";
    rec.Description = "処理レベルによる処理コントロールのデータ関連性を改修します。";
}

TUpdateScheme Scheme()
{
    return OldSystemScheme(3, 0, 7, false, "system_3_0_7");
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate307
