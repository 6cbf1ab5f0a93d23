#include "dbupdate/steps/z5UserDbUpdate200.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "foundation/app/AccInf.h"

namespace vq::z5UserDbUpdate200 {

namespace {

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 2;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "ヴォルレン財務１０のデータ形式に変換";
    rec.Description = "１）ヴォルレン財務１０のデータ形式に変換します。";
}

std::string MonitorListsInEntryOrder()
{
    TUpdateScript lists;
    old_data_step::AddStepSql(lists, "data_2_0_4_monitor");
    std::string text;
    for (const auto& line : lists.Lines())
        text += line + "\n";
    replaceAll(text, "ORDER BY SITREC DESC, REC DESC", "ORDER BY SWKREC DESC");
    replaceAll(text, "ORDER BY SITREC, REC", "ORDER BY SWKREC");
    return text;
}

TUpdateScheme Scheme()
{
    const bool individual = AccInf.DATATYPE == 2;
    return old_data_step::Scheme(2, 0, 0, [individual](TUpdateScript& script) {
        script.AddSqlText(MonitorListsInEntryOrder());
        old_data_step::AddStepSql(script, "data_2_0_0");
        if (individual) {
            // The owner's assets are no longer posted as expenses at
            // purchase, and depreciate into the general account where the
            // chart has it (a chart without it would refuse the update).
            script.Add("UPDATE KS_SETSWK_INIT SET GSKEIJYO=0");
            script.Add("WHERE (ACCGROUP=2);");
            script.Add("UPDATE KS_SETSWK_INIT SET SYOKYAKU1_KCODE='6202'");
            script.Add("WHERE (ACCGROUP=2) AND (SYOKYAKU1_KCODE='6204') "
                       "AND (EXISTS (SELECT KCODE FROM KAMOKUMST WHERE KCODE='6202'));");
            script.Add("Commit;");
        }
        old_data_step::AddStepSql(script, "data_2_0_0_trial_balance");
        old_data_step::AddStepSql(script, "data_2_0_0_budget");
        script.Add("Commit;");
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate200
