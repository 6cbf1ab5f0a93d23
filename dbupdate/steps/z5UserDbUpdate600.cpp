#include "dbupdate/steps/z5UserDbUpdate600.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate600 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 6, 0, 0, DoUpdate, SystemDef.AppTitle + "１４のデータ形式に変換 他",
                           "１）" + SystemDef.AppTitle + "１４のデータ形式に変換します。\r２）過年度残高に税込・税抜額の記録が可能になります。\r３）法人・個人データの製造原価報告書に外注費ブロックを追加します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(6, 0, 0, 18);
    s.UsePart = part_file_step::ByDataKind({3, 4, 5, 6, 7, 8, 9, 16}, {10, 11, 12, 13, 14, 17});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate600
