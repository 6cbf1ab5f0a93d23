#include "dbupdate/steps/z5UserDbUpdate307.h"

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/data/DataModule.h"
#include "platform/db/Statement.h"

namespace vq::z5UserDbUpdate307 {

namespace {

void makeBalanceRowTrigger()
{
    if (part_file_step::DataTriggerExists("KAMOKUSZ_AFTER_DELETE2"))
        return;
    db::Statement ddl(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                      "CREATE TRIGGER \"KAMOKUSZ_AFTER_DELETE2\" FOR \"KAMOKU_SZ\" ACTIVE AFTER DELETE POSITION 0\n"
                      "AS\n"
                      "DECLARE dvSITEN  INTEGER;\n"
                      "BEGIN\n"
                      "END",
                      false);
    ddl.execute();
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 3, 0, 7, DoUpdate, "医療法人データの施設グループ集計を追加 他",
                           "１）医療法人データの施設グループ集計を追加します。\r２）窓口日報の参照キーを変更します。\r３）支店比較パターンの保持情報を変更します。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(3, 0, 7, 8);
    s.RecordFirst = false;
    s.UsePart = part_file_step::ByDataKind({}, {2, 3, 4, 5, 6, 7});
    s.PreWork = [] {
        part_file_step::WithOpenDataSet(makeBalanceRowTrigger);
        return std::int32_t{UpdateDone};
    };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate307
