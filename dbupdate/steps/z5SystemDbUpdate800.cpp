#include "dbupdate/steps/z5SystemDbUpdate800.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"

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
    TUpdateScheme s = part_file_step::SystemScheme(8, 0, 0, 1);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate800
