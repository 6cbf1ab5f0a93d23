#include "dbupdate/steps/z5UserDbUpdate1000.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1000 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 10, 0, 0, DoUpdate, "試算表、分析表の印刷で出力科目の設定機能を追加 他",
                           "１）試算表、分析表の印刷で出力する科目が設定可能となりました。\r２）法人決算書の製造原価報告書に当期製造費用行を追加しました。\r３）繰越残高調整で前期データの内訳書を移行する機能を追加しました。\r４）総勘定元帳の印刷時に総計行の出力の有無が選択可能となりました。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(10, 0, 0, 4);
    s.UsePart = part_file_step::ByDataKind({4}, {});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1000
