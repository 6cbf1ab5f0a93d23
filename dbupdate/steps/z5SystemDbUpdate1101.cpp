#include "dbupdate/steps/z5SystemDbUpdate1101.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileSteps.h"
#include "foundation/data/DataModule.h"

namespace vq::z5SystemDbUpdate1101 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 11;
    rec.Minor1 = 0;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "新元号対応 他";
    rec.Description = "１）新元号「令和」を追加しました。\r２）クラウドシェア機能を追加しました。";
    if (IsDistributorEdition()) {
        rec.Title = "機能強化および不具合修正";
        rec.Description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
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
    TUpdateScheme s = PartFileScheme(0, 11, 0, 1, {"sysup01.sql", "sysup02.sql"});
    s.Memo = MemoForm::JoinedTrimmed;
    return s;
}

std::int32_t DoUpdate()
{
    const std::int32_t result = RunUpdateStep(Scheme());
    ReloadGengoTable();
    return result;
}

} // namespace vq::z5SystemDbUpdate1101
