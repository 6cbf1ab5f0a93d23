#include "dbupdate/steps/z5UserDbUpdate900.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate900 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 9, 0, 0, DoUpdate, SystemDef.AppTitle + "１７のデータ形式に変換",
                                  "１）" + SystemDef.AppTitle + "１７のデータ形式に変換する。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(9, 0, 0, 5);
    s.UsePart = part_file_step::ByDataKind({4}, {5});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate900
