#include "dbupdate/steps/z5UserDbUpdate300.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate300 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 3, 0, 0, DoUpdate, "ヴォルレン財務１１のデータ形式に変換",
                           "１）ヴォルレン財務１１のデータ形式に変換します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(3, 0, 0, 10);
    s.SetNames = false;
    s.RecordFirst = false;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate300
