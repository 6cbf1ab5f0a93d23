#include "dbupdate/steps/z5UserDbUpdate1003.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1003 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 10, 0, 3, DoUpdate, "「医療法人用決算届の新様式」に対応 他",
                           "１）医療法人用決算届の新様式に対応しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(10, 0, 3, 3, MemoForm::Joined);
    s.UsePart = part_file_step::ByDataKind({}, {2, 3});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1003
