#include "dbupdate/steps/z5UserDbUpdate1100.h"

#include "dbupdate/steps/PartFileStep.h"

namespace vq::z5UserDbUpdate1100 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 11, 0, 0, DoUpdate, "取引明細ファイルのインポートの強化 他",
                           "１）取引明細ファイルのインポートで設定条件に応じた仕訳が作成可能となりました。\r２）取引明細ファイルのインポートで割り当てのない取引でも設定に応じて仕訳が作成可能となりました。\r３）取引明細ファイルのインポートで全銀協規定フォーマット（改行なし）に対応しました。\r４）総合比較損益計算書で棚卸の洗替設定が可能となりました。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(11, 0, 0, 8, MemoForm::JoinedTrimmed);
    s.UsePart = part_file_step::ByDataKind({6, 8}, {7});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1100
