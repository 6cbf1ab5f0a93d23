#include "dbupdate/steps/z5UserDbUpdate1004.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1004 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 10, 0, 4, DoUpdate, "仕訳の承認機能の追加 他",
                           "１）日常処理に仕訳の承認機能を追加しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(10, 0, 4, 3, MemoForm::Joined);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1004
