#include "dbupdate/steps/z5UserDbUpdate905.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/BudgetRuleRows.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/RunState.h"

namespace vq::z5UserDbUpdate905 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 9, 0, 5, DoUpdate, "中期予算作成の一括調整機能の不具合修正",
                                  "１）中期予算作成の実績調整の一括調整機能の不具合を修正しました。");
}

void ResetSiwakeDnum()
{
    ExecDataSql("UPDATE SIWAKE SET DNUM=0");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(9, 0, 5, 2);
    s.UsePart = part_file_step::ByDataKind({1}, {2});
    if ((OemKind == 1 || OemKind == 2))
        s.PostWork = ResetSiwakeDnum;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate905
