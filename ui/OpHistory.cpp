#include "ui/OpHistory.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::ui {

void PutProcRirekiInfo(const std::string& jobName, OpHistoryState state)
{
    if (DM == nullptr || !DM->IBDatabaseDAT.connected())
        return;
    auto& attachment = DM->IBDatabaseDAT.attachment();
    // The screen's own transaction, apart from the data module's.
    db::Transaction tr(attachment, db::kReadCommitted);
    try {
        db::TransactionScope scope(tr);
        db::Statement close(attachment, tr, "EXECUTE PROCEDURE OPINF_DELETE(:OPCODE,:JOBNAME,:STATE)");
        close.param("OPCODE").setInt(SystemDef.OPCODE);
        close.param("JOBNAME").setString(jobName);
        close.param("STATE").setString(state == OpHistoryState::Opened ? "エラー終了" : "正常終了");
        close.execute();
        close.close();
        if (state == OpHistoryState::Opened) {
            db::Statement open(attachment, tr,
                               "INSERT INTO OPINF(OPCODE,JOBNAME,PCNAME,OPENTIME) "
                               "VALUES(:OPCODE,:JOBNAME,:PCNAME,:OPENTIME)");
            open.param("OPCODE").setInt(SystemDef.OPCODE);
            open.param("JOBNAME").setString(jobName);
            open.param("PCNAME").setString(SystemDef.ComputerName);
            open.param("OPENTIME").setDateTime(platform::interaction().now());
            open.execute();
        }
        scope.commit();
    } catch (const db::DbError& e) {
        ReportDbError(e, "TBSDI.PutProcRirekiInfo", "", true);
        throw;
    }
}

} // namespace vq::ui
