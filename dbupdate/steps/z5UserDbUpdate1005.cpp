#include "dbupdate/steps/z5UserDbUpdate1005.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1005 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 10, 0, 5, DoUpdate, "過去仕訳の検索時の不具合修正",
                           "１）過去仕訳の検索時の不具合を修正しました。\r");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(10, 0, 5, 1, MemoForm::JoinedPadded);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1005
