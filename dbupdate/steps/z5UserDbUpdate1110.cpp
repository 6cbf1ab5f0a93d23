#include "dbupdate/steps/z5UserDbUpdate1110.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1110 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 11, 1, 0, DoUpdate, "１９ 消費税改正版のデータ形式に変換",
                           "１）２０１９年１０月の消費税改正 に対応しました。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(11, 1, 0, 4, MemoForm::JoinedTrimmed);
    s.UsePart = part_file_step::ByDataKind({1}, {2});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1110
