#include "dbupdate/steps/z5SystemDbUpdate800.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"

namespace vq::z5SystemDbUpdate800 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 8;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "マイナンバー制度に対応";
    rec.Description = "１）マイナンバー制度に対応しました。";
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(0, 8, 0, 0, {"sysup01.sql"});
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate800
