#include "dbupdate/steps/z5UserDbUpdate400.h"

#include <algorithm>
#include <array>

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"

namespace vq::z5UserDbUpdate400 {

namespace {

constexpr std::array kMedicalSkips{"vqzup02.sql", "vqzup03.sql", "vqzup07.sql", "vqzup08.sql"};
constexpr std::array kGeneralSkips{"vqzup04.sql", "vqzup05.sql", "vqzup09.sql"};

template <std::size_t N>
bool listed(const std::array<const char*, N>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// The three closing groups of the cash-flow statement move one group down
// (the lowest first, so that none is overwritten) and the freed group 40
// takes the exchange difference.
void addMedicalCashFlowRows(TUpdateScript& script)
{
    struct Kind {
        int kind, closingOrder, openingOrder, increaseOrder, newRec, newOrder;
    };
    for (const Kind& k : {Kind{1, 41, 40, 39, 43, 38}, Kind{0, 39, 38, 37, 89, 36}}) {
        const std::string where = " WHERE (CM_KIND=" + std::to_string(k.kind) + ") AND (CM_GROUP=";
        script.Add("UPDATE CASHFMST SET CM_GROUP=70,CM_ORDER=" + std::to_string(k.closingOrder) +
                   ",CM_NAME1='Ⅶ　現金及び現金同等物の期末残高'" + where + "60);");
        script.Add("UPDATE CASHFMST SET CM_GROUP=60,CM_ORDER=" + std::to_string(k.openingOrder) +
                   ",CM_NAME1='Ⅵ　現金及び現金同等物の期首残高'" + where + "50);");
        script.Add("UPDATE CASHFMST SET CM_GROUP=50,CM_ORDER=" + std::to_string(k.increaseOrder) +
                   ",CM_NAME1='Ⅴ　現金及び現金同等物の増加額'" + where + "40);");
        // The line's number is taken in data sets whose defaults number
        // every line of both kinds from 1: the next free number then.
        const std::string rec = std::to_string(k.newRec);
        script.Add("INSERT INTO CASHFMST(CM_REC,CM_KIND,CM_GROUP,CM_ORDER,CM_DEL,CM_MKU,CM_MARGIN,CM_NAME1,CM_HOSEI,"
                   "CM_JIGYOU) SELECT IIF(EXISTS(SELECT 1 FROM CASHFMST WHERE CM_REC=" + rec +
                   "),(SELECT MAX(CM_REC)+1 FROM CASHFMST)," + rec + ")," + std::to_string(k.kind) + ",40," +
                   std::to_string(k.newOrder) + ",1,1,0,'Ⅳ　現金及び現金同等物に係る換算差額',0,15 FROM RDB$DATABASE;");
    }
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 4;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = SystemDef.AppTitle + "１２のデータ形式に変換";
    rec.Description = "１）" + SystemDef.AppTitle + "１２のデータ形式に変換します。\r２）過年度残高集計処理を高速化します。";
}

void AddDataDependentSql(TUpdateScript& script)
{
    const std::string sundry = TUpdateScript::Quoted(AccInf.SysKCode[SysSyokuchi]);
    script.Add("UPDATE KAMOKUMST SET HOJOSW=CASE WHEN (SELECT COUNT(*) FROM HOJOMST WHERE (KCODE='" + sundry +
               "' AND HCODE<>''))=0 THEN '－' ELSE '○' END");
    script.Add("WHERE (KCODE='" + sundry + "') AND (HOJOSW='×');");
    if (AccInf.IsIryou != 0)
        addMedicalCashFlowRows(script);
    if (ProductKind == 3) {
        script.Add("DELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ区分');");
        script.Add("DELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ数');");
    }
    if (AccInf.SITEN > 0)
        script.Add("UPDATE ACCDEF5 SET NUM1=0 WHERE (SCODE='');");
    if (AccInf.BUMON > 0)
        script.Add("UPDATE ACCDEF5 SET NUM1=0 WHERE (BCODE='');");
    script.Add("COMMIT;");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s;
    s.Mode = 1;
    s.Major = 4;
    s.SetNames = true;
    s.RecordFirst = false;
    s.Memo = MemoForm::Date;
    for (int i = 1; i <= 9; ++i)
        s.PartFiles.push_back("vqzup0" + std::to_string(i) + ".sql");
    s.StopOnMissingPart = true;
    const bool medical = AccInf.IsIryou != 0;
    s.UsePart = [medical](const std::string& name) {
        return medical ? !listed(kMedicalSkips, name) : !listed(kGeneralSkips, name);
    };
    s.After = AddDataDependentSql;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate400
