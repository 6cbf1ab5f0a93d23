#include "dbupdate/steps/z5UserDbUpdate610.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate610 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 6, 1, 0, DoUpdate, SystemDef.AppTitle + "１４ 消費税改正版のデータ形式に変換 他",
                           "１）２０１４年４月の消費税改正 に対応します。\r");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(6, 1, 0, 5);
    s.UsePart = part_file_step::ByDataKind({4}, {5});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate610
