#include "dbupdate/steps/z5UserDbUpdate1303.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1303 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 13, 0, 3, DoUpdate, "「振替入力」画面を作成 他",
                           "１）振替伝票形式の入力画面を新たに作成しました。\r２）一括入力画面の金額入力時に税額を即時に計算する様に変更しました。\r３）仕訳帳、元帳の印刷で行見出しの年情報の出力形式を変更しました。\r（他、詳しくはＨＰで確認ください）");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(13, 0, 3, 2, MemoForm::JoinedTrimmed);
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1303
