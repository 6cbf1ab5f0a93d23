#include "dbupdate/steps/z5UserDbUpdate800.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate800 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 8;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = SystemDef.AppTitle + "１６のデータ形式に変換 他";
    rec.Description = "１）" + SystemDef.AppTitle + "１６のデータ形式に変換する。\r２）マイナンバー制度に対応する。";
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(1, 8, 0, 0, NumberedPartFiles("vqzup", 1, 6));
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate800
