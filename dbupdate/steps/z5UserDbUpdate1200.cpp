#include "dbupdate/steps/z5UserDbUpdate1200.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/RunState.h"

namespace vq::z5UserDbUpdate1200 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 12, 0, 0, DoUpdate, "販売管理ファイルの取り込み対応 他",
                           "１）取引明細ファイルのインポートで販売管理ファイルの取り込みが可能となりました。\r２）青色申告決算書（一般用）の税制改正に対応しました。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(12, 0, 0, 3, MemoForm::JoinedTrimmed);
    s.UsePart = part_file_step::ByDataKind({3}, {});
    if (OemKind == 1 || OemKind == 2)
        s.After = [](TUpdateScript& script) {
            script.Add("");
            script.Add("/* お気に入りメニューからToV(USB)保存／復元レコードを削除 */");
            script.Add("DELETE FROM OPMENU");
            script.Add("WHERE (CLASS='QzTovHozn');");
            script.Add("COMMIT;");
        };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate1200
