#include "dbupdate/steps/z5UserDbUpdate502.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate502 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 5, 0, 2, DoUpdate, "法人・個人データの日報入力に対応 他",
                           "１）法人・個人データの日報入力に対応します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(5, 0, 2, 2);
    s.RecordFirst = false;
    s.UsePart = part_file_step::ByDataKind({1}, {2});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate502
