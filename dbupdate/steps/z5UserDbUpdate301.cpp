#include "dbupdate/steps/z5UserDbUpdate301.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate301 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 3, 0, 1, DoUpdate, "仕訳更新プログラムの改修",
                           "１）仕訳の更新プログラムを改修します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(3, 0, 1, 1);
    s.SetNames = false;
    s.RecordFirst = false;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate301
