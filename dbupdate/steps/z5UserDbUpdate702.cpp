#include "dbupdate/steps/z5UserDbUpdate702.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate702 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 7;
    rec.Minor1 = 0;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "簡易課税制度のみなし仕入率の見直し";
    rec.Description = "１）簡易課税制度のみなし仕入率の見直しに対応します。\r";
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(7, 0, 2, 2);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate702
