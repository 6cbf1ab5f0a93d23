#include "datasets/operations/DataStatusGate.h"

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

void SetDataStatus(const std::string& folder, std::uint8_t status)
{
    if (ConnectMode != ConnectStandAlone || folder.empty())
        return;
    try {
        TDataInfomation writer;
        writer.Location = ConnectMode;
        writer.WriteDataStatus(folder, status);
    } catch (...) {
    }
}

DataStatusMark::DataStatusMark(std::string folder, std::uint8_t status)
    : folder_(std::move(folder))
{
    SetDataStatus(folder_, status);
}

DataStatusMark::~DataStatusMark()
{
    SetDataStatus(folder_, DataStatusFree);
}

std::int32_t CurrentOperatorNumber()
{
    return OperatorNumberOf(SystemDef.OPCODE, SystemDef.GROUPID);
}

bool WriteRowDataLock(std::int32_t rec, std::int32_t lock, bool reportErrors)
{
    if (!DM)
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        db::Statement q(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF,
                        "UPDATE DATALIST SET DATALOCK=:DATALOCK WHERE REC=:REC");
        q.param("DATALOCK").setInt(lock);
        q.param("REC").setInt(rec);
        q.execute();
        scope.commit();
        return true;
    } catch (...) {
        if (!reportErrors)
            throw;
        ReportCurrentException("UpdateDataLock", "データリストの更新に失敗しました。");
        return false;
    }
}

RowDataLock::RowDataLock(std::int32_t rec, std::int32_t currentLock)
    : rec_(rec)
{
    if (ConnectMode == ConnectStandAlone || currentLock >= 1)
        return;
    held_ = WriteRowDataLock(rec_, CurrentOperatorNumber(), true);
}

RowDataLock::~RowDataLock()
{
    if (held_)
        WriteRowDataLock(rec_, 0, true);
}

} // namespace vq
