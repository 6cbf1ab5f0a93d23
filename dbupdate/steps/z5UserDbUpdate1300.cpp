#include "dbupdate/steps/z5UserDbUpdate1300.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1300 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 13, 0, 0, DoUpdate, "青色申告決算書の改正 他",
                           "１）青色申告決算書の青色申告特別控除額の改正に対応しました。\r２）取引明細ファイルのインポートの現金出納帳の取り込み設定を改善しました。\r３）他社仕訳データのインポートで他社会計ソフトＣの取り込みに対応しました。\r４）消費税申告書内で金額割合を求める計算式を見直しました。\r（他、詳しくはＨＰで確認ください）");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(13, 0, 0, 4, MemoForm::JoinedTrimmed);
    s.UsePart = part_file_step::ByDataKind({3}, {4});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1300
