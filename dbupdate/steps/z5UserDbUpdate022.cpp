#include "dbupdate/steps/z5UserDbUpdate022.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate022 {

namespace {

constexpr std::string_view kInitialRow = "INSERT INTO KS_SETSWK_INIT ";
constexpr int kRowsPerAccountGroup = 35;

// The 70 initial depreciation settings are those step 0.1.1 writes, in the
// same order (35 of the corporate account group, then 35 of the individual
// one); the trigger numbers them from the generator set back to 0.
void addInitialSettings(TUpdateScript& script)
{
    TUpdateScript rows;
    rows.AddSqlText(StepSql("data_0_1_1"));
    int count = 0;
    for (const auto& line : rows.Lines()) {
        if (line.rfind(kInitialRow, 0) != 0)
            continue;
        script.Add(line);
        if (++count % kRowsPerAccountGroup == 0)
            script.Add("Commit;");
    }
}

// The cash-flow items and their accounts are those of step 0.1.4, without
// that step's drops of the facility table it no longer has.
void addCashFlowItems(TUpdateScript& script)
{
    const std::string_view block = StepSql("data_0_1_4");
    script.AddSqlText(block.substr(block.find("DELETE FROM CASHFMKU;")));
}

void addGroups(TUpdateScript& script)
{
    script.AddSqlText(StepSql("data_0_2_2_head"));
    addInitialSettings(script);
    script.AddSqlText(StepSql("data_0_2_2"));
    addCashFlowItems(script);
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 2;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "科目マスタの構造変更 他";
    rec.Description = "1)科目マスタの構造を変更します。\r2)キャッシュフロー項目を再作成します。\r3)青色申告決算書で上書入力に対応します。\r4)内訳書用テーブルを作成します。";
}

TUpdateScheme Scheme()
{
    if (old_data_step::DataColumnExists("KAMOKUMST", "GROUPM0"))
        return old_data_step::Scheme(0, 2, 2, nullptr);
    return old_data_step::Scheme(0, 2, 2, addGroups);
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate022
