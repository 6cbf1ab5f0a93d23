#include "dbupdate/steps/z5UserDbUpdate703.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/RunState.h"

namespace vq::z5UserDbUpdate703 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 7;
    rec.Minor1 = 0;
    rec.Minor2 = 3;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "医療法人データの決算書レイアウトを変更";
    rec.Description = "１）医療法人データの決算書レイアウトを変更しました。\r";
    if ((OemKind == 1 || OemKind == 2)) {
        rec.Title = "消費税試算表の仕訳帳ジャンプ機能の仕様変更";
        rec.Description = "１）消費税試算表の仕訳帳ジャンプ機能の仕様を変更しました。\r";
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(7, 0, 3, 3);
    s.UsePart = part_file_step::ByDataKind({}, {1});
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate703
