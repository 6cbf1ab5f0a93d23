#include "dbupdate/steps/z5SystemDbUpdate1101.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/data/DataModule.h"

namespace vq::z5SystemDbUpdate1101 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 11, 0, 1, DoUpdate, "新元号対応 他",
                                  "１）新元号「令和」を追加しました。\r２）クラウドシェア機能を追加しました。");
}

void ReloadGengoTable()
{
    if (!DM)
        return;
    const bool wasConnected = DM->IBDatabaseDEF.connected();
    if (!wasConnected && !DM->fnAccDefConnected({}, 1))
        return;
    DM->LoadGengoTable();
    if (!wasConnected)
        DM->IBDatabaseDEF.disconnect();
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(11, 0, 1, 2);
    s.Memo = MemoForm::JoinedTrimmed;
    return s;
}

std::int32_t DoUpdate()
{
    const std::int32_t result = part_file_step::RunPartFileStep(Scheme());
    ReloadGengoTable();
    return result;
}

} // namespace vq::z5SystemDbUpdate1101
