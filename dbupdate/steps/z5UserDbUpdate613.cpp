#include "dbupdate/steps/z5UserDbUpdate613.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate613 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 6, 1, 3, DoUpdate, "仕訳変更時の並び順の調整 他",
                           "１）決算同日仕訳変更時の並び順を調整します。\r２）定形試算表の販売費及び一般管理費の集計項目名称（縦）の入力文字数を拡張します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(6, 1, 3, 7);
    s.UsePart = part_file_step::ByDataKind({3, 6}, {2});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate613
