#include "dbupdate/steps/z5UserDbUpdate1001.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1001 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 10, 0, 1, DoUpdate, "「取引明細ファイルのインポート」の追加 他",
                           "１）取引明細ファイルのインポートを日常処理に追加しました。\r２）返済予定表を拡張機能に追加しました。\r３）法人事業概況書の新様式に対応しました。（平成30年4月1日以後終了事業分）\r４）資金繰実績表の機能を強化しました。（内訳の表示、印刷 他）\r５）他社仕訳データのインポートで「他社会計ソフトＡ」に対応しました。\r６）他社仕訳データのインポートで「他社会計ソフトＢ」に対応しました。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(10, 0, 1, 4, MemoForm::Joined);
    s.UsePart = part_file_step::ByDataKind({3}, {4});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1001
