#include "dbupdate/steps/z5SystemDbUpdate300.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate300 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 3;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "旧バージョンデータの更新を禁止する機能を追加";
    rec.Description = "旧バージョンデータの更新を設定により禁止することが可能になります。";
}

TUpdateScheme Scheme()
{
    return OldSystemScheme(3, 0, 0, false, "system_3_0_0");
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate300
