#include "dbupdate/steps/z5SystemDbUpdate802.h"

#include <vector>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "dbupdate/steps/z5MenuListOldHistory.h"
#include "foundation/data/DataModule.h"

namespace vq::z5SystemDbUpdate802 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 8;
    rec.Minor1 = 0;
    rec.Minor2 = 2;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "メニューの起動管理方法を変更";
    rec.Description = "１）メニューの起動管理方法を変更しました。";
}

void ConvertJobControl()
{
    struct Position {
        std::int32_t level, page, menu;
    };
    std::vector<Position> positions;
    {
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "SELECT LEVELNO,PAGENO,MENUNO FROM JOBCONTROL ORDER BY LEVELNO,PAGENO,MENUNO");
        q.execute();
        while (q.fetch())
            positions.push_back({q.field("LEVELNO").asInt(), q.field("PAGENO").asInt(), q.field("MENUNO").asInt()});
    }
    db::Statement insert(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                         "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION) VALUES(:LEVELNO,:PROC_ID,:PROC_OPTION)");
    for (const auto& p : positions) {
        std::string id, option;
        if (z5MenuListOldHistory::GetOldMenuProcId(p.level, p.page, p.menu, id, option).empty())
            continue;
        insert.param("LEVELNO").setInt(p.level);
        insert.param("PROC_ID").setString(id);
        insert.param("PROC_OPTION").setString(option);
        insert.execute();
    }
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::SystemScheme(8, 0, 2, 1);
    s.PostWork = ConvertJobControl;
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate802
