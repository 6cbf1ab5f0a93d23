#include "dbupdate/steps/z5UserDbUpdate703.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"

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
    if (IsDistributorEdition()) {
        rec.Title = "消費税試算表の仕訳帳ジャンプ機能の仕様変更";
        rec.Description = "１）消費税試算表の仕訳帳ジャンプ機能の仕様を変更しました。\r";
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = PartFileScheme(1, 7, 0, 3, NumberedPartFiles("vqzup", 1, 3));
    SkipByMedicalFlag(s, {}, {1});
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate703
