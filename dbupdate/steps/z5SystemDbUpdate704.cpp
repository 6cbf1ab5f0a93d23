#include "dbupdate/steps/z5SystemDbUpdate704.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5SystemDbUpdate704 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 7;
    rec.Minor1 = 0;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "消費税・特定課税仕入れ に対応";
    rec.Description = "１）特定課税仕入れの取引 に対応します。";
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(7, 0, 4, 1);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate704
