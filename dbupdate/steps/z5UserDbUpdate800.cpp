#include "dbupdate/steps/z5UserDbUpdate800.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
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
    TUpdateScheme s = part_file_step::DataScheme(8, 0, 0, 6);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate800
