#include "dbupdate/steps/z5UserDbUpdate102.h"

#include <exception>
#include <string>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/Interaction.h"

namespace vq::z5UserDbUpdate102 {

namespace {

std::string ownerCode(const std::string& name)
{
    db::Statement& q = DM->IBQACC2;
    q.setSql("SELECT KCODE FROM ACCDEF2 WHERE KNAME=:KNAME ");
    q.param("KNAME").setString(name);
    q.execute();
    std::string code = q.fetch() ? q.field("KCODE").asString() : std::string();
    q.close();
    return code;
}

void repair()
{
    const bool fromYearStart = AccInf.KISHU == AccInf.KAISI;
    const bool individual = AccInf.DATATYPE == 2;
    std::string drawing, contribution, capital;
    if (individual && fromYearStart) {
        drawing = ownerCode("事業主貸");
        contribution = ownerCode("事業主借");
        capital = ownerCode("元入金");
    }
    const std::int32_t period = fromYearStart ? 0 : PeriodBeforeStart(AccInf.KAISINO);

    db::Statement& rows = DM->IBQACC1;
    rows.setSql("SELECT Z.SCODE, Z.KCODE, Z.HCODE, Z.BCODE, Z.KAISIZAN, K.BPFLG FROM KAMOKU_SZ Z "
                "INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)");
    db::Statement& update = DM->IBQACC2;
    update.setSql("UPDATE KAMOKU_PZ SET NUKIZAN=:NUKIZAN WHERE SCODE=:SCODE and KCODE=:KCODE and HCODE=:HCODE "
                  "and BCODE=:BCODE and MNUM=:MNUM ");
    rows.execute();
    while (rows.fetch()) {
        const std::string kcode = rows.field("KCODE").asString();
        const bool balanceSheet = rows.field("BPFLG").asString() == "B";
        if (balanceSheet && individual && fromYearStart &&
            (kcode == drawing || kcode == contribution || kcode == capital))
            continue;
        if (!balanceSheet && fromYearStart)
            continue;
        update.param("NUKIZAN").setCurrency(rows.field("KAISIZAN").asCurrency());
        update.param("SCODE").setString(rows.field("SCODE").asString());
        update.param("KCODE").setString(kcode);
        update.param("HCODE").setString(rows.field("HCODE").asString());
        update.param("BCODE").setString(rows.field("BCODE").asString());
        update.param("MNUM").setInt(period);
        update.execute();
    }
    rows.close();
}

std::int32_t openAndRepair()
{
    if (!DM)
        return UpdateFailed;
    DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    const bool repaired = RepairKanendoZan();
    DM->CloseAccDat(SystemDef.DataDir, 0, 0);
    return repaired ? UpdateDone : UpdateFailed;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 1;
    rec.Minor1 = 0;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "コンバートデータの減価償却資産の修復 他";
    rec.Description = "１）コンバートデータの減価償却資産を修復します。\r２）前期末残高が正しいか評価し、異常があった場合は修復します。";
}

std::int32_t PeriodBeforeStart(std::int32_t startMonth)
{
    if (startMonth < 1 || startMonth > 12)
        return 0;
    return startMonth - 1 + (startMonth - 1) / 3;
}

bool RepairKanendoZan()
{
    db::Transaction& tr = DM->IBTransactionDAT;
    try {
        if (!tr.active())
            tr.start();
        repair();
        tr.commit();
        return true;
    } catch (const std::exception&) {
        try {
            if (tr.active())
                tr.rollback();
        } catch (const std::exception&) {
            // The box below tells; the database is closed after it.
        }
        platform::showMessage("Ver 1.0.2のデータベース更新に失敗しました。(過年度残高の評価と修復)",
                              platform::MessageKind::Error);
        return false;
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = old_data_step::Scheme(1, 0, 2, [](TUpdateScript& script) {
        old_data_step::AddStepSql(script, "data_1_0_2");
    });
    s.PreWork = openAndRepair;
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate102
