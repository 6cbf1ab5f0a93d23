#include "dbupdate/steps/z5SystemDbUpdate1200.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5SystemDbUpdate1200 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 12, 0, 0, DoUpdate, "仕訳入力の禁止設定",
                                  "１）仕訳入力を禁止にする設定を追加しました。※対象製品：ヴォルレン財務");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(12, 0, 0, 1);
    s.Memo = MemoForm::JoinedTrimmed;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate1200
