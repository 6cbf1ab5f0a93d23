#include "dbupdate/steps/z5SystemDbUpdate101.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate101 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 1;
    rec.Minor1 = 0;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "データリスト上のデータフォルダ名を大文字に統一";
    rec.Description = "データリスト上のデータフォルダ名が大文字と小文字の混在表記のため全て大文字に統一します。";
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = OldSystemScheme(1, 0, 1, false, "");
    s.After = AddDataListUpdate;
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate101
