#include "dbupdate/steps/z5UserDbUpdate901.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate901 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 9, 0, 1, DoUpdate, "補助の削除処理障害に対応",
                                  "１）補助の削除処理が適正におこなえるように対応します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(9, 0, 1, 1);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate901
