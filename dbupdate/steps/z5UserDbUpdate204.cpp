#include "dbupdate/steps/z5UserDbUpdate204.h"

#include <string>
#include <vector>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/db/Transaction.h"

namespace vq::z5UserDbUpdate204 {

namespace {

struct DefaultsState {
    std::int64_t rows1401 = 0;
    std::vector<std::string> facilities;
};

DefaultsState readDefaults()
{
    DefaultsState state;
    DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    try {
        db::TransactionScope scope(DM->IBTransactionDAT);
        db::Statement& q = DM->IBQACC1;
        q.setSql("SELECT COUNT(REC) AS RECCNT FROM KS_SETSWK_INIT WHERE KCODE='1401'");
        q.execute();
        if (q.fetch())
            state.rows1401 = q.field("RECCNT").asInt64();
        q.close();
        if (AccInf.SITEN == 0) {
            state.facilities.push_back(" ");
        } else {
            q.setSql("SELECT SCODE FROM SISETUMST ORDER BY SCODE");
            q.execute();
            while (q.fetch())
                state.facilities.push_back(q.field("SCODE").asString());
            q.close();
        }
        scope.commit();
    } catch (...) {
        DM->CloseAccDat(SystemDef.DataDir, 0, 0);
        throw;
    }
    DM->CloseAccDat(SystemDef.DataDir, 0, 0);
    return state;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 2;
    rec.Minor1 = 0;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "出納帳スペシャル機能の追加";
    rec.Description = "１）出納帳スペシャル機能を追加します。";
}

void AddKsSetSwkInit(TUpdateScript& script)
{
    if (AccInf.DATATYPE != 2 || AccInf.CODETYPE != 2)
        return;
    const DefaultsState state = readDefaults();
    // A data set that has its defaults keeps them, and its settings too.
    if (state.rows1401 != 0)
        return;
    script.AddSqlText(StepSql("data_2_0_4_ks_setswk_init"));
    for (const auto& scode : state.facilities)
        script.Add("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('" + TUpdateScript::Quoted(scode) + "');");
    script.Add("COMMIT;");
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(2, 0, 4, [](TUpdateScript& script) {
        old_data_step::AddStepSql(script, "data_2_0_4_monitor");
        AddKsSetSwkInit(script);
        old_data_step::AddStepSql(script, "data_2_0_0_trial_balance");
        old_data_step::AddStepSql(script, "data_2_0_4");
        script.Add("Commit;");
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate204
