#include "dbupdate/steps/z5UserDbUpdate032.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"

namespace vq::z5UserDbUpdate032 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 3;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "電子帳簿用ユーザーの追加";
    rec.Description = "電子帳簿用ユーザーを追加します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(0, 3, 2, nullptr);
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate032
