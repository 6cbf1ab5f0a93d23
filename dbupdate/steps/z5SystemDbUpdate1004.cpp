#include "dbupdate/steps/z5SystemDbUpdate1004.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5SystemDbUpdate1004 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 10, 0, 4, DoUpdate, "オペレータの種類に承認者を追加",
                                  "１）オペレータの種類に承認者を追加しました。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(10, 0, 4, 1);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate1004
