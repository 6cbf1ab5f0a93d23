#include "dbupdate/steps/z5UserDbUpdate105.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/AccInf.h"

namespace vq::z5UserDbUpdate105 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 1;
    rec.Minor1 = 0;
    rec.Minor2 = 5;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "合計残高試算表の集計項目名称の変更機能を追加";
    rec.Description = "１）合計残高試算表の集計項目名称の変更機能を追加します。";
}

void AddJobControl(TUpdateScript& script, bool exists)
{
    // The menu rights by menu position are what data step 8.0.2 converts
    // into program rights: they survive the new form, numbered in order.
    if (exists) {
        script.Add("RECREATE TABLE JOBCONTROL_KEEP (REC INTEGER NOT NULL, LEVELNO INTEGER, PAGENO INTEGER, "
                   "MENUNO INTEGER);");
        script.Add("COMMIT;");
        script.Add("INSERT INTO JOBCONTROL_KEEP (REC, LEVELNO, PAGENO, MENUNO)");
        script.Add("SELECT ROW_NUMBER() OVER (ORDER BY LEVELNO, PAGENO, MENUNO), LEVELNO, PAGENO, MENUNO "
                   "FROM JOBCONTROL;");
        script.Add("COMMIT;");
    }
    script.Add("RECREATE TABLE JOBCONTROL (");
    script.Add("  REC     INTEGER NOT NULL,");
    script.Add("  LEVELNO INTEGER DEFAULT 1,");
    script.Add("  PAGENO  INTEGER DEFAULT 0,");
    script.Add("  MENUNO  INTEGER DEFAULT 0,");
    script.Add("  PRIMARY KEY (REC)");
    script.Add(");");
    script.Add("COMMIT;");
    if (exists) {
        script.Add("INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO)");
        script.Add("SELECT REC, LEVELNO, PAGENO, MENUNO FROM JOBCONTROL_KEEP;");
        script.Add("COMMIT;");
        script.Add("DROP TABLE JOBCONTROL_KEEP;");
    }
}

void AddTotalNames(TUpdateScript& script, std::int32_t dataType, std::int32_t codeType)
{
    if (dataType == 1)
        script.AddSqlText(StepSql("data_1_0_5_corporation"));
    else if (dataType == 2 && codeType == 1)
        script.AddSqlText(StepSql("data_1_0_5_general"));
    else if (dataType == 2 && codeType == 2)
        script.AddSqlText(StepSql("data_1_0_5_real_estate"));
}

TUpdateScheme Scheme()
{
    const bool jobControl = old_data_step::DataColumnExists("JOBCONTROL", "MENUNO");
    const std::int32_t dataType = AccInf.DATATYPE, codeType = AccInf.CODETYPE;
    return old_data_step::Scheme(1, 0, 5, [=](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_1_0_5"));
        AddJobControl(script, jobControl);
        script.AddSqlText(StepSql("data_1_0_5_totals"));
        AddTotalNames(script, dataType, codeType);
        script.Add("Commit;");
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate105
