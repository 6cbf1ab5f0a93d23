#include "dbupdate/steps/z5UserDbUpdate1101.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1101 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 11, 0, 1, DoUpdate, "「Nubrax」データ送信の追加 他",
                           "１）「Nubrax」へ過去データ、仕訳データが送信できるようになりました。\r２）クラウドシェア機能を追加しました。\r３）科目内訳書の新様式（平成31年4月以降終了事業年度）に対応しました。\r４）月次監査報告書の仕訳重複の確認で対象項目が選択できるようになりました。\r５）仕訳帳、元帳で選択行の合計金額が確認できるようになりました。。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(11, 0, 1, 3, MemoForm::JoinedTrimmed);
    s.UsePart = part_file_step::ByDataKind({}, {3});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1101
