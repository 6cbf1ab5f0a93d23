#include "dbupdate/steps/z5SystemDbUpdate400.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate400 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 4;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "データ選択に会社コード列を追加 他";
    rec.Description = "１）データ選択で会社コードをキーとした検索機能が利用可能となります。\r２）コード体系保存件数が20件へ拡張となります。";
}

TUpdateScheme Scheme()
{
    return OldSystemScheme(4, 0, 0, false, "system_4_0_0");
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate400
