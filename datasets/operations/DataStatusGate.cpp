#include "datasets/operations/DataStatusGate.h"

#include <filesystem>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/operations/DataSetNotices.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

bool IsAllowedStatus(int status, int connectMode)
{
    switch (connectMode) {
    case ConnectStandAlone:
        return status == DataStatusFree;
    case ConnectClientServer:
    case ConnectTerminal:
        return status == DataStatusFree || status == DataStatusInUse;
    default:
        return false;
    }
}

std::uint8_t CheckDataStatus(const std::string& folder, bool warnNoData, bool report, TDataInfomationRec& info)
{
    const std::string dataFile = (std::filesystem::path(folder) / DataDbFileName).string();
    if (!FileOpFExist(dataFile, ConnectMode)) {
        if (warnNoData) {
            platform::showMessage("このフォルダには財務データがありません。\r", platform::MessageKind::Warning,
                                  platform::Buttons::Ok);
            return 0;
        }
        return 1;
    }
    TDataInfomation reader;
    reader.Location = ConnectMode;
    reader.ReadDataInfo(folder, info);
    const std::uint8_t status = info.STATUS;
    if (status == DataStatusOpenFailed || status == DataStatusDamaged || !report ||
        IsAllowedStatus(status, ConnectMode))
        return status;

    ListNotice notice;
    notice.caption = "選択データの状態";
    notice.mainText = "このデータは" + GetDataStatusText(status) + "のため処理が行えません。";
    if (status == DataStatusInUse)
        notice.mainText += "\r前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。";
    notice.lines = {"【データフォルダ】", "　" + folder, "", "【オペレータ】",
                    "　" + std::to_string(OperatorNumberOf(info.OPCODE, SystemDef.GROUPID)), "", "【オペレータ名】",
                    "　" + info.OPERATOR};
    ShowListNotice(notice);
    return status;
}

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
